#include "contract/module_under_test.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "contract/export_table.h"
#include "peloader/stdcall_probe.h"
#include "peloader/pe_loader.h"
#include "peloader/stand_ins.h"

namespace pat::test {

namespace {

template <typename Fn>
void Bind(Fn *function, const void *address) {
    *function = reinterpret_cast<Fn>(const_cast<void *>(address));
}

class SharedObjectModule : public ModuleUnderTest {
public:
    SharedObjectModule() : handle_(dlopen(PAT_SHARED_OBJECT, RTLD_NOW | RTLD_LOCAL)) {
        if (handle_ == nullptr) {
            loadError_ = dlerror();
            return;
        }
        Bind(&globalAlloc, Export("GlobalAlloc"));
        Bind(&globalFree, Export("GlobalFree"));
        Bind(&getLastError, Export("GetLastError"));
        Bind(&setLastError, Export("SetLastError"));
    }
    ~SharedObjectModule() override {
        if (handle_ != nullptr) dlclose(handle_);
    }
    const char *Name() const override { return "libpat.so"; }
    const void *Export(const char *name) const override { return handle_ ? dlsym(handle_, name) : nullptr; }

private:
    void *handle_;
};

// A host on Windows reaches the heap and last error through KERNEL32: here,
// the same stand-ins the DLL's imports are bound to.
class DllModule : public ModuleUnderTest {
public:
    DllModule() {
        if (PAT_DLL[0] == '\0') {
            loadError_ = "PAT_DLL_PATH is not set: configure with the linux-i386 preset";
            return;
        }
        pe::Loaded<pe::Image *> loaded = pe::LoadImage(PAT_DLL);
        if (!loaded) {
            loadError_ = std::string(PAT_DLL) + ": " + loaded.error() + " (build the windows-i686 preset first)";
            return;
        }
        image_ = *loaded;
        Bind(&globalAlloc, pe::FindStandIn("KERNEL32.dll", "GlobalAlloc"));
        Bind(&globalFree, pe::FindStandIn("KERNEL32.dll", "GlobalFree"));
        Bind(&getLastError, pe::FindStandIn("KERNEL32.dll", "GetLastError"));
        Bind(&setLastError, pe::FindStandIn("KERNEL32.dll", "SetLastError"));
    }
    ~DllModule() override { pe::UnloadImage(image_); }
    const char *Name() const override { return "pat.dll"; }
    const void *Export(const char *name) const override {
        return image_ != nullptr ? pe::ExportByName(*image_, name).value_or(nullptr) : nullptr;
    }

private:
    pe::Image *image_ = nullptr;
};

}  // namespace

uint32_t ModuleUnderTest::CallWords(const char *name, const uint32_t *words, uint32_t count) const {
    const ExportRow *row = FindExportRow(name);
    const void *function = Export(name);
    if (row == nullptr || function == nullptr || row->arguments != count) {
        ADD_FAILURE() << Name() << ": " << name << " is not an export of " << count << " arguments";
        return 0;
    }
    setLastError(kLastErrorBeforeCall);
    pe::ProbedCall call = pe::CallProbed(function, words, count);
    EXPECT_EQ(call.removed, static_cast<int32_t>(4 * count))
        << Name() << ": " << name << " must remove its " << count << " arguments (stdcall)";
    return call.result;
}

const ModuleUnderTest &SharedObject() {
    static SharedObjectModule module;
    return module;
}

const ModuleUnderTest &Dll() {
    static DllModule module;
    return module;
}

}  // namespace pat::test
