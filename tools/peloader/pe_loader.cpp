// Loading and unloading, step by step, and the list of loaded images that the
// stand-ins of the Win32 loader functions consult.
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include <algorithm>
#include <memory>

#include "peloader/pe_steps.h"
#include "platform/portable/module_registry.h"

namespace pat::pe {

namespace {

constexpr uint32_t kProcessDetach = 0, kProcessAttach = 1;

using EntryPoint = int(__attribute__((stdcall)) *)(void *module, uint32_t reason, void *reserved);

// Process-wide on purpose, like the Windows loader's module list: the image
// reaches GetModuleHandleA, GetProcAddress, FreeLibrary, VirtualQuery and
// VirtualProtect through its import table with their Win32 prototypes, so
// those stand-ins get only a name or an address and no loader object to ask;
// they find the image here. MapImageBytes adds it, UnloadImage removes it,
// and nothing else writes the list.
std::vector<Image *> g_loaded;

bool ReadableProtection(uint32_t win32) {  // PAGE_READONLY, _READWRITE, _EXECUTE_READ, _EXECUTE_READWRITE
    return win32 == 0x02 || win32 == 0x04 || win32 == 0x20 || win32 == 0x40;
}

bool CallEntryPoint(const Image &image, uint32_t reason) {
    uint32_t rva = image.Headers().optional.addressOfEntryPoint;
    return rva == 0 || reinterpret_cast<EntryPoint>(image.base + rva)(image.base, reason, nullptr) != 0;
}

// Windows reports the full path of a loaded module.
std::string FullPath(const char *path) {
    char resolved[PATH_MAX];
    return realpath(path, resolved) != nullptr ? resolved : path;
}

Loaded<> Register(Image *image) {
    const void *version = nullptr;
    uint32_t versionSize = 0;
    FindVersionResource(*image, &version, &versionSize);
    if (!portable::RegisterModuleFile(image->base, image->path.c_str(), version, versionSize))
        return Refused("the module file could not be registered");
    return {};
}

// The steps after mapping, in order; the first refusal ends the load.
Loaded<> Link(Image *image) {
    for (Loaded<> (*step)(Image *) : {ApplyRelocations, BindImports, AttachTls, ProtectImage, Register})
        if (Loaded<> done = step(image); !done) return done;
    return {};
}

}  // namespace

DataDirectory Image::Directory(DirectoryIndex which) const {
    const OptionalHeader32 &opt = headers.optional;
    return static_cast<uint32_t>(which) < opt.numberOfRvaAndSizes ? opt.directories[which] : DataDirectory{0, 0};
}

bool Image::Readable(uint32_t rva, uint32_t bytes) const {
    if (rva > size || bytes > size - rva) return false;
    if (bytes == 0) return true;
    for (uint32_t page = rva / kPageSize; page <= (rva + bytes - 1) / kPageSize; ++page)
        if (page >= pageProtection.size() || !ReadableProtection(pageProtection[page])) return false;
    return true;
}

// Page by page, so a string is read no further than its terminator.
const char *Image::Text(uint32_t rva) const {
    for (uint32_t at = rva; at < size; at = (at / kPageSize + 1) * kPageSize) {
        uint32_t pageEnd = (at / kPageSize + 1) * kPageSize;
        uint32_t length = (pageEnd < size ? pageEnd : size) - at;
        if (!Readable(at, length)) return nullptr;
        if (memchr(base + at, 0, length) != nullptr) return reinterpret_cast<const char *>(base + rva);
    }
    return nullptr;
}

uint32_t Image::RvaOf(uint32_t address) const {
    uint32_t rva = address - static_cast<uint32_t>(reinterpret_cast<uintptr_t>(base));
    return rva < size ? rva : size;
}

Loaded<Image *> MapImageBytes(const uint8_t *bytes, size_t size, const char *path) {
    auto image = std::make_unique<Image>();
    image->path = FullPath(path);
    Loaded<> checked = CheckImageFile(bytes, size, image.get());
    if (!checked) return std::unexpected(checked.error());
    if (Loaded<> mapped = MapSections(bytes, image.get()); !mapped) return std::unexpected(mapped.error());
    if (Loaded<> linked = Link(image.get()); !linked) {
        portable::UnregisterModuleFile(image->base);
        DetachTls(image.get());
        UnmapImage(image.get());
        return std::unexpected(linked.error());
    }
    g_loaded.push_back(image.get());
    return image.release();
}

Loaded<Image *> MapImage(const char *path) {
    Loaded<std::vector<uint8_t>> bytes = ReadImageFile(path);
    if (!bytes) return std::unexpected(bytes.error());
    return MapImageBytes(bytes->data(), bytes->size(), path);
}

Loaded<Image *> LoadImage(const char *path) {
    Loaded<Image *> mapped = MapImage(path);
    if (!mapped) return mapped;
    Image *image = *mapped;
    if (!EnterWin32Thread()) {
        UnloadImage(image);
        return Refused("the thread cannot be given a Win32 thread block");
    }
    image->attached = true;
    RunTlsCallbacks(*image, kProcessAttach);
    if (!CallEntryPoint(*image, kProcessAttach)) {
        UnloadImage(image);  // Windows, too, sends the detach
        return Refused("the entry point refused the attach");
    }
    return image;
}

void UnloadImage(Image *image) {
    if (image == nullptr) return;
    if (image->attached) {
        RunTlsCallbacks(*image, kProcessDetach);
        CallEntryPoint(*image, kProcessDetach);
    }
    g_loaded.erase(std::remove(g_loaded.begin(), g_loaded.end(), image), g_loaded.end());
    portable::UnregisterModuleFile(image->base);
    DetachTls(image);
    UnmapImage(image);
    delete image;
}

Image *LoadedImageAt(const void *address) {
    for (Image *image : g_loaded)
        if (address >= image->base && address < image->base + image->size) return image;
    return nullptr;
}

Image *LoadedImageNamed(const char *fileName) {
    std::string wanted = fileName;
    if (wanted.find('.') == std::string::npos) wanted += ".dll";
    for (Image *image : g_loaded) {
        size_t slash = image->path.find_last_of('/');
        if (strcasecmp(image->path.c_str() + (slash == std::string::npos ? 0 : slash + 1), wanted.c_str()) == 0)
            return image;
    }
    return nullptr;
}

}  // namespace pat::pe
