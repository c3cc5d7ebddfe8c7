// The part of the configuration that one subsystem reads: the subsystem
// defines the part it ships with, and the top layer may put another in force
// (tests run the same code against tables with rows that way).
#ifndef PAT_CORE_CONFIG_SLOT_H
#define PAT_CORE_CONFIG_SLOT_H

namespace pat {

template <typename Part>
class ConfigSlot {
public:
    // Constant-initialized, so the shipped part is in force before any code
    // of the module runs.
    constexpr explicit ConfigSlot(const Part &shipped) : shipped_(&shipped) {}

    const Part &Active() const { return installed_ != nullptr ? *installed_ : *shipped_; }

    // Null puts the shipped part back in force.
    void Install(const Part *part) { installed_ = part; }

private:
    const Part *shipped_;
    const Part *installed_ = nullptr;
};

// Defines the slot of a subsystem's part and its two functions,
// Active<Part>Config() and Install<Part>Config(), in that subsystem.
#define PAT_DEFINE_CONFIG_SLOT(Part)                                                     \
    namespace {                                                                          \
    constinit ConfigSlot<Part##Config> g_##Part##Slot{kShipped##Part##Config};           \
    }                                                                                    \
    const Part##Config &Active##Part##Config() { return g_##Part##Slot.Active(); }       \
    void Install##Part##Config(const Part##Config *config) { g_##Part##Slot.Install(config); }

}  // namespace pat

#endif
