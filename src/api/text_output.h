// The length protocol of every export that hands text to the host.
#ifndef PAT_API_TEXT_OUTPUT_H
#define PAT_API_TEXT_OUTPUT_H

#include <stdint.h>

#include "core/error_codes.h"

namespace pat {

// Sets *length to the text's length plus one, whatever the outcome; copies the
// text only when the caller's length sufficed and the buffer exists, else kBufferTooSmall.
Status DeliverText(const char *text, char *out, uint32_t *length);

}  // namespace pat

#endif
