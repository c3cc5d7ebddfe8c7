// Where two runs of one capture through two modules part: the outcome, the
// query each would send, every export call (result and last error), the
// PrnInfoEx record field by field (as --watch lists changes) and the flat
// PrnInfo.
#ifndef PAT_HOST_RUN_DIFF_H
#define PAT_HOST_RUN_DIFF_H

#include <vector>

#include "poll/capture_replay.h"
#include "snapshot/record_diff.h"

namespace pathost {

// Each Change goes from the first module (before) to the second (after).
std::vector<Change> DiffRuns(const ReplayRun &first, const ReplayRun &second);

}  // namespace pathost

#endif
