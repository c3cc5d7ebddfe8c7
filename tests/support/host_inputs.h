// What a host passes the module in a realistic polling cycle: the printer's
// answer to the full query and its device ID, the trays a record lists
// between polls, and PMInfo blocks of both variants. Shared by the
// reliability tests and the benchmarks; needs no test framework.
#ifndef PAT_TESTS_SUPPORT_HOST_INPUTS_H
#define PAT_TESTS_SUPPORT_HOST_INPUTS_H

#include <stdint.h>

#include <string>
#include <vector>

#include "pat/pat.h"

namespace pat::test {

constexpr uint32_t kEveryCategory = 0xFFFFFFFFu;

// The answer text to the full query for eight trays, k times the realistic
// size (more trays listed, more version lines, bins and repeated inquiries).
std::string PollAnswer(int scale);

// A device ID as a printer of the family sends it.
std::string PollDeviceId();

// A record as a host keeps it between cycles: eight trays listed, so the query
// asks for their INQUIRE groups.
void ListEightTrays(PrnInfoEx *record);

// The CentroData tree of one cycle: the request PatCreateQueryInfo builds for
// every category (the request copy), the answer and the device ID, each
// payload with its terminator. Released with GlobalFree node by node.
DataNode *BuildCentroData(PrnInfoEx *record, const std::string &answer, const std::string &deviceId);

// A host's configuration block: trays whose sizes range over the paper table
// (some match late rows, some none, some are roll paper), 16 bins, an option,
// four functions, an active function package and a sales package.
class PMConfigBlock {
public:
    explicit PMConfigBlock(uint32_t trayCount);
    PMConfigBlock(const PMConfigBlock &) = delete;
    PMConfigBlock &operator=(const PMConfigBlock &) = delete;
    const PMInfoConfig *get() const { return &block_; }
    // The bytes a conversion of the trays, or of the whole block, reads.
    uint32_t TrayBytes() const { return static_cast<uint32_t>(trays_.size() * (sizeof(PMTrayRecord) + 12)); }
    uint32_t BlockBytes() const { return TrayBytes() + 16 * (sizeof(PMBinRecord) + 14) + sizeof(PMInfoConfig) + 64; }

private:
    uint32_t mask_[2] = {0, 1};
    std::vector<PMTrayRecord> trays_;
    std::vector<void *> trayPointers_, binPointers_, functionPointers_;
    PMBinRecord full_ = {"Finisher Tray", 1}, mailbox_ = {"Mailbox Tray 9", 0};
    PMOptionRecord option_ = {3};
    void *optionPointers_[1] = {&option_};
    uint32_t functions_[4] = {1, 5, 2008, 7};
    PMPackageRecord active_ = {"604271958-A", "function package", 1}, sold_ = {"S-1", "sales package", 1};
    PMPackageRecord *packageList_[2] = {&active_, &sold_};
    PMPackageBlock packages_ = {2, packageList_, 2, packageList_};
    PMModelRecord model_ = {"Model 9", "1.00", 268435456, 0, "Maker"};
    PMList trayList_, binList_, optionList_, functionList_;
    PMInfoConfig block_;
};

// A host's status block: a status word, three emulations (two of them with the
// versions the record keeps), fonts, four engine statuses and the copy guard.
class PMStatusBlock {
public:
    PMStatusBlock();
    PMStatusBlock(const PMStatusBlock &) = delete;
    PMStatusBlock &operator=(const PMStatusBlock &) = delete;
    const PMInfoStatus *get() const { return &block_; }

private:
    PMStatusWord word_ = {0x08400001};
    PMEmulationRecord emulations_[3] = {{0, "2.00", "VORD"}, {0, "3011", "Adobe PostScript 3"}, {0, "9", "PCL"}};
    PMFontRecord fonts_[2] = {{"Courier"}, {"Times"}};
    PMEngineStatusRecord statuses_[4] = {
        {0, 10001, "Ready", 5}, {0, 20002, "Tray 2 empty", 3}, {0, 30003, "Toner low", 5}, {0, 0x12345, "Jam", 0}};
    PMCopyGuardRecord guard_ = {0, 2};
    void *emulationPointers_[3], *fontPointers_[2], *statusPointers_[4];
    PMList emulationList_, fontList_, statusList_;
    PMInfoStatus block_;
};

}  // namespace pat::test

#endif
