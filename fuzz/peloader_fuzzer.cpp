// The PE loader on a file from the input: the file checks and every mapping
// step (sections, relocations, binding, TLS index, protections, the version
// resource), then export lookups by name and ordinal and the version
// functions over the image's own resource. No code of the image runs. A file
// is either refused with a message or mapped; a mapped image unloads whole,
// and nothing stays allocated or registered.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "peloader/pe_loader.h"
#include "platform/platform.h"
#include "platform/portable/test_hooks.h"

namespace {

constexpr char kPath[] = "/fuzz/pat.dll";  // the file is never opened; the path names the image

const char *const kNames[] = {"PatCreateQueryInfo", "PatGetDllVersion", "PatGetPalette", "DllMain", ""};

void Require(bool condition) {
    if (!condition) abort();
}

bool Inside(const pat::pe::Image &image, const void *address) {
    return address >= image.base && address < image.base + image.size;
}

void LookUpExports(const pat::pe::Image &image, uint32_t extraOrdinal) {
    for (const char *name : kNames) {
        pat::pe::Loaded<const void *> found = pat::pe::ExportByName(image, name);
        Require(found ? Inside(image, *found) : !found.error().empty());
    }
    for (uint32_t ordinal : {0u, 1u, 2u, 11u, 17u, 18u, 0xFFFFu, 0xFFFFFFFFu, extraOrdinal}) {
        pat::pe::Loaded<const void *> found = pat::pe::ExportByOrdinal(image, ordinal);
        Require(found ? Inside(image, *found) : !found.error().empty());
    }
}

// What PatGetDllVersion asks of the image's version resource.
void ReadVersion() {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(kPath, &handle);
    if (size == 0 || size > (1u << 20)) return;
    void *block = GlobalAlloc(GMEM_FIXED, size);
    if (block == nullptr) return;
    void *fixed = nullptr;
    UINT length = 0;
    if (GetFileVersionInfoA(kPath, handle, size, block)) VerQueryValueA(block, "\\", &fixed, &length);
    GlobalFree(block);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    uint32_t liveBefore = pat::portable::HeapLiveBlocks();
    pat::pe::Loaded<pat::pe::Image *> mapped = pat::pe::MapImageBytes(data, size, kPath);
    Require(mapped ? *mapped != nullptr : !mapped.error().empty());
    if (mapped) {
        pat::pe::Image *image = *mapped;
        Require(!image->attached);
        uint32_t extraOrdinal = size >= 4 ? data[size - 1] | data[size - 2] << 8 : 0;
        LookUpExports(*image, extraOrdinal);
        ReadVersion();
        pat::pe::UnloadImage(image);
    }
    Require(pat::pe::LoadedImageNamed("pat.dll") == nullptr);
    Require(pat::portable::HeapLiveBlocks() == liveBefore);
    return 0;
}
