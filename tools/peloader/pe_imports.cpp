// Binding: every import, by name, gets the address of its stand-in. Whatever
// the image imports and the stand-in tables lack is listed, all of it, and
// fails the load; no import slot is ever left null.
#include "peloader/pe_steps.h"

namespace pat::pe {

namespace {

}  // namespace

Loaded<> BindImports(Image *image) {
    DataDirectory dir = image->Directory(kImportDirectory);
    std::string missing;
    // The descriptors end with a null one, not at the directory's size, as the
    // Windows loader reads them; each read stays inside the image.
    for (uint32_t at = dir.rva; dir.size != 0; at += sizeof(ImportDescriptor)) {
        const ImportDescriptor *d = image->At<ImportDescriptor>(at);
        if (d == nullptr) return Refused("import directory runs past the image at RVA " + Hex(at));
        if (d->name == 0) break;
        const char *dll = image->Text(d->name);
        if (dll == nullptr)
            return Refused("import descriptor at RVA " + Hex(at) + ": its DLL name at RVA " + Hex(d->name) +
                                   " runs past the image");
        uint32_t lookup = d->lookupTable != 0 ? d->lookupTable : d->addressTable;
        for (uint32_t i = 0;; ++i) {
            // Each step moves 4 bytes on from an RVA inside the image: no wrap.
            const uint32_t *entry = image->At<uint32_t>(lookup + 4 * i);
            uint32_t *slot = image->At<uint32_t>(d->addressTable + 4 * i);
            if (entry == nullptr || slot == nullptr)
                return Refused(std::string("import tables of ") + dll + " run past the image (lookup RVA " +
                                       Hex(lookup) + ", address RVA " + Hex(d->addressTable) + ")");
            if (*entry == 0) break;
            bool byOrdinal = (*entry & kImportByOrdinal) != 0;
            const char *name = byOrdinal ? nullptr : image->Text(*entry + 2);  // after the hint; *entry < 2^31
            if (!byOrdinal && name == nullptr)
                return Refused(std::string("import name of ") + dll + " at RVA " + Hex(*entry) +
                                       " runs past the image");
            const void *standIn = name != nullptr ? FindStandIn(dll, name) : nullptr;
            if (standIn == nullptr) {
                missing += missing.empty() ? "" : ", ";
                missing += std::string(dll) + "!" +
                           (name != nullptr ? name : "#" + std::to_string(*entry & 0xFFFF) + " (by ordinal)");
            }
            *slot = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(standIn));
        }
    }
    if (!missing.empty()) return Refused("imports without a stand-in: " + missing);
    return {};
}

}  // namespace pat::pe
