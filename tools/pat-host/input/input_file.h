// Reading a whole input file (a capture, a device ID, a profile, a targets
// file) with one set of rules: what cannot be opened or read, a directory
// included, is NoInput (66); a file over its size limit is a DataError (65).
#ifndef PAT_HOST_INPUT_INPUT_FILE_H
#define PAT_HOST_INPUT_INPUT_FILE_H

#include <stddef.h>

#include <limits>
#include <string>

#include "outcome/failure.h"

namespace pathost {

// what: how the messages name the file ("the capture", "the profile");
// tooLarge: what they say of a file over the limit ("larger than 64 KiB").
Expected<std::string> ReadInputFile(const std::string &path, const std::string &what,
                                    size_t limit = std::numeric_limits<size_t>::max(),
                                    const std::string &tooLarge = {});

}  // namespace pathost

#endif
