// What changed in a record between two polls (--watch): fields, and list
// items matched by their code (the first field of every item).
#ifndef PAT_HOST_RECORD_DIFF_H
#define PAT_HOST_RECORD_DIFF_H

#include <string>
#include <vector>

#include "snapshot/snapshot_json.h"

namespace pathost {

struct Change {
    std::string path;  // "dwMemoryKB", "pTrayInfo[wTray=4].wLevel", "pOutBinInfo[wBin=1]"
    Json before;       // null when an item was added
    Json after;        // null when an item was removed
};

// Both sides are RecordJson documents. List counts are not reported on their
// own: the items say it.
std::vector<Change> DiffRecords(const Json &before, const Json &after);
// The same for the records of two snapshots.
std::vector<Change> DiffSnapshots(const PrinterSnapshot &before, const PrinterSnapshot &after);
// Two flat records field by field ("PrnInfo.dwMemoryKB"); nothing when only one
// side has one: its conversion's result tells that.
std::vector<Change> DiffFlat(const FlatSnapshot *before, const FlatSnapshot *after);

std::string FormatChange(const Change &change);

}  // namespace pathost

#endif
