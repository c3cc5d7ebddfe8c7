// A host's polling cycle, as the benchmarks measure it: the record lists eight
// trays, the query asks for every category, and the printer's answer answers
// all of it, with the device ID and the request copy in the CentroData tree.
// Scale k makes the answer k times the realistic size (more trays listed,
// more version lines, bins and repeated inquiries); the request stays the same.
#ifndef PAT_BENCH_POLL_SCENARIO_H
#define PAT_BENCH_POLL_SCENARIO_H

#include <string>

#include "pat/pat.h"
#include "support/host_inputs.h"

namespace pat::bench {

// The answer, device ID, listed trays and CentroData tree of one cycle.
using test::BuildCentroData;
using test::kEveryCategory;
using test::ListEightTrays;
using test::PollAnswer;
using test::PollDeviceId;

// One whole cycle through the exports: query, CentroData tree with the request
// copy, answer and device ID, PatSetCentroDataTo, PatPrnInfoExToPrnInfo, and
// the host's frees of the request and its own tree. Returns the last result.
int RunPollCycle(PrnInfoEx *record, PrnInfo *flat, const std::string &answer, const std::string &deviceId);

// Releases a CentroData tree (BuildCentroData) as the host does.
void FreeHostTree(DataNode *root);

// Items and strings a record holds: what the module handed to the host.
uint32_t HandedBlocks(PrnInfoEx *record);

// Releases every item and string of a record, as a host discarding it.
void FreeRecordAsHost(PrnInfoEx *record);

}  // namespace pat::bench

#endif
