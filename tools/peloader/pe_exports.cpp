// Export lookup by name and by ordinal, as GetProcAddress does it. A
// forwarded export (its address lies inside the export directory) names
// another DLL's function, which this loader does not follow.
#include <string.h>

#include "peloader/pe_steps.h"

namespace pat::pe {

namespace {

constexpr uint32_t kMaxExports = 65536;  // ordinals are 16-bit

Loaded<const ExportDirectory *> Exports(const Image &image) {
    DataDirectory dir = image.Directory(kExportDirectory);
    const ExportDirectory *exports = dir.size < sizeof(ExportDirectory) ? nullptr : image.At<ExportDirectory>(dir.rva);
    if (exports == nullptr)
        return Refused(dir.size == 0 ? "the image has no export directory" : "the export directory is unreadable");
    if (exports->numberOfFunctions > kMaxExports || exports->numberOfNames > kMaxExports)
        return Refused("the export directory lists " + std::to_string(exports->numberOfFunctions) + " functions and " +
                       std::to_string(exports->numberOfNames) + " names, more than 16-bit ordinals reach");
    return exports;
}

// what: how the caller named the export, for the message.
Loaded<const void *> ExportAt(const Image &image, const ExportDirectory &dir, uint32_t index, const std::string &what) {
    const uint32_t *functions = image.At<uint32_t>(dir.addressOfFunctions, dir.numberOfFunctions);
    if (functions == nullptr) return Refused("the export address table runs past the image");
    if (index >= dir.numberOfFunctions || functions[index] == 0) return Refused("no export " + what);
    DataDirectory range = image.Directory(kExportDirectory);
    uint32_t rva = functions[index];
    if (rva >= range.rva && rva < range.rva + range.size) {
        const char *target = image.Text(rva);
        return Refused("export " + what + " is forwarded to " + (target != nullptr ? target : "?") +
                               ", which this loader does not follow");
    }
    if (rva >= image.size) return Refused("export " + what + " lies outside the image (RVA " + Hex(rva) + ")");
    return static_cast<const void *>(image.base + rva);
}

}  // namespace

Loaded<const void *> ExportByOrdinal(const Image &image, uint32_t ordinal) {
    Loaded<const ExportDirectory *> exports = Exports(image);
    if (!exports) return std::unexpected(exports.error());
    const ExportDirectory *dir = *exports;
    std::string what = "at ordinal " + std::to_string(ordinal);
    if (ordinal < dir->base) return Refused("no export " + what + " (ordinals start at " + std::to_string(dir->base) + ")");
    return ExportAt(image, *dir, ordinal - dir->base, what);
}

Loaded<const void *> ExportByName(const Image &image, const char *name) {
    Loaded<const ExportDirectory *> exports = Exports(image);
    if (!exports) return std::unexpected(exports.error());
    const ExportDirectory *dir = *exports;
    const uint32_t *names = image.At<uint32_t>(dir->addressOfNames, dir->numberOfNames);
    const uint16_t *indices = image.At<uint16_t>(dir->addressOfNameOrdinals, dir->numberOfNames);
    if (names == nullptr || indices == nullptr) return Refused("the export name tables run past the image");
    for (uint32_t i = 0; i < dir->numberOfNames; ++i) {
        const char *exported = image.Text(names[i]);
        if (exported != nullptr && strcmp(exported, name) == 0)
            return ExportAt(image, *dir, indices[i], std::string("named ") + name);
    }
    return Refused(std::string("no export named ") + name);
}

}  // namespace pat::pe
