// The Prometheus text exposition of the fleet: one family of samples per
// metric name, each with its HELP and TYPE, names with the pat_ prefix and in
// base units. A target's samples are rendered when its poll finishes, so a
// scrape only joins texts already made.
#ifndef PAT_HOST_SERVE_METRICS_H
#define PAT_HOST_SERVE_METRICS_H

#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "serve/fleet.h"
#include "serve/http_server.h"

namespace pathost::serve {

constexpr size_t kMetricFamilies = 21;

// The lines of every family for one target, family after family in one text.
struct TargetSamples {
    std::string text;
    std::array<uint32_t, kMetricFamilies + 1> start{};  // where each family's lines begin

    std::string_view Family(size_t family) const {
        return std::string_view(text).substr(start[family], start[family + 1] - start[family]);
    }
};

TargetSamples SamplesOf(const std::string &target, const TargetStatus &status);

// Every target's lines kept family by family, in blocks of targets: a scrape
// joins a few thousand texts, not one per target and family (the cost of a
// scrape under emulation), and a finished poll splices its target's new lines
// into its block.
class FleetSamples {
public:
    explicit FleetSamples(size_t targets);
    void Set(size_t target, const TargetSamples &samples);
    size_t blocks() const { return blocks_.size(); }
    const std::string &Text(size_t block, size_t family) const { return blocks_[block][family]; }

private:
    static constexpr size_t kBlock = 64;
    std::vector<std::array<std::string, kMetricFamilies>> blocks_;
    std::vector<std::array<uint32_t, kMetricFamilies>> lengths_;  // each target's, per family
};

// The whole exposition, made while it is sent: every family once, the
// targets' lines in their order, and pat_build_info{version, module}. A poll
// that finishes meanwhile shows in the families not sent yet.
// `lock` (null when nothing else changes them) guards the samples.
HttpResponse Exposition(std::shared_ptr<const FleetSamples> samples, std::shared_ptr<std::mutex> lock,
                        const ModuleIdentity &module);
// The same as one text (a probe's answer, kept for reuse).
std::string ExpositionText(std::shared_ptr<const FleetSamples> samples, const ModuleIdentity &module);

constexpr const char *kExpositionType = "text/plain; version=0.0.4; charset=utf-8";

}  // namespace pathost::serve

#endif
