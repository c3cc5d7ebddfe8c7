// Reading an image file and checking its headers against the file before
// anything is mapped: a PE32 DLL for i386 whose headers, sections and data
// directories all lie where they claim to.
#include <stdio.h>
#include <string.h>

#include "peloader/pe_steps.h"

namespace pat::pe {

namespace {

std::string SectionName(const SectionHeader &s) { return std::string(s.name, strnlen(s.name, sizeof s.name)); }

Loaded<> CheckSections(size_t fileSize, const NtHeaders32 &nt, const std::vector<SectionHeader> &sections) {
    const OptionalHeader32 &opt = nt.optional;
    uint32_t end = opt.sizeOfHeaders;
    for (const SectionHeader &s : sections) {
        uint32_t extent = s.virtualSize != 0 ? s.virtualSize : s.sizeOfRawData;
        if (extent > opt.sizeOfImage || s.virtualAddress > opt.sizeOfImage - extent)
            return Refused("section " + SectionName(s) + " lies outside the image (" + Hex(s.virtualAddress) +
                                   " + " + Hex(extent) + ", image size " + Hex(opt.sizeOfImage) + ")");
        if (s.virtualAddress % opt.sectionAlignment != 0 || s.virtualAddress < end)
            return Refused("section " + SectionName(s) + " is misaligned or overlaps what lies before it");
        if (s.sizeOfRawData != 0 &&
            (s.pointerToRawData > fileSize || s.sizeOfRawData > fileSize - s.pointerToRawData))
            return Refused("truncated: section " + SectionName(s) + "'s data ends past the file's " +
                                   Hex(static_cast<uint32_t>(fileSize)) + " bytes");
        end = s.virtualAddress + extent;
    }
    return {};
}

// What is wrong with the headers on their own, or empty.
std::string HeaderFault(const NtHeaders32 &nt, size_t fileSize) {
    const OptionalHeader32 &opt = nt.optional;
    if (nt.signature != kPeSignature) return "no PE signature";
    if (nt.file.machine != kMachineI386) return "built for machine " + Hex(nt.file.machine) + ", not i386";
    if (opt.magic != kPe32Magic) return "not PE32 (optional header magic " + Hex(opt.magic) + ")";
    if (!(nt.file.characteristics & kFileDll) || !(nt.file.characteristics & kFileExecutableImage))
        return "not a DLL (characteristics " + Hex(nt.file.characteristics) + ")";
    if (nt.file.sizeOfOptionalHeader < sizeof(OptionalHeader32) || opt.numberOfRvaAndSizes > kDirectoryCount)
        return "optional header without the sixteen data directories";
    if (opt.sectionAlignment == 0 || opt.sectionAlignment % kPageSize != 0)
        return "section alignment " + Hex(opt.sectionAlignment) + " is not a multiple of the page size";
    if (opt.sizeOfImage == 0 || opt.sizeOfImage > kMaxImageSize || opt.sizeOfHeaders > opt.sizeOfImage)
        return "image size " + Hex(opt.sizeOfImage) + " or header size " + Hex(opt.sizeOfHeaders) + " out of range";
    if (opt.sizeOfHeaders > fileSize) return "truncated: the headers end past the end of the file";
    if (opt.addressOfEntryPoint >= opt.sizeOfImage) return "entry point outside the image";
    return "";
}

}  // namespace

std::string Hex(uint32_t value) {
    char text[16];
    snprintf(text, sizeof text, "0x%X", value);
    return text;
}

Loaded<std::vector<uint8_t>> ReadImageFile(const char *path) {
    FILE *file = fopen(path, "rb");
    if (file == nullptr) return Refused(std::string("cannot open ") + path);
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
    bool failed = ferror(file) != 0;
    fclose(file);
    if (failed) return Refused(std::string("cannot read ") + path);
    return bytes;
}

// Structures are copied out of the file, never read in place: the file's
// offsets need not be aligned.
Loaded<> CheckImageFile(const uint8_t *bytes, size_t size, Image *image) {
    DosHeader dos;
    if (size < sizeof dos) return Refused("truncated: no room for the DOS header");
    memcpy(&dos, bytes, sizeof dos);
    if (dos.magic != kDosMagic) return Refused("not an MZ file");
    uint32_t at = dos.ntHeadersOffset;
    if (at > size || size - at < sizeof(NtHeaders32))
        return Refused("truncated: the PE headers end past the end of the file");
    NtHeaders32 &nt = image->headers;
    memcpy(&nt, bytes + at, sizeof nt);
    std::string why = HeaderFault(nt, size);
    if (!why.empty()) return Refused(why);
    const OptionalHeader32 &opt = nt.optional;
    // at + the headers is at most the file's size, so this cannot wrap.
    uint32_t table = at + 4 + sizeof(FileHeader) + nt.file.sizeOfOptionalHeader;
    uint32_t tableSize = nt.file.numberOfSections * static_cast<uint32_t>(sizeof(SectionHeader));
    if (table > opt.sizeOfHeaders || tableSize > opt.sizeOfHeaders - table)
        return Refused("section table outside the headers");
    image->sections.resize(nt.file.numberOfSections);
    if (tableSize != 0) memcpy(image->sections.data(), bytes + table, tableSize);
    for (uint32_t d = 0; d < opt.numberOfRvaAndSizes; ++d) {
        const DataDirectory &dir = opt.directories[d];
        if (dir.size != 0 && (dir.rva > opt.sizeOfImage || dir.size > opt.sizeOfImage - dir.rva))
            return Refused("data directory " + std::to_string(d) + " lies outside the image (" + Hex(dir.rva) +
                                   " + " + Hex(dir.size) + ", image size " + Hex(opt.sizeOfImage) + ")");
    }
    return CheckSections(size, nt, image->sections);
}

}  // namespace pat::pe
