// The parts of the PE32 format the test loader reads, little-endian as on
// disk and in the mapped image.
#ifndef PAT_PELOADER_PE_FORMAT_H
#define PAT_PELOADER_PE_FORMAT_H

#include <stdint.h>

namespace pat::pe {

constexpr uint16_t kDosMagic = 0x5A4D;       // "MZ"
constexpr uint32_t kPeSignature = 0x4550;    // "PE\0\0"
constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kPe32Magic = 0x010B;
constexpr uint16_t kFileExecutableImage = 0x0002;
constexpr uint16_t kFileDll = 0x2000;

constexpr uint32_t kSectionExecute = 0x20000000;
constexpr uint32_t kSectionRead = 0x40000000;
constexpr uint32_t kSectionWrite = 0x80000000;

constexpr uint32_t kPageSize = 4096;
constexpr uint32_t kMaxImageSize = 256u << 20;  // far beyond any DLL this loader is for

enum DirectoryIndex { kExportDirectory = 0, kImportDirectory = 1, kResourceDirectory = 2, kRelocationDirectory = 5,
                 kTlsDirectory = 9, kDirectoryCount = 16 };

struct DosHeader {
    uint16_t magic;
    uint8_t unused[58];
    uint32_t ntHeadersOffset;  // e_lfanew
};

struct FileHeader {
    uint16_t machine;
    uint16_t numberOfSections;
    uint32_t timeDateStamp;
    uint32_t pointerToSymbolTable;
    uint32_t numberOfSymbols;
    uint16_t sizeOfOptionalHeader;
    uint16_t characteristics;
};

struct DataDirectory {
    uint32_t rva;
    uint32_t size;
};

struct OptionalHeader32 {
    uint16_t magic;
    uint8_t linkerVersion[2];
    uint32_t sizeOfCode, sizeOfInitializedData, sizeOfUninitializedData;
    uint32_t addressOfEntryPoint, baseOfCode, baseOfData;
    uint32_t imageBase, sectionAlignment, fileAlignment;
    uint16_t versions[6];
    uint32_t win32VersionValue, sizeOfImage, sizeOfHeaders, checkSum;
    uint16_t subsystem, dllCharacteristics;
    uint32_t stackAndHeapSizes[4];
    uint32_t loaderFlags;
    uint32_t numberOfRvaAndSizes;
    DataDirectory directories[kDirectoryCount];
};

struct NtHeaders32 {
    uint32_t signature;
    FileHeader file;
    OptionalHeader32 optional;
};

struct SectionHeader {
    char name[8];
    uint32_t virtualSize, virtualAddress;
    uint32_t sizeOfRawData, pointerToRawData;
    uint32_t pointerToRelocations, pointerToLinenumbers;
    uint16_t numberOfRelocations, numberOfLinenumbers;
    uint32_t characteristics;
};

struct ImportDescriptor {
    uint32_t lookupTable;  // OriginalFirstThunk
    uint32_t timeDateStamp, forwarderChain;
    uint32_t name;
    uint32_t addressTable;  // FirstThunk: the IAT the loader fills
};
constexpr uint32_t kImportByOrdinal = 0x80000000;

struct ExportDirectory {
    uint32_t characteristics, timeDateStamp;
    uint16_t majorVersion, minorVersion;
    uint32_t name, base;
    uint32_t numberOfFunctions, numberOfNames;
    uint32_t addressOfFunctions, addressOfNames, addressOfNameOrdinals;
};

struct RelocationBlock {
    uint32_t pageRva;
    uint32_t sizeOfBlock;  // header included; 16-bit entries {type:4, offset:12} follow
};
constexpr uint16_t kRelocationAbsolute = 0;
constexpr uint16_t kRelocationHighLow = 3;

struct TlsDirectory32 {  // addresses are virtual addresses, relocated like code
    uint32_t startOfRawData, endOfRawData;
    uint32_t addressOfIndex, addressOfCallbacks;
    uint32_t sizeOfZeroFill, characteristics;
};

struct ResourceDirectory {
    uint32_t characteristics, timeDateStamp;
    uint16_t majorVersion, minorVersion;
    uint16_t numberOfNamedEntries, numberOfIdEntries;
};
struct ResourceDirectoryEntry {
    uint32_t name;    // high bit: a string name; else an integer identifier
    uint32_t offset;  // high bit: a subdirectory; offsets from the directory's start
};
struct ResourceDataEntry {
    uint32_t rva, size, codePage, reserved;
};
constexpr uint32_t kResourceSubdirectory = 0x80000000;

static_assert(sizeof(DosHeader) == 64 && sizeof(FileHeader) == 20 && sizeof(OptionalHeader32) == 224 &&
              sizeof(SectionHeader) == 40 && sizeof(ImportDescriptor) == 20 && sizeof(ExportDirectory) == 40 &&
              sizeof(TlsDirectory32) == 24 && sizeof(ResourceDirectory) == 16,
              "PE structures as laid out on disk");

}  // namespace pat::pe

#endif
