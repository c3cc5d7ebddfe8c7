// Mapping: the image gets fresh anonymous memory wherever the system puts it
// (so the relocations are exercised), its headers and sections are copied in,
// and, once relocated and bound, each page gets the protection its section
// asks for. The page protections are kept in Win32 terms for VirtualQuery.
#include <string.h>
#include <sys/mman.h>

#include "peloader/pe_steps.h"

namespace pat::pe {

namespace {

constexpr uint32_t kPageNoAccess = 0x01, kPageReadOnly = 0x02, kPageReadWrite = 0x04, kPageExecute = 0x10,
                   kPageExecuteRead = 0x20, kPageExecuteReadWrite = 0x40;

uint32_t Win32Protection(uint32_t characteristics) {
    bool x = characteristics & kSectionExecute, w = characteristics & kSectionWrite;
    bool r = characteristics & kSectionRead;
    if (x) return w ? kPageExecuteReadWrite : r ? kPageExecuteRead : kPageExecute;
    return w ? kPageReadWrite : r ? kPageReadOnly : kPageNoAccess;
}

// -1 for a protection value this loader does not know.
int PosixProtection(uint32_t win32) {
    switch (win32) {
    case kPageNoAccess: return PROT_NONE;
    case kPageReadOnly: return PROT_READ;
    case kPageReadWrite: return PROT_READ | PROT_WRITE;
    case kPageExecute: return PROT_EXEC;
    case kPageExecuteRead: return PROT_READ | PROT_EXEC;
    case kPageExecuteReadWrite: return PROT_READ | PROT_WRITE | PROT_EXEC;
    default: return -1;
    }
}

}  // namespace

Loaded<> MapSections(const uint8_t *bytes, Image *image) {
    const OptionalHeader32 &opt = image->headers.optional;
    uint32_t size = (opt.sizeOfImage + kPageSize - 1) / kPageSize * kPageSize;
    void *base = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) return Refused("no memory for an image of " + std::to_string(size) + " bytes");
    image->base = static_cast<uint8_t *>(base);
    image->size = size;
    memcpy(image->base, bytes, opt.sizeOfHeaders);
    for (const SectionHeader &s : image->sections) {  // CheckImageFile put each inside file and image
        uint32_t extent = s.virtualSize != 0 ? s.virtualSize : s.sizeOfRawData;
        uint32_t copied = s.sizeOfRawData < extent ? s.sizeOfRawData : extent;  // the rest stays zero
        if (copied != 0) memcpy(image->base + s.virtualAddress, bytes + s.pointerToRawData, copied);
    }
    image->pageProtection.assign(size / kPageSize, kPageReadWrite);  // as mapped, until ProtectImage
    return {};
}

Loaded<> ProtectImage(Image *image) {
    uint32_t headerPages = (image->headers.optional.sizeOfHeaders + kPageSize - 1) / kPageSize;
    bool ok = ChangeProtection(image, 0, static_cast<uint32_t>(image->pageProtection.size()), kPageNoAccess) &&
              ChangeProtection(image, 0, headerPages, kPageReadOnly);
    for (size_t i = 0; ok && i < image->sections.size(); ++i) {
        const SectionHeader &s = image->sections[i];
        uint32_t extent = s.virtualSize != 0 ? s.virtualSize : s.sizeOfRawData;
        uint32_t pages = (extent + kPageSize - 1) / kPageSize;
        ok = ChangeProtection(image, s.virtualAddress / kPageSize, pages, Win32Protection(s.characteristics));
    }
    if (!ok) return Refused("the sections' protections could not be applied");
    return {};
}

bool ChangeProtection(Image *image, uint32_t firstPage, uint32_t pages, uint32_t win32Protection) {
    int posix = PosixProtection(win32Protection);
    if (posix < 0 || firstPage > image->pageProtection.size() || pages > image->pageProtection.size() - firstPage)
        return false;
    if (pages != 0 && mprotect(image->base + firstPage * kPageSize, pages * kPageSize, posix) != 0) return false;
    for (uint32_t p = firstPage; p < firstPage + pages; ++p) image->pageProtection[p] = win32Protection;
    return true;
}

void UnmapImage(Image *image) {
    if (image->base != nullptr) munmap(image->base, image->size);
    image->base = nullptr;
}

}  // namespace pat::pe
