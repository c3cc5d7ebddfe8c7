#include "api/text_output.h"

#include <string.h>

namespace pat {

Status DeliverText(const char *text, char *out, uint32_t *length) {
    uint32_t needed = static_cast<uint32_t>(strlen(text)) + 1;
    uint32_t given = *length;
    *length = needed;
    // A null buffer with a sufficient length is never written through.
    if (given < needed || out == nullptr) return kBufferTooSmall;
    memcpy(out, text, needed);
    return kOk;
}

}  // namespace pat
