// A small PE32 loader for an i386 Linux process: it loads a DLL the way the
// Windows loader does (map the sections with their protections, apply the base
// relocations, bind the imports, set up TLS, call the entry point) and links
// its imports against stand-ins (the portable backend's Win32 functions)
// instead of system DLLs. Every failure is a value, Loaded's error: a
// message naming what is wrong; a malformed file never crashes the loader.
#ifndef PAT_PELOADER_PE_LOADER_H
#define PAT_PELOADER_PE_LOADER_H

#include <stddef.h>
#include <stdint.h>

#include <expected>
#include <string>
#include <utility>
#include <vector>

#include "peloader/pe_format.h"

namespace pat::pe {

constexpr uint32_t kNoTlsIndex = 0xFFFFFFFF;

// What the loader gives back: the value, or a sentence for people saying what
// is wrong with the file (or what the system refused) and where.
template <typename T = void>
using Loaded = std::expected<T, std::string>;

inline std::unexpected<std::string> Refused(std::string why) { return std::unexpected<std::string>(std::move(why)); }

// A mapped image. Every read of the image goes through At or Text, which
// refuse ranges that leave it or touch a page it may not read. The headers are the copy checked against the
// file, so nothing the image writes into its own header pages can change them.
struct Image {
    std::string path;
    uint8_t *base = nullptr;
    uint32_t size = 0;
    NtHeaders32 headers = {};
    std::vector<SectionHeader> sections;
    std::vector<uint32_t> pageProtection;  // Win32 PAGE_* value of each page
    uint32_t tlsIndex = kNoTlsIndex;
    void *tlsData = nullptr;  // the loading thread's copy of the TLS template
    bool attached = false;    // its entry point ran with DLL_PROCESS_ATTACH

    const NtHeaders32 &Headers() const { return headers; }
    DataDirectory Directory(DirectoryIndex which) const;  // {0, 0} when absent
    template <typename T>
    T *At(uint32_t rva, uint32_t count = 1) const {
        if (rva > size || count > (size - rva) / sizeof(T) || !Readable(rva, count * sizeof(T))) return nullptr;
        return reinterpret_cast<T *>(base + rva);
    }
    bool Readable(uint32_t rva, uint32_t bytes) const;  // inside the image, and every page readable
    const char *Text(uint32_t rva) const;  // a NUL-terminated string on readable pages of the image
    uint32_t RvaOf(uint32_t address) const;  // an address inside the image as an RVA; size if outside
};

// Loads and attaches a DLL (never null); refused when the file is not a
// PE32 DLL for i386, is malformed, imports what has no stand-in, or its entry
// point refuses the attach.
Loaded<Image *> LoadImage(const char *path);
// Every step of LoadImage up to and including binding, TLS index and
// protections, but no code of the image runs: no TLS callback, no entry
// point. For looking at a file, and for fuzzing the loader.
Loaded<Image *> MapImage(const char *path);
Loaded<Image *> MapImageBytes(const uint8_t *bytes, size_t size, const char *path);
// Detaches (TLS callbacks, entry point) if it was attached, and unmaps.
void UnloadImage(Image *image);

// An export's address, as GetProcAddress finds it (never null); refused if
// there is none or it cannot be used here.
Loaded<const void *> ExportByName(const Image &image, const char *name);
Loaded<const void *> ExportByOrdinal(const Image &image, uint32_t ordinal);

// The stand-in an import of the image is bound to, or null: a host takes the
// heap and last-error functions that go with the DLL from here. DLL names
// compare without regard to case, function names exactly.
const void *FindStandIn(const char *dll, const char *function);

// What the stand-ins of the loader functions see: the loaded images.
Image *LoadedImageAt(const void *address);
Image *LoadedImageNamed(const char *fileName);  // "pat.dll", any case; ".dll" may be left out

// Gives the calling thread the Win32 thread information block that code in
// the image reaches through %fs (the mingw start-up code reads its stack base
// there). Idempotent per thread; false when the system refuses the segment.
bool EnterWin32Thread();

}  // namespace pat::pe

#endif
