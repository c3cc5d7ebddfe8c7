#include "text/current_language.h"

namespace pat {

// Constant-initialized: in force before any export can run.
constinit std::atomic<uint16_t> CurrentLangId{kDefaultLangId};

static_assert(std::atomic<uint16_t>::is_always_lock_free, "the resource language must not need a lock");

}  // namespace pat
