// A small PE32 loader for the i386 test process: it loads a DLL the way the
// Windows loader does (map the sections with their protections, apply the base
// relocations, bind the imports, set up TLS, call the entry point) and links
// its imports against the stand-ins of stand_ins.h instead of system DLLs.
#ifndef PAT_TESTS_PE_PE_LOADER_H
#define PAT_TESTS_PE_PE_LOADER_H

#include <stdint.h>

#include <string>
#include <vector>

#include "pe/pe_format.h"

namespace pat::pe {

constexpr uint32_t kNoTlsIndex = 0xFFFFFFFF;

// A mapped image. Every read of the image goes through At or Text, which
// refuse ranges that leave it.
struct Image {
    std::string path;
    uint8_t *base = nullptr;
    uint32_t size = 0;
    std::vector<uint32_t> pageProtection;  // Win32 PAGE_* value of each page
    uint32_t tlsIndex = kNoTlsIndex;
    void *tlsData = nullptr;  // the loading thread's copy of the TLS template

    const NtHeaders32 &Headers() const;
    DataDirectory Directory(DirectoryIndex which) const;  // {0, 0} when absent
    template <typename T>
    T *At(uint32_t rva, uint32_t count = 1) const {
        if (rva > size || count > (size - rva) / sizeof(T)) return nullptr;
        return reinterpret_cast<T *>(base + rva);
    }
    const char *Text(uint32_t rva) const;  // a NUL-terminated string inside the image
    uint32_t RvaOf(uint32_t address) const;  // an address inside the image as an RVA; size if outside
};

// Loads and attaches a DLL; null with the reason in *error when the file is
// not a PE32 DLL for i386, is malformed, imports what has no stand-in, or its
// entry point refuses the attach.
Image *LoadImage(const char *path, std::string *error);
// Detaches (TLS callbacks, entry point) and unmaps.
void UnloadImage(Image *image);

const void *ExportByName(const Image &image, const char *name);
const void *ExportByOrdinal(const Image &image, uint32_t ordinal);

// What the stand-ins of the loader functions see: the loaded images.
Image *LoadedImageAt(const void *address);
Image *LoadedImageNamed(const char *fileName);  // "pat.dll", any case; ".dll" may be left out

// Gives the calling thread the Win32 thread information block that code in
// the image reaches through %fs (the mingw start-up code reads its stack base
// there). Idempotent per thread; false when the system refuses the segment.
bool EnterWin32Thread();

}  // namespace pat::pe

#endif
