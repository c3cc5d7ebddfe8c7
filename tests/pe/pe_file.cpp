// Reading an image file and checking its headers against the file before
// anything is mapped: a PE32 DLL for i386 whose headers, sections and data
// directories all lie where they claim to.
#include <stdio.h>
#include <string.h>

#include "pe/pe_steps.h"

namespace pat::pe {

namespace {

std::string Hex(uint32_t value) {
    char text[16];
    snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string SectionName(const SectionHeader &s) { return std::string(s.name, strnlen(s.name, sizeof s.name)); }

bool Fail(std::string *error, const std::string &why) {
    *error = why;
    return false;
}

bool CheckSections(const std::vector<uint8_t> &bytes, const NtHeaders32 &nt, const SectionHeader *sections,
                   std::string *error) {
    const OptionalHeader32 &opt = nt.optional;
    uint32_t end = opt.sizeOfHeaders;
    for (int i = 0; i < nt.file.numberOfSections; ++i) {
        const SectionHeader &s = sections[i];
        uint32_t extent = s.virtualSize != 0 ? s.virtualSize : s.sizeOfRawData;
        if (extent > opt.sizeOfImage || s.virtualAddress > opt.sizeOfImage - extent)
            return Fail(error, "section " + SectionName(s) + " lies outside the image (" + Hex(s.virtualAddress) +
                                   " + " + Hex(extent) + ", image size " + Hex(opt.sizeOfImage) + ")");
        if (s.virtualAddress % opt.sectionAlignment != 0 || s.virtualAddress < end)
            return Fail(error, "section " + SectionName(s) + " is misaligned or overlaps what lies before it");
        if (s.sizeOfRawData != 0 &&
            (s.pointerToRawData > bytes.size() || s.sizeOfRawData > bytes.size() - s.pointerToRawData))
            return Fail(error, "truncated: section " + SectionName(s) + "'s data ends past the file's " +
                                   Hex(static_cast<uint32_t>(bytes.size())) + " bytes");
        end = s.virtualAddress + extent;
    }
    return true;
}

}  // namespace

bool ReadImageFile(const char *path, std::vector<uint8_t> *bytes, std::string *error) {
    FILE *file = fopen(path, "rb");
    if (file == nullptr) return Fail(error, std::string("cannot open ") + path);
    uint8_t chunk[65536];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, file)) > 0;) bytes->insert(bytes->end(), chunk, chunk + n);
    fclose(file);
    return true;
}

const NtHeaders32 *CheckImageFile(const std::vector<uint8_t> &bytes, std::string *error) {
    const DosHeader *dos = reinterpret_cast<const DosHeader *>(bytes.data());
    if (bytes.size() < sizeof(DosHeader) || dos->magic != kDosMagic) {
        Fail(error, bytes.size() < sizeof(DosHeader) ? "truncated: no room for the DOS header" : "not an MZ file");
        return nullptr;
    }
    uint32_t at = dos->ntHeadersOffset;
    if (at > bytes.size() || bytes.size() - at < sizeof(NtHeaders32)) {
        Fail(error, "truncated: the PE headers end past the end of the file");
        return nullptr;
    }
    const NtHeaders32 &nt = *reinterpret_cast<const NtHeaders32 *>(bytes.data() + at);
    const OptionalHeader32 &opt = nt.optional;
    std::string why;
    if (nt.signature != kPeSignature) why = "no PE signature";
    else if (nt.file.machine != kMachineI386) why = "built for machine " + Hex(nt.file.machine) + ", not i386";
    else if (opt.magic != kPe32Magic) why = "not PE32 (optional header magic " + Hex(opt.magic) + ")";
    else if (!(nt.file.characteristics & kFileDll) || !(nt.file.characteristics & kFileExecutableImage))
        why = "not a DLL (characteristics " + Hex(nt.file.characteristics) + ")";
    else if (nt.file.sizeOfOptionalHeader < sizeof(OptionalHeader32) || opt.numberOfRvaAndSizes > kDirectoryCount)
        why = "optional header without the sixteen data directories";
    else if (opt.sectionAlignment == 0 || opt.sectionAlignment % kPageSize != 0)
        why = "section alignment " + Hex(opt.sectionAlignment) + " is not a multiple of the page size";
    else if (opt.sizeOfImage == 0 || opt.sizeOfImage > (256u << 20) || opt.sizeOfHeaders > opt.sizeOfImage)
        why = "image size " + Hex(opt.sizeOfImage) + " or header size " + Hex(opt.sizeOfHeaders) + " out of range";
    else if (opt.sizeOfHeaders > bytes.size()) why = "truncated: the headers end past the end of the file";
    else if (opt.addressOfEntryPoint >= opt.sizeOfImage) why = "entry point outside the image";
    if (!why.empty()) {
        Fail(error, why);
        return nullptr;
    }
    uint32_t table = at + 4 + sizeof(FileHeader) + nt.file.sizeOfOptionalHeader;
    if (table + nt.file.numberOfSections * sizeof(SectionHeader) > opt.sizeOfHeaders) {
        Fail(error, "section table outside the headers");
        return nullptr;
    }
    for (uint32_t d = 0; d < opt.numberOfRvaAndSizes; ++d) {
        const DataDirectory &dir = opt.directories[d];
        if (dir.size != 0 && (dir.rva > opt.sizeOfImage || dir.size > opt.sizeOfImage - dir.rva)) {
            Fail(error, "data directory " + std::to_string(d) + " lies outside the image");
            return nullptr;
        }
    }
    if (!CheckSections(bytes, nt, reinterpret_cast<const SectionHeader *>(bytes.data() + table), error))
        return nullptr;
    return &nt;
}

}  // namespace pat::pe
