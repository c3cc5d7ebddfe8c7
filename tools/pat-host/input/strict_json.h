// JSON files people write (a targets file, a simulator profile), read more
// strictly than the library reads them: a key given twice in one object, a
// number beyond what a double holds and a NUL in a text are errors naming
// the field, since each would otherwise be read as something else (the last
// key winning, an internal error, a text cut short further on).
#ifndef PAT_HOST_INPUT_STRICT_JSON_H
#define PAT_HOST_INPUT_STRICT_JSON_H

#include <nlohmann/json.hpp>
#include <string>

#include "outcome/failure.h"

namespace pathost {

// A DataError's message is "PATH: problem" ("targets[2].address: holds a NUL
// byte"), or "not JSON: ..." where the text stops being JSON.
Expected<nlohmann::json> ParseStrictJson(const std::string &text);

}  // namespace pathost

#endif
