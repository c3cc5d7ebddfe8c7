#include "module/module_loading.h"

#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

#include <fstream>

#include "peloader/pe_loader.h"

namespace pathost {

namespace {

template <typename Fn>
void Bind(Fn *slot, const void *address) {
    *slot = reinterpret_cast<Fn>(const_cast<void *>(address));
}

// Fills every slot by name; the first name without an address is returned.
template <typename Lookup>
std::string BindAll(Module &m, Lookup lookup) {
    struct Slot {
        const char *name;
        void (*bind)(Module &, const void *);
    };
#define PAT_SLOT(table, name) {#name, [](Module &m, const void *a) { Bind(&m.table.name, a); }}
    static const Slot slots[] = {
        PAT_SLOT(exports, PatCreateBitmapInfo),     PAT_SLOT(exports, PatDisposeBitmapInfo),
        PAT_SLOT(exports, PatLoadBitmap),           PAT_SLOT(exports, PatGetStatusString),
        PAT_SLOT(exports, PatGetDeviceName),        PAT_SLOT(exports, PatPMInfoToPrnInfoEx),
        PAT_SLOT(exports, PatPrnInfoExToPrnInfo),   PAT_SLOT(exports, PatCreateQueryInfo),
        PAT_SLOT(exports, PatCreateEmulUniqQueryInfo), PAT_SLOT(exports, PatSetCentroDataTo),
        PAT_SLOT(exports, PatGetDllVersion),        PAT_SLOT(exports, PatGetPeripheralProfile),
        PAT_SLOT(exports, PatSetLocale),            PAT_SLOT(exports, PatGetStatusHelpFileName),
        PAT_SLOT(exports, PatLoadDIBitmap),         PAT_SLOT(exports, PatGetPalette),
        PAT_SLOT(heap, GlobalAlloc),                PAT_SLOT(heap, GlobalFree),
        PAT_SLOT(heap, GetLastError),
    };
#undef PAT_SLOT
    for (const Slot &slot : slots) {
        const void *address = lookup(slot.name);
        if (address == nullptr) return slot.name;
        slot.bind(m, address);
    }
    return {};
}

Expected<std::string> VersionText(const Module &module) {
    DllVersion version{};
    version.dwSize = sizeof version;
    Expected<int> result = module.GetDllVersion(&version);
    if (!result) return std::unexpected(result.error());
    if (*result == 0) return "unknown (PatGetDllVersion failed with " + HexCode(module.LastError()) + ")";
    uint32_t v = version.dwFileVersion;
    char text[32];
    snprintf(text, sizeof text, "%u.%u.%u.%u", v >> 24, (v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    return text;
}

LoadedModule Failed(OutcomeKind kind, std::string message) { return Fail(kind, std::move(message)); }

LoadedModule Finished(std::unique_ptr<Module> module) {
    Expected<std::string> version = VersionText(*module);
    if (!version) return Failed(OutcomeKind::BadModule, module->identity.path + ": " + version.error().message);
    module->identity.version = *version;
    return module;
}

class SharedObject : public Module {
public:
    explicit SharedObject(void *handle) : handle_(handle) {}
    ~SharedObject() override { dlclose(handle_); }

private:
    void *handle_;
};

class LinkedLibrary : public Module {
public:
    ~LinkedLibrary() override {
        if (handle_ != nullptr) dlclose(handle_);
    }
    void Keep(void *handle) { handle_ = handle; }

private:
    void *handle_ = nullptr;
};

class Dll : public Module {
public:
    explicit Dll(pat::pe::Image *image) : image_(image) {}
    ~Dll() override { pat::pe::UnloadImage(image_); }

private:
    pat::pe::Image *image_;
};

LoadedModule FromHandle(void *handle, const std::string &path) {
    auto module = std::make_unique<SharedObject>(handle);
    std::string missing = BindAll(*module, [handle](const char *name) { return dlsym(handle, name); });
    if (!missing.empty()) return Failed(OutcomeKind::BadModule, path + ": the shared object does not export " + missing);
    module->identity = {path, "ELF shared object", {}};
    return Finished(std::move(module));
}

// DEEPBIND: a second copy of libpat.so must call its own heap functions, not
// those of the copy pat-host is linked against, which come first otherwise.
LoadedModule LoadSharedObject(const std::string &path) {
    void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
    if (handle == nullptr) {
        const char *why = dlerror();
        return Failed(OutcomeKind::BadModule, "cannot load the shared object " + path + ": " + (why ? why : "no reason given"));
    }
    return FromHandle(handle, path);
}

LoadedModule LoadDll(const std::string &path) {
    pat::pe::Loaded<pat::pe::Image *> loaded = pat::pe::LoadImage(path.c_str());
    if (!loaded) return Failed(OutcomeKind::BadModule, path + ": cannot load the DLL: " + loaded.error());
    pat::pe::Image *image = *loaded;
    auto module = std::make_unique<Dll>(image);
    // A host on Windows reaches the heap and last error through KERNEL32: here
    // the stand-ins the DLL's imports are bound to.
    std::string missing = BindAll(*module, [image](const char *name) {
        return strncmp(name, "Pat", 3) == 0 ? pat::pe::ExportByName(*image, name).value_or(nullptr)
                                            : pat::pe::FindStandIn("KERNEL32.dll", name);
    });
    if (!missing.empty()) return Failed(OutcomeKind::BadModule, path + ": the DLL does not export " + missing);
    module->identity = {path, "PE32 DLL", {}};
    return Finished(std::move(module));
}

}  // namespace

LoadedModule LinkedModule() {
    // The exports as linked (they also keep libpat.so a dependency of
    // pat-host); the heap functions from the library those exports live in,
    // already loaded: RTLD_NOLOAD only takes a handle.
    auto module = std::make_unique<LinkedLibrary>();
    module->exports = LinkedExports();
    Dl_info where{};
    if (dladdr(reinterpret_cast<const void *>(module->exports.PatGetDllVersion), &where) == 0 ||
        where.dli_fname == nullptr)
        return Failed(OutcomeKind::InternalError, "the linked " PAT_HOST_LINKED_SONAME " is not in this process");
    void *handle = dlopen(where.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) return Failed(OutcomeKind::InternalError, std::string(where.dli_fname) + " is not loaded");
    module->Keep(handle);
    Bind(&module->heap.GlobalAlloc, dlsym(handle, "GlobalAlloc"));
    Bind(&module->heap.GlobalFree, dlsym(handle, "GlobalFree"));
    Bind(&module->heap.GetLastError, dlsym(handle, "GetLastError"));
    if (!module->heap.GlobalAlloc || !module->heap.GlobalFree || !module->heap.GetLastError)
        return Failed(OutcomeKind::InternalError, std::string(where.dli_fname) + " does not export its heap functions");
    module->identity = {where.dli_fname, "ELF shared object", {}};
    return Finished(std::move(module));
}

LoadedModule LoadModule(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    char magic[4] = {};
    if (!in) return Failed(OutcomeKind::CannotOpenModule, "cannot open the module " + path);
    in.read(magic, sizeof magic);
    if (in.gcount() == 4 && magic[0] == 0x7F && magic[1] == 'E' && magic[2] == 'L' && magic[3] == 'F')
        return LoadSharedObject(path.find('/') == std::string::npos ? "./" + path : path);
    if (in.gcount() >= 2 && magic[0] == 'M' && magic[1] == 'Z') return LoadDll(path);
    return Failed(OutcomeKind::BadModule, path + ": neither an ELF shared object nor a PE32 DLL");
}

LoadedModule LoadModuleOrLinked(const std::string &path) { return path.empty() ? LinkedModule() : LoadModule(path); }

}  // namespace pathost
