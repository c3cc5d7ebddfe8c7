// A snapshot as JSON, every field under its name in pat.h, lists as arrays of
// their items (without the next/size header), strings null when unset.
// Reserved bytes are left out.
#ifndef PAT_HOST_SNAPSHOT_JSON_H
#define PAT_HOST_SNAPSHOT_JSON_H

#include <nlohmann/json.hpp>

#include "snapshot/printer_snapshot.h"

namespace pathost {

using Json = nlohmann::ordered_json;

// The PrnInfoEx object of --json.
Json RecordJson(const PrinterSnapshot &snapshot);
// The PrnInfo object of --json (arrays cut to their counts).
Json FlatJson(const FlatSnapshot &flat);

}  // namespace pathost

#endif
