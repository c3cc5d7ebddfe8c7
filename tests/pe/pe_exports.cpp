// Export lookup by name and by ordinal, as GetProcAddress does it. A
// forwarded export (its address lies inside the export directory) names
// another DLL's function, which this loader does not follow.
#include <string.h>

#include "pe/pe_loader.h"

namespace pat::pe {

namespace {

const void *ExportAt(const Image &image, const ExportDirectory &dir, uint32_t index) {
    const uint32_t *functions = image.At<uint32_t>(dir.addressOfFunctions, dir.numberOfFunctions);
    if (functions == nullptr || index >= dir.numberOfFunctions || functions[index] == 0) return nullptr;
    DataDirectory range = image.Directory(kExportDirectory);
    uint32_t rva = functions[index];
    if (rva >= image.size || (rva >= range.rva && rva < range.rva + range.size)) return nullptr;
    return image.base + rva;
}

const ExportDirectory *Exports(const Image &image) {
    DataDirectory dir = image.Directory(kExportDirectory);
    return dir.size == 0 ? nullptr : image.At<ExportDirectory>(dir.rva);
}

}  // namespace

const void *ExportByOrdinal(const Image &image, uint32_t ordinal) {
    const ExportDirectory *dir = Exports(image);
    if (dir == nullptr || ordinal < dir->base) return nullptr;
    return ExportAt(image, *dir, ordinal - dir->base);
}

const void *ExportByName(const Image &image, const char *name) {
    const ExportDirectory *dir = Exports(image);
    if (dir == nullptr) return nullptr;
    const uint32_t *names = image.At<uint32_t>(dir->addressOfNames, dir->numberOfNames);
    const uint16_t *indices = image.At<uint16_t>(dir->addressOfNameOrdinals, dir->numberOfNames);
    if (names == nullptr || indices == nullptr) return nullptr;
    for (uint32_t i = 0; i < dir->numberOfNames; ++i) {
        const char *exported = image.Text(names[i]);
        if (exported != nullptr && strcmp(exported, name) == 0) return ExportAt(image, *dir, indices[i]);
    }
    return nullptr;
}

}  // namespace pat::pe
