// Binding: every import, by name, gets the address of its stand-in. Whatever
// the image imports and the stand-in tables lack is listed, all of it, and
// fails the load; no import slot is ever left null.
#include "pe/pe_steps.h"
#include "pe/stand_ins.h"

namespace pat::pe {

bool BindImports(Image *image, std::string *error) {
    DataDirectory dir = image->Directory(kImportDirectory);
    std::string missing;
    for (uint32_t at = dir.rva; dir.size != 0; at += sizeof(ImportDescriptor)) {
        const ImportDescriptor *d = image->At<ImportDescriptor>(at);
        if (d == nullptr) {
            *error = "import directory runs past the image";
            return false;
        }
        if (d->name == 0) break;
        const char *dll = image->Text(d->name);
        uint32_t lookup = d->lookupTable != 0 ? d->lookupTable : d->addressTable;
        for (uint32_t i = 0;; ++i) {
            const uint32_t *entry = image->At<uint32_t>(lookup + 4 * i);
            uint32_t *slot = image->At<uint32_t>(d->addressTable + 4 * i);
            if (dll == nullptr || entry == nullptr || slot == nullptr) {
                *error = "import tables run past the image";
                return false;
            }
            if (*entry == 0) break;
            const char *name = (*entry & kImportByOrdinal) ? nullptr : image->Text(*entry + 2);  // after the hint
            const void *standIn = name != nullptr ? FindStandIn(dll, name) : nullptr;
            if (standIn == nullptr) {
                missing += missing.empty() ? "" : ", ";
                missing += std::string(dll) + "!" +
                           (name != nullptr ? name : "#" + std::to_string(*entry & 0xFFFF) + " (by ordinal)");
            }
            *slot = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(standIn));
        }
    }
    if (!missing.empty()) *error = "imports without a stand-in: " + missing;
    return missing.empty();
}

}  // namespace pat::pe
