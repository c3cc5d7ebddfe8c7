// Base relocations: every 32-bit address the linker wrote for the preferred
// base moves by the distance between that base and where the image was mapped.
// The table is checked whole even when the image did not move, so a malformed
// one is refused wherever the system happens to map the image.
#include <string.h>

#include "peloader/pe_steps.h"

namespace pat::pe {

namespace {

}  // namespace

Loaded<> ApplyRelocations(Image *image) {
    uint32_t delta = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(image->base)) - image->Headers().optional.imageBase;
    DataDirectory dir = image->Directory(kRelocationDirectory);
    if (dir.size == 0 && delta != 0) return Refused("the image has no relocations and cannot move from its preferred base");
    uint32_t end = dir.rva + dir.size;  // CheckImageFile put the directory inside the image
    for (uint32_t at = dir.rva; at < end;) {
        const RelocationBlock *block = image->At<RelocationBlock>(at);
        if (block == nullptr || block->sizeOfBlock < sizeof(RelocationBlock) || block->sizeOfBlock % 2 != 0 ||
            block->sizeOfBlock > end - at)
            return Refused("malformed relocation block at RVA " + Hex(at) + ": size " +
                                   (block != nullptr ? Hex(block->sizeOfBlock) : std::string("unreadable")) + ", " +
                                   Hex(end - at) + " bytes left in the directory");
        if (block->pageRva >= image->size)
            return Refused("relocation block at RVA " + Hex(at) + " is for page RVA " + Hex(block->pageRva) +
                                   ", outside the image");
        uint32_t entries = (block->sizeOfBlock - sizeof(RelocationBlock)) / 2;
        const uint16_t *entry = image->At<uint16_t>(at + sizeof(RelocationBlock), entries);
        for (uint32_t i = 0; i < entries; ++i) {
            uint16_t type = entry[i] >> 12;
            if (type == kRelocationAbsolute) continue;  // padding
            uint32_t rva = block->pageRva + (entry[i] & 0xFFF);  // pageRva < size <= 256 MB: no wrap
            uint8_t *target = image->At<uint8_t>(rva, 4);
            if (type != kRelocationHighLow || target == nullptr)
                return Refused("relocation of type " + std::to_string(type) + " at RVA " + Hex(rva) +
                                       " is not a 32-bit address inside the image");
            uint32_t value;
            memcpy(&value, target, 4);
            value += delta;
            memcpy(target, &value, 4);
        }
        at += block->sizeOfBlock;
    }
    return {};
}

}  // namespace pat::pe
