#include "core/table_rows.h"

namespace pat {

// No model names in this family: every model is code 255.
const NameCodeRow kModelNameTable[] = {{nullptr, 255}};

}  // namespace pat
