// The steps of loading an image, one file each, in the order LoadImage runs
// them. Each returns false and says why in *error.
#ifndef PAT_TESTS_PE_PE_STEPS_H
#define PAT_TESTS_PE_PE_STEPS_H

#include "pe/pe_loader.h"

namespace pat::pe {

// pe_file.cpp: the whole file, and its headers checked against it.
bool ReadImageFile(const char *path, std::vector<uint8_t> *bytes, std::string *error);
const NtHeaders32 *CheckImageFile(const std::vector<uint8_t> &bytes, std::string *error);

// pe_mapping.cpp: headers and sections copied into fresh read-write memory;
// later the protections the section headers ask for.
bool MapImage(const std::vector<uint8_t> &bytes, const NtHeaders32 &headers, Image *image, std::string *error);
bool ProtectImage(Image *image, std::string *error);
bool ChangeProtection(Image *image, uint32_t firstPage, uint32_t pages, uint32_t win32Protection);
void UnmapImage(Image *image);

// pe_relocations.cpp
bool ApplyRelocations(Image *image, std::string *error);

// pe_imports.cpp
bool BindImports(Image *image, std::string *error);

// pe_tls.cpp: TLS index and data for the loading thread, and the callbacks.
bool AttachTls(Image *image, std::string *error);
void RunTlsCallbacks(const Image &image, uint32_t reason);
void DetachTls(Image *image);
void *&ThreadTlsSlot(uint32_t index);  // pe_thread_block.cpp

// pe_resources.cpp: the image's own VS_VERSIONINFO block, if it has one.
bool FindVersionResource(const Image &image, const void **data, uint32_t *size);

}  // namespace pat::pe

#endif
