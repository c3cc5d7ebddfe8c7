// --module and compare with the real binaries: pat.dll through the PE loader
// beside the linked libpat.so, a DLL whose export table was tampered with, a
// truncated one; and the default module's heap being libpat.so's own.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/cli.h"
#include "outcome/exit_codes.h"
#include "module/module_loading.h"
#include "peloader/pe_loader.h"
#include "snapshot/snapshot_json.h"

namespace pathost {
namespace {

std::string Fixture(const char *name) { return std::string(PAT_HOST_FIXTURES) + "/" + name; }

struct CliRun {
    int exitCode;
    std::string out, err;
};

CliRun PatHost(std::vector<std::string> args) {
    args.insert(args.begin(), "pat-host");
    std::vector<const char *> argv;
    for (const std::string &arg : args) argv.push_back(arg.c_str());
    std::ostringstream out, err;
    int code = RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
}

std::string Bytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string WriteTemp(const std::string &name, const std::string &bytes) {
    std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

uint32_t U32(const std::string &b, size_t at) {
    uint32_t v;
    memcpy(&v, b.data() + at, 4);
    return v;
}

// pat.dll with the export address table entries of two names swapped: the
// names and ordinals stay, each now leads to the other function.
std::string SwappedExports(std::string b, const char *first, const char *second) {
    size_t pe = U32(b, 0x3C), optional = pe + 24, sections = optional + (U32(b, pe + 20) & 0xFFFF);
    unsigned count = U32(b, pe + 4) >> 16;
    auto offset = [&](uint32_t rva) -> size_t {
        for (unsigned i = 0; i < count; ++i) {
            size_t s = sections + 40 * i;
            uint32_t va = U32(b, s + 12), size = U32(b, s + 8), raw = U32(b, s + 20);
            if (rva >= va && rva < va + size) return rva - va + raw;
        }
        ADD_FAILURE() << "rva outside every section";
        return 0;
    };
    size_t dir = offset(U32(b, optional + 96));
    size_t functions = offset(U32(b, dir + 28)), names = offset(U32(b, dir + 32)), ordinals = offset(U32(b, dir + 36));
    auto entry = [&](const char *name) -> size_t {
        for (uint32_t i = 0; i < U32(b, dir + 24); ++i)
            if (strcmp(b.data() + offset(U32(b, names + 4 * i)), name) == 0) {
                uint16_t index;
                memcpy(&index, b.data() + ordinals + 2 * i, 2);
                return functions + 4 * index;
            }
        ADD_FAILURE() << name << " not exported";
        return 0;
    };
    size_t a = entry(first), c = entry(second);
    std::string saved = b.substr(a, 4);
    b.replace(a, 4, b.substr(c, 4));
    b.replace(c, 4, saved);
    return b;
}

TEST(ModuleOption, TheDefaultModulesHeapIsLibpatsOwn) {
    LoadedModule linked = LinkedModule();
    ASSERT_TRUE(linked) << linked.error().message;
    void *library = dlopen(PAT_HOST_SHARED_OBJECT, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(library, nullptr) << "libpat.so is not the library pat-host linked";
    auto globalFree = reinterpret_cast<void *(PAT_CALL *)(void *)>(dlsym(library, "GlobalFree"));
    auto getLastError = reinterpret_cast<uint32_t(PAT_CALL *)()>(dlsym(library, "GetLastError"));
    // The PE loader's stand-ins are its own static copy, every one of them:
    // a DLL and libpat.so each keep their own heap and last error.
    for (const char *name : {"GlobalAlloc", "GlobalFree", "GetLastError", "SetLastError"})
        EXPECT_NE(dlsym(library, name), pat::pe::FindStandIn("KERNEL32.dll", name)) << name;
    {
        HostRecord record(**linked);  // a tray item from the module's heap...
        record.AddTray(4);
        PrnInfoEx *r = record.get();
        TrayInfo *tray = r->pTrayInfo;
        r->pTrayInfo = nullptr;
        r->dwTrayInfoCount = 0;
        EXPECT_EQ(globalFree(tray), nullptr);  // ...that libpat.so frees without complaint
        EXPECT_EQ(getLastError(), 0u);
        // ...and the module's own tree, which the table's GlobalFree releases.
        DataNode *tree = *(*linked)->CreateQueryInfo(r, PAT_REVISION_TREE, PAT_CAT_INTRAYS);
        ASSERT_NE(tree, nullptr);
        for (DataNode *node = tree->firstChild; node != nullptr;) {
            DataNode *next = node->nextSibling;
            EXPECT_EQ((*linked)->heap.GlobalFree(node), nullptr);
            node = next;
        }
        EXPECT_EQ((*linked)->heap.GlobalFree(tree), nullptr);
        EXPECT_EQ((*linked)->LastError(), 0u);
    }
    dlclose(library);
}

TEST(ModuleOption, ReplayGivesTheSameJsonThroughTheDllAndTheSharedObject) {
    const std::vector<std::vector<std::string>> cases = {
        {"--answer", Fixture("office-a4.pjl")},
        {"--answer", Fixture("tandem-trays.pjl"), "--tray", "4"},
        {"--answer", Fixture("cut-off-bins.pjl"), "--lenient"},
        {"--answer", Fixture("office-a4.pjl"), "--raw"},
    };
    for (const auto &args : cases) {
        std::vector<std::string> replay = {"replay", "--json"}, dll = {"--module", PAT_DLL, "replay", "--json"};
        replay.insert(replay.end(), args.begin(), args.end());
        dll.insert(dll.end(), args.begin(), args.end());
        CliRun so = PatHost(replay), pe = PatHost(dll);
        ASSERT_EQ(so.exitCode, pe.exitCode) << args[1] << pe.err;
        Json a = Json::parse(so.out), b = Json::parse(pe.out);
        EXPECT_EQ(a["module"]["kind"], "ELF shared object");
        EXPECT_EQ(b["module"]["kind"], "PE32 DLL");
        EXPECT_EQ(a["module"]["version"], b["module"]["version"]);
        a.erase("module");
        b.erase("module");
        EXPECT_EQ(a, b) << args[1];
    }
}

TEST(ModuleOption, CompareAgreesOrShowsWhereTheModulesPart) {
    std::string swapped =
        WriteTemp("swapped-pat.dll", SwappedExports(Bytes(PAT_DLL), "PatSetCentroDataTo", "PatCreateQueryInfo"));
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char *shown;
    } cases[] = {
        {{"compare", "--answer", Fixture("office-a4.pjl"), "--with", PAT_DLL}, kExitOk, "the two modules agree"},
        {{"--module", PAT_DLL, "compare", "--answer", Fixture("tandem-trays.pjl"), "--with", PAT_DLL}, kExitOk,
         "the two modules agree"},
        {{"compare", "--answer", Fixture("office-a4.pjl"), "--module", PAT_DLL, "--with", swapped}, kExitDiffer,
         "PatCreateQueryInfo took 16 bytes of arguments off the stack, 12 by its prototype"},
        {{"compare", "--answer", Fixture("office-a4.pjl"), "--with", swapped, "--json"}, kExitDiffer,
         "\"agree\":false"},
        {{"compare", "--answer", Fixture("office-a4.pjl"), "--with", "/nonexistent/pat.dll"}, kExitNoInput,
         "cannot open the module /nonexistent/pat.dll"},
    };
    for (const auto &c : cases) {
        CliRun run = PatHost(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out << run.err;
        EXPECT_NE((run.out + run.err).find(c.shown), std::string::npos) << run.out << run.err;
    }
}

TEST(ModuleOption, AFileThatIsNoModuleIsRefusedWithItsReason) {
    std::string truncated = WriteTemp("truncated-pat.dll", Bytes(PAT_DLL).substr(0, 1000));
    const struct {
        std::string module;
        int exitCode;
        const char *shown;
    } cases[] = {
        {truncated, kExitDataError, "cannot load the DLL: truncated"},
        {Fixture("office-a4.pjl"), kExitDataError, "neither an ELF shared object nor a PE32 DLL"},
        {"/nonexistent/pat.dll", kExitNoInput, "cannot open the module"},
    };
    for (const auto &c : cases) {
        CliRun run = PatHost({"--module", c.module, "query"});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.err.find(c.shown), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace pathost
