// The Prometheus text exposition of the fleet: one family of samples per
// metric name, each with its HELP and TYPE, names with the pat_ prefix and in
// base units. A target's samples are rendered when its poll finishes, so a
// scrape only joins texts already made.
#ifndef PAT_HOST_SERVE_METRICS_H
#define PAT_HOST_SERVE_METRICS_H

#include <string>
#include <vector>

#include "serve/fleet.h"

namespace pathost::serve {

// The lines of every family for one target, in the family order.
struct TargetSamples {
    std::vector<std::string> lines;
};

TargetSamples SamplesOf(const std::string &target, const TargetStatus &status);

// The whole exposition: every family once, the targets' lines in their order,
// and pat_build_info{version, module}.
std::string Exposition(const std::vector<const TargetSamples *> &targets, const ModuleIdentity &module);

constexpr const char *kExpositionType = "text/plain; version=0.0.4; charset=utf-8";

}  // namespace pathost::serve

#endif
