// The records as JSON, every field under its name in pat.h, lists as arrays of
// their items (without the next/size header). Reserved bytes are left out.
#ifndef PAT_HOST_RECORD_JSON_H
#define PAT_HOST_RECORD_JSON_H

#include <nlohmann/json.hpp>

#include "pat/pat.h"

namespace pathost {

using Json = nlohmann::ordered_json;

Json RecordToJson(const PrnInfoEx &record);
Json FlatToJson(const PrnInfo &flat);

// A fixed text field, up to its NUL or its width.
std::string FixedText(const char *field, size_t width);

}  // namespace pathost

#endif
