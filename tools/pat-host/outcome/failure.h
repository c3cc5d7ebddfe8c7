// The one way pat-host says that something expected went wrong: a function
// that can fail returns Expected<T>, whose error is the kind of result (its
// exit status, --json word and hint) and a sentence for people. Exceptions
// are left for bugs and for running out of memory.
#ifndef PAT_HOST_OUTCOME_FAILURE_H
#define PAT_HOST_OUTCOME_FAILURE_H

#include <expected>
#include <string>
#include <utility>

#include "outcome/outcome_kind.h"

namespace pathost {

struct Failure {
    OutcomeKind kind = OutcomeKind::InternalError;
    std::string message;  // names what failed: the file, the field, the printer, the export
    std::string hint;     // what to try next, when the kind's own hint does not fit; usually empty

    // The hint the outputs show: this failure's own, else its kind's.
    std::string Hint() const { return hint.empty() ? std::string(HintOf(kind)) : hint; }
};

template <typename T = void>
using Expected = std::expected<T, Failure>;

inline std::unexpected<Failure> Fail(OutcomeKind kind, std::string message, std::string hint = {}) {
    return std::unexpected<Failure>(Failure{kind, std::move(message), std::move(hint)});
}

}  // namespace pathost

#endif
