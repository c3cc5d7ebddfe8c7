// Base relocations: every 32-bit address the linker wrote for the preferred
// base moves by the distance between that base and where the image was mapped.
#include <string.h>

#include "pe/pe_steps.h"

namespace pat::pe {

bool ApplyRelocations(Image *image, std::string *error) {
    uint32_t delta = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(image->base)) - image->Headers().optional.imageBase;
    DataDirectory dir = image->Directory(kRelocationDirectory);
    if (delta == 0) return true;
    if (dir.size == 0) {
        *error = "the image has no relocations and cannot move from its preferred base";
        return false;
    }
    for (uint32_t at = dir.rva; at < dir.rva + dir.size;) {
        const RelocationBlock *block = image->At<RelocationBlock>(at);
        if (block == nullptr || block->sizeOfBlock < sizeof(RelocationBlock) || block->sizeOfBlock % 2 != 0 ||
            block->sizeOfBlock > dir.rva + dir.size - at) {
            *error = "malformed relocation block at RVA " + std::to_string(at);
            return false;
        }
        uint32_t entries = (block->sizeOfBlock - sizeof(RelocationBlock)) / 2;
        const uint16_t *entry = image->At<uint16_t>(at + sizeof(RelocationBlock), entries);
        for (uint32_t i = 0; i < entries; ++i) {
            uint16_t type = entry[i] >> 12;
            if (type == kRelocationAbsolute) continue;  // padding
            uint8_t *target = image->At<uint8_t>(block->pageRva + (entry[i] & 0xFFF), 4);
            if (type != kRelocationHighLow || target == nullptr) {
                *error = "relocation of type " + std::to_string(type) + " at page RVA " +
                         std::to_string(block->pageRva) + " is not a 32-bit address inside the image";
                return false;
            }
            uint32_t value;
            memcpy(&value, target, 4);
            value += delta;
            memcpy(target, &value, 4);
        }
        at += block->sizeOfBlock;
    }
    return true;
}

}  // namespace pat::pe
