// The loader on the real pat.dll: exports by name and ordinal, protections,
// relocation, the process's heap, last error and resources shared with it,
// and rejections of malformed copies of it.
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "contract/export_table.h"
#include "pat/pat.h"
#include "peloader/pe_loader.h"
#include "peloader/stand_ins.h"
#include "platform/portable/test_hooks.h"

namespace pat::pe {
namespace {

using test::kExports;

std::vector<uint8_t> DllBytes() {
    std::ifstream file(PAT_DLL, std::ios::binary);
    EXPECT_TRUE(file) << PAT_DLL << " (build the windows-i686 preset first)";
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

NtHeaders32 &HeadersOf(std::vector<uint8_t> &bytes) {
    return *reinterpret_cast<NtHeaders32 *>(&bytes[reinterpret_cast<DosHeader *>(bytes.data())->ntHeadersOffset]);
}

SectionHeader *SectionNamed(std::vector<uint8_t> &bytes, const char *name) {
    NtHeaders32 &nt = HeadersOf(bytes);
    auto *sections = reinterpret_cast<SectionHeader *>(reinterpret_cast<uint8_t *>(&nt.optional) +
                                                       nt.file.sizeOfOptionalHeader);
    for (int i = 0; i < nt.file.numberOfSections; ++i)
        if (strncmp(sections[i].name, name, 8) == 0) return &sections[i];
    ADD_FAILURE() << "no section " << name;
    return nullptr;
}

// Replaces the only occurrence of a byte string in a section's raw data.
void ReplaceIn(std::vector<uint8_t> *bytes, const char *section, const std::string &from, const std::string &to) {
    const SectionHeader *s = SectionNamed(*bytes, section);
    ASSERT_NE(s, nullptr);
    auto begin = bytes->begin() + s->pointerToRawData, end = begin + s->sizeOfRawData;
    auto same = [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); };
    auto at = std::search(begin, end, from.begin(), from.end(), same);
    ASSERT_NE(at, end) << from;
    ASSERT_EQ(std::search(at + 1, end, from.begin(), from.end(), same), end) << from << " is not unique";
    std::copy(to.begin(), to.end(), at);
}

// Overwrites a word of the first base-relocation block (0: page RVA, 4: size).
void PatchRelocationBlock(std::vector<uint8_t> *bytes, uint32_t offset, uint32_t value) {
    memcpy(&(*bytes)[SectionNamed(*bytes, ".reloc")->pointerToRawData + offset], &value, 4);
}

// A copy of the DLL in a directory of its own, removed with it.
class DllCopy {
public:
    explicit DllCopy(const std::vector<uint8_t> &bytes) {
        char pattern[] = "/tmp/pat_pe_XXXXXX";
        directory_ = mkdtemp(pattern);
        path_ = directory_ + "/pat.dll";
        FILE *file = fopen(path_.c_str(), "wb");
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }
    ~DllCopy() {
        unlink(path_.c_str());
        rmdir(directory_.c_str());
    }
    const char *path() const { return path_.c_str(); }

private:
    std::string directory_, path_;
};

class LoadedDll : public testing::Test {
protected:
    void SetUp() override {
        Loaded<Image *> loaded = LoadImage(PAT_DLL);
        ASSERT_TRUE(loaded) << loaded.error();
        image_ = *loaded;
    }
    void TearDown() override { UnloadImage(image_); }
    template <typename Fn>
    Fn Export(const char *name) {
        return reinterpret_cast<Fn>(const_cast<void *>(ExportByName(*image_, name).value_or(nullptr)));
    }
    Image *image_ = nullptr;
};

TEST_F(LoadedDll, FindsEveryExportByNameAndByOrdinalAtOneAddress) {
    auto getProcAddress = reinterpret_cast<decltype(&kernel32::GetProcAddress)>(
        const_cast<void *>(FindStandIn("kernel32.DLL", "GetProcAddress")));
    for (const auto &row : kExports) {
        SCOPED_TRACE(row.name);
        const void *byName = ExportByName(*image_, row.name).value_or(nullptr);
        EXPECT_NE(byName, nullptr);
        EXPECT_EQ(ExportByOrdinal(*image_, row.ordinal), byName);
        EXPECT_EQ(getProcAddress(image_->base, row.name), byName);
        EXPECT_EQ(getProcAddress(image_->base, reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(row.ordinal))), byName);
    }
    for (uint32_t ordinal : {0u, 1u, 18u}) {
        Loaded<const void *> byOrdinal = ExportByOrdinal(*image_, ordinal);
        ASSERT_FALSE(byOrdinal) << ordinal;
        EXPECT_NE(byOrdinal.error().find("no export at ordinal " + std::to_string(ordinal)), std::string::npos)
            << byOrdinal.error();
    }
    Loaded<const void *> none = ExportByName(*image_, "DllMain");
    ASSERT_FALSE(none);
    EXPECT_EQ(none.error(), "no export named DllMain");
}

TEST_F(LoadedDll, MapsEachSectionWithItsProtection) {
    std::vector<uint8_t> bytes = DllBytes();
    auto virtualQuery = reinterpret_cast<decltype(&kernel32::VirtualQuery)>(
        const_cast<void *>(FindStandIn("KERNEL32.dll", "VirtualQuery")));
    const struct {
        const char *what;
        uint32_t rva, protection;
    } cases[] = {
        {"headers", 0, 0x02},
        {".text", SectionNamed(bytes, ".text")->virtualAddress, 0x20},
        {".data", SectionNamed(bytes, ".data")->virtualAddress, 0x04},
        {".rdata", SectionNamed(bytes, ".rdata")->virtualAddress, 0x02},
    };
    for (const auto &c : cases) {
        kernel32::MemoryBasicInformation info = {};
        ASSERT_EQ(virtualQuery(image_->base + c.rva, &info, sizeof info), sizeof info) << c.what;
        EXPECT_EQ(info.protect, c.protection) << c.what;
        EXPECT_EQ(info.allocationBase, image_->base) << c.what;
    }
}

TEST_F(LoadedDll, SharesTheHeapLastErrorAndResourcesOfThisProcess) {
    static const uint8_t bitmap[] = {'B', 'M', 1, 2, 3};
    portable::RegisterResource(RT_BITMAP, "STATUS", 0, bitmap, sizeof bitmap);
    EXPECT_EQ(Export<void *(PAT_CALL *)(const char *)>("PatLoadBitmap")("STATUS"), bitmap);
    portable::ClearResources();

    PrnInfoEx record = {};
    record.dwSize = sizeof record;
    SetLastError(12345);
    auto *query = Export<DataNode *(PAT_CALL *)(PrnInfoEx *, uint32_t, uint32_t)>("PatCreateQueryInfo")(&record, 2, PAT_CAT_IDENTITY);
    ASSERT_NE(query, nullptr);
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(GlobalSize(query), sizeof(DataNode));
    EXPECT_EQ(GlobalFree(query->firstChild), nullptr);
    EXPECT_EQ(GlobalFree(query), nullptr);
}

TEST(PeLoader, TwoCopiesRunSideBySideEachRelocatedAndReadingItsOwnVersion) {
    std::vector<uint8_t> bytes = DllBytes();
    // File version 1.1.5.0 -> 1.1.5.9 in the copy's version resource.
    ReplaceIn(&bytes, ".rsrc", std::string("\xBD\x04\xEF\xFE\x00\x00\x01\x00\x01\x00\x01\x00\x00\x00\x05\x00", 16),
                std::string("\xBD\x04\xEF\xFE\x00\x00\x01\x00\x01\x00\x01\x00\x09\x00\x05\x00", 16));
    DllCopy copy(bytes);
    Loaded<Image *> loadedOriginal = LoadImage(PAT_DLL), loadedPatched = LoadImage(copy.path());
    ASSERT_TRUE(loadedOriginal) << loadedOriginal.error();
    ASSERT_TRUE(loadedPatched) << loadedPatched.error();
    Image *original = *loadedOriginal, *patched = *loadedPatched;
    uint32_t preferred = HeadersOf(bytes).optional.imageBase;
    EXPECT_FALSE(reinterpret_cast<uintptr_t>(original->base) == preferred &&
                 reinterpret_cast<uintptr_t>(patched->base) == preferred);
    const std::pair<Image *, uint32_t> expected[] = {{original, 0x01010500u}, {patched, 0x01010509u}};
    for (const auto &[image, version] : expected) {
        DllVersion block = {};
        block.dwSize = sizeof block;
        auto get = reinterpret_cast<int(PAT_CALL *)(DllVersion *)>(const_cast<void *>(ExportByName(*image, "PatGetDllVersion").value_or(nullptr)));
        EXPECT_EQ(get(&block), 1);
        EXPECT_EQ(block.dwFileVersion, version) << image->path;
        char path[MAX_PATH];
        ASSERT_NE(GetModuleFileNameA(image->base, path, sizeof path), 0u);
        EXPECT_EQ(image->path, path);
    }
    UnloadImage(patched);
    UnloadImage(original);
    EXPECT_EQ(LoadedImageNamed("pat"), nullptr);
}

// pat.dll loads version.dll itself, from System32 only; nothing else is found.
TEST(PeLoader, GivesTheImageVersionDllFromSystem32AndNothingElse) {
    auto loadLibraryEx = reinterpret_cast<decltype(&kernel32::LoadLibraryExA)>(
        const_cast<void *>(FindStandIn("KERNEL32.dll", "LoadLibraryExA")));
    const struct {
        const char *name;
        DWORD flags;
        bool found;
    } cases[] = {{"version.dll", 0x800, true}, {"VERSION.DLL", 0x800, true}, {"version.dll", 0, false},
                 {"version.dll", 0x1000, false}, {"user32.dll", 0x800, false}, {"pat.dll", 0x800, false}};
    for (const auto &c : cases) {
        SetLastError(0);
        HMODULE module = loadLibraryEx(c.name, nullptr, c.flags);
        EXPECT_EQ(module != nullptr, c.found) << c.name << " " << c.flags;
        EXPECT_EQ(GetLastError(), c.found ? 0u : ERROR_MOD_NOT_FOUND) << c.name << " " << c.flags;
        if (module == nullptr) continue;
        EXPECT_EQ(kernel32::GetProcAddress(module, "VerQueryValueA"), reinterpret_cast<void *>(&VerQueryValueA));
        EXPECT_EQ(kernel32::GetProcAddress(module, "GetFileVersionInfoW"), nullptr);
        EXPECT_EQ(GetLastError(), 127u);
        EXPECT_TRUE(kernel32::FreeLibrary(module));
    }
}

TEST(PeLoader, RefusesMalformedCopiesAndSaysWhy) {
    using Patch = std::function<void(std::vector<uint8_t> *)>;
    const struct {
        const char *name;
        Patch patch;
        const char *why;
    } cases[] = {
        {"cut after the DOS header", [](auto *b) { b->resize(64); }, "truncated: the PE headers"},
        {"cut inside the headers", [](auto *b) { b->resize(0x200); }, "truncated: the headers"},
        {"cut inside the sections", [](auto *b) { b->resize(b->size() / 2); }, "truncated: section"},
        {"a section outside the image",
         [](auto *b) { SectionNamed(*b, ".reloc")->virtualAddress += 0x100000; }, "section .reloc lies outside the image"},
        {"imports without stand-ins, all named",
         [](auto *b) {
             for (const char *name : {"Sleep", "CharUpperA", "LoadBitmapA"})
                 ReplaceIn(b, ".idata", name, std::string(name, strlen(name) - 1) + "Q");
         },
         "imports without a stand-in: KERNEL32.dll!SleeQ, USER32.dll!CharUpperQ, USER32.dll!LoadBitmapQ"},
        {"a DLL without stand-ins", [](auto *b) { ReplaceIn(b, ".idata", "USER32.dll", "USER3X.dll"); },
         "imports without a stand-in: USER3X.dll!CharUpperA, USER3X.dll!LoadBitmapA"},
        {"a directory outside the image",
         [](auto *b) { HeadersOf(*b).optional.directories[kImportDirectory].rva = 0x7FFFFFF0; },
         "data directory 1 lies outside the image"},
        {"a relocation block for a page outside the image", [](auto *b) { PatchRelocationBlock(b, 0, 0x7FFF0000); },
         "is for page RVA 0x7FFF0000, outside the image"},
        {"a relocation block larger than its directory", [](auto *b) { PatchRelocationBlock(b, 4, 0x7FFFFFF0); },
         "malformed relocation block at RVA"},
        {"the section table past the headers", [](auto *b) { HeadersOf(*b).file.numberOfSections = 0x7FFF; },
         "section table outside the headers"},
        {"built for another machine", [](auto *b) { HeadersOf(*b).file.machine = 0x8664; }, "not i386"},
        {"not a DLL", [](auto *b) { HeadersOf(*b).file.characteristics &= ~kFileDll; }, "not a DLL"},
        {"not PE32", [](auto *b) { HeadersOf(*b).optional.magic = 0x20B; }, "not PE32"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes = DllBytes();
        c.patch(&bytes);
        DllCopy copy(bytes);
        for (auto load : {&LoadImage, &MapImage}) {  // MapImage, the fuzzed path, refuses the same
            Loaded<Image *> refused = load(copy.path());
            ASSERT_FALSE(refused);
            EXPECT_NE(refused.error().find(c.why), std::string::npos) << refused.error();
            EXPECT_EQ(LoadedImageNamed("pat.dll"), nullptr);
        }
    }
}

}  // namespace
}  // namespace pat::pe
