// Numbers in device ID values: signed 32-bit decimal.
#ifndef PAT_REPLY_DEVICE_ID_NUMBER_H
#define PAT_REPLY_DEVICE_ID_NUMBER_H

#include <stdint.h>

namespace pat {

// Skips leading white space, takes an optional sign, then decimal digits up to
// the first other character. No digits read 0. A value outside the signed
// 32-bit range saturates to INT32_MIN or INT32_MAX. A null text reads 0.
int32_t ReadDecimal(const char *text);

}  // namespace pat

#endif
