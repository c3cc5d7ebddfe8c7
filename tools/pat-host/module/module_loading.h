// Where a Module comes from: libpat.so as pat-host is linked against it, or a
// file named by --module, an ELF shared object through the dynamic loader or
// a PE32 DLL through the PE loader. Loading a DLL runs its code (its TLS
// callbacks and entry point), as loading any shared object does.
#ifndef PAT_HOST_MODULE_LOADING_H
#define PAT_HOST_MODULE_LOADING_H

#include <memory>
#include <string>

#include "module/module.h"
#include "outcome/failure.h"

namespace pathost {

// A module, or CannotOpenModule / BadModule naming the file and what is wrong.
using LoadedModule = Expected<std::unique_ptr<Module>>;

// The libpat.so linked into pat-host. Its heap functions come from that
// library's own symbols (a copy of the portable backend linked in with the PE
// loader must not stand in for them).
LoadedModule LinkedModule();

// The exports of the linked libpat.so, by their linked symbols.
ExportTable LinkedExports();

// A file: ELF or PE32 by its first bytes.
LoadedModule LoadModule(const std::string &path);

// The linked module for an empty path.
LoadedModule LoadModuleOrLinked(const std::string &path);

}  // namespace pathost

#endif
