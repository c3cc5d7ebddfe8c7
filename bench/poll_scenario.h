// A host's polling cycle, as the benchmarks measure it: the record lists eight
// trays, the query asks for every category, and the printer's answer answers
// all of it, with the device ID and the request copy in the CentroData tree.
// Scale k makes the answer k times the realistic size (more trays listed,
// more version lines, bins and repeated inquiries); the request stays the same.
#ifndef PAT_BENCH_POLL_SCENARIO_H
#define PAT_BENCH_POLL_SCENARIO_H

#include <string>

#include "pat/pat.h"

namespace pat::bench {

constexpr uint32_t kEveryCategory = 0xFFFFFFFFu;

// The answer text to the full query for eight trays, at scale k.
std::string PollAnswer(int scale);

// A device ID as a printer of the family sends it.
std::string PollDeviceId();

// A record as a host keeps it between cycles: eight trays listed, so the query
// asks for their INQUIRE groups.
void ListEightTrays(PrnInfoEx *record);

// One whole cycle through the exports: query, CentroData tree with the request
// copy, answer and device ID, PatSetCentroDataTo, PatPrnInfoExToPrnInfo, and
// the host's frees of the request and its own tree. Returns the last result.
int RunPollCycle(PrnInfoEx *record, PrnInfo *flat, const std::string &answer, const std::string &deviceId);

// The CentroData tree of one cycle, built once (request copy included); the
// caller releases it with FreeHostTree.
DataNode *BuildCentroData(PrnInfoEx *record, const std::string &answer, const std::string &deviceId);
void FreeHostTree(DataNode *root);

// Items and strings a record holds: what the module handed to the host.
uint32_t HandedBlocks(PrnInfoEx *record);

// Releases every item and string of a record, as a host discarding it.
void FreeRecordAsHost(PrnInfoEx *record);

}  // namespace pat::bench

#endif
