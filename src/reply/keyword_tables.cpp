// Keyword tables of the PJL answer handlers.
#include "core/shipped_tables.h"

namespace pat {

const NameCodeRow kVersionNameTable[] = {{nullptr, 0}};
const NameCodeRow kMemoryUsageTable[] = {{nullptr, 0}};
const NameCodeRow kImageRotationTable[] = {{nullptr, 0}};
const PunchOptionRow kPunchOptionTable[] = {{{nullptr, nullptr, nullptr, nullptr, nullptr}, 0}};
const NameCodeRow kTrayLevelTable[] = {{nullptr, 0}};
const NameCodeRow kMarkingTypeTable[] = {{nullptr, 0}};
const NameCodeRow kPackageStateTable[] = {{nullptr, 0}};
const PackageIdRow kPackageIdTable[] = {{nullptr, 0}};

}  // namespace pat
