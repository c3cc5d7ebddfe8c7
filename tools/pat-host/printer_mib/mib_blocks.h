// The two PMInfo blocks pat-host builds from what the Printer MIB said, in
// its own memory: the configuration block (model, memory, trays, bins) and
// the status block (status word, engine statuses from the alerts, emulations
// from the interpreters). Every pointer inside points into this object, and
// what was not reported carries the absence mark (null, 0xFFFFFFFF); the
// module only reads them.
#ifndef PAT_HOST_PRINTER_MIB_MIB_BLOCKS_H
#define PAT_HOST_PRINTER_MIB_MIB_BLOCKS_H

#include <deque>
#include <string>
#include <vector>

#include "pat/pat.h"
#include "printer_mib/printer_mib.h"

namespace pathost {

class MibBlocks {
public:
    // modelName: give hrDeviceDescr as the model; memory: give hrMemorySize.
    MibBlocks(const PrinterMib &mib, bool modelName, bool memory);
    MibBlocks(const MibBlocks &) = delete;
    MibBlocks &operator=(const MibBlocks &) = delete;

    const PMInfoConfig *config() const { return &config_; }
    const PMInfoStatus *status() const { return &status_; }

    // What each part has to say: a part with nothing is not converted, so the
    // record keeps what it had.
    bool hasModel() const { return model_.pszModel != nullptr || model_.dwMemory != 0xFFFFFFFFu; }
    bool hasTrays() const { return !trays_.empty(); }
    bool hasBins() const { return !bins_.empty(); }
    bool hasStatusWord() const { return statusWord_.dwWord != 0xFFFFFFFFu; }
    bool hasEngineStatuses() const { return engineKnown_; }
    bool hasEmulations() const { return !emulations_.empty(); }

private:
    const char *Text(const std::string &text);  // null for an empty text: not reported
    template <typename Record>
    PMList *List(std::vector<Record> &records, std::vector<void *> &items, PMList &list);

    std::deque<std::string> texts_;
    PMModelRecord model_{};
    std::vector<PMTrayRecord> trays_;
    std::vector<PMBinRecord> bins_;
    std::vector<void *> trayItems_, binItems_;
    PMList trayList_{}, binList_{};
    PMInfoConfig config_{};

    PMStatusWord statusWord_{};
    std::vector<PMEngineStatusRecord> engineStatuses_;
    std::vector<PMEmulationRecord> emulations_;
    std::vector<void *> engineItems_, emulationItems_;
    PMList engineList_{}, emulationList_{};
    bool engineKnown_ = false;
    PMInfoStatus status_{};
};

}  // namespace pathost

#endif
