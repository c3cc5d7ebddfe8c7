// The steps of loading an image, one file each, in the order LoadImage runs
// them. Each is refused with the reason when it cannot be done.
#ifndef PAT_PELOADER_PE_STEPS_H
#define PAT_PELOADER_PE_STEPS_H

#include "peloader/pe_loader.h"

namespace pat::pe {

// pe_file.cpp: the whole file, and its headers checked against it; the
// checked headers and section table are copied into the image.
Loaded<std::vector<uint8_t>> ReadImageFile(const char *path);
Loaded<> CheckImageFile(const uint8_t *bytes, size_t size, Image *image);

// pe_mapping.cpp: headers and sections copied into fresh read-write memory;
// later the protections the section headers ask for.
Loaded<> MapSections(const uint8_t *bytes, Image *image);
Loaded<> ProtectImage(Image *image);
bool ChangeProtection(Image *image, uint32_t firstPage, uint32_t pages, uint32_t win32Protection);
void UnmapImage(Image *image);

// pe_relocations.cpp
Loaded<> ApplyRelocations(Image *image);

// pe_imports.cpp
Loaded<> BindImports(Image *image);

// pe_tls.cpp: TLS index and data for the loading thread, and the callbacks.
Loaded<> AttachTls(Image *image);
void RunTlsCallbacks(const Image &image, uint32_t reason);
void DetachTls(Image *image);
void *&ThreadTlsSlot(uint32_t index);  // pe_thread_block.cpp

// pe_resources.cpp: the image's own VS_VERSIONINFO block, if it has one.
bool FindVersionResource(const Image &image, const void **data, uint32_t *size);

// Hexadecimal for messages: "0x1F".
std::string Hex(uint32_t value);

}  // namespace pat::pe

#endif
