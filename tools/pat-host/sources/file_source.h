// A device ID read from a file (--device-id-file), with or without its two
// length bytes: a capture, or a line written by hand.
#ifndef PAT_HOST_SOURCES_FILE_SOURCE_H
#define PAT_HOST_SOURCES_FILE_SOURCE_H

#include "sources/source_kinds.h"

namespace pathost {

SourcePtr FileSource(std::string path);
SourceKind FileSourceKind();

}  // namespace pathost

#endif
