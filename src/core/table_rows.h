// Row shapes that several subsystems' tables share. Every table is an array
// of one shape ended by its terminator row; a terminator's code is the answer
// for a key that no row holds. Each subsystem declares its own shapes beside
// its part of the configuration.
#ifndef PAT_CORE_TABLE_ROWS_H
#define PAT_CORE_TABLE_ROWS_H

#include <stdint.h>

namespace pat {

// {name, code}; ended by a null name.
struct NameCodeRow {
    const char *name;
    int32_t code;
};

// Tray and bin names: {name, code, string identifier of the localized name}.
struct NamedDeviceRow {
    const char *name;
    uint32_t code;
    uint32_t stringId;
};

// {32-bit key, code}; ended by key 0xFFFFFFFF.
struct KeyCodeRow {
    uint32_t key;
    uint32_t code;
};
constexpr uint32_t kEndKey = 0xFFFFFFFFu;

// The printer family's model names and their model codes, read both from a
// device ID and from a host's device block; ended by a null name.
extern const NameCodeRow kModelNameTable[];

}  // namespace pat

#endif
