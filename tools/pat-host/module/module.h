// One binary of the module as pat-host reaches it: the sixteen exports with
// the prototypes of pat.h, and the heap and last-error functions that belong
// to that binary. Nothing in pat-host names an export or GlobalAlloc directly:
// the same code runs libpat.so as linked, another shared object, or pat.dll
// through the PE loader.
#ifndef PAT_HOST_MODULE_H
#define PAT_HOST_MODULE_H

#include <stddef.h>
#include <stdint.h>

#include <memory>
#include <string>

#include "module/module_objects.h"
#include "outcome/failure.h"
#include "pat/pat.h"

namespace pathost {

constexpr uint32_t kHeapFixed = 0x0000;
constexpr uint32_t kHeapZeroInit = 0x0040;

struct ExportTable {
    decltype(&::PatCreateBitmapInfo) PatCreateBitmapInfo = nullptr;
    decltype(&::PatDisposeBitmapInfo) PatDisposeBitmapInfo = nullptr;
    decltype(&::PatLoadBitmap) PatLoadBitmap = nullptr;
    decltype(&::PatGetStatusString) PatGetStatusString = nullptr;
    decltype(&::PatGetDeviceName) PatGetDeviceName = nullptr;
    decltype(&::PatPMInfoToPrnInfoEx) PatPMInfoToPrnInfoEx = nullptr;
    decltype(&::PatPrnInfoExToPrnInfo) PatPrnInfoExToPrnInfo = nullptr;
    decltype(&::PatCreateQueryInfo) PatCreateQueryInfo = nullptr;
    decltype(&::PatCreateEmulUniqQueryInfo) PatCreateEmulUniqQueryInfo = nullptr;
    decltype(&::PatSetCentroDataTo) PatSetCentroDataTo = nullptr;
    decltype(&::PatGetDllVersion) PatGetDllVersion = nullptr;
    decltype(&::PatGetPeripheralProfile) PatGetPeripheralProfile = nullptr;
    decltype(&::PatSetLocale) PatSetLocale = nullptr;
    decltype(&::PatGetStatusHelpFileName) PatGetStatusHelpFileName = nullptr;
    decltype(&::PatLoadDIBitmap) PatLoadDIBitmap = nullptr;
    decltype(&::PatGetPalette) PatGetPalette = nullptr;
};

struct HeapTable {
    void *(PAT_CALL *GlobalAlloc)(uint32_t flags, size_t bytes) = nullptr;
    void *(PAT_CALL *GlobalFree)(void *block) = nullptr;
    uint32_t(PAT_CALL *GetLastError)() = nullptr;
};

// Where the binary came from, as the output names it.
struct ModuleIdentity {
    std::string path;
    std::string kind;     // "ELF shared object", "PE32 DLL"
    std::string version;  // from PatGetDllVersion, "1.1.5.0"
};

class Module {
public:
    virtual ~Module() = default;

    ExportTable exports;
    HeapTable heap;
    ModuleIdentity identity;

    // The calls pat-host makes, each through the stdcall probe. An export that
    // does not remove exactly the arguments of its prototype from the stack
    // (the binary's export table does not match pat.h) is a ModuleFailure
    // naming it, with the stack intact.
    Expected<DataNode *> CreateQueryInfo(PrnInfoEx *record, uint32_t revision, uint32_t mask) const;
    Expected<DataNode *> CreateEmulUniqQueryInfo(const void *context, uint32_t revision, uint32_t kind,
                                                 uint32_t reserved) const;
    Expected<int> SetCentroDataTo(DataNode *root, uint32_t reserved, PrnInfoEx *record, uint32_t revision) const;
    Expected<int> PrnInfoExToPrnInfo(PrnInfoEx *record, PrnInfo *flat, uint32_t mask) const;
    Expected<int> PMInfoToPrnInfoEx(uint32_t deviceClass, const void *block, uint32_t revision, uint32_t mask,
                                    PrnInfoEx *record) const;
    Expected<int> GetDllVersion(DllVersion *version) const;

    void *Allocate(size_t bytes) const;  // zeroed, fixed; null when out of memory
    void Free(void *block) const;
    uint32_t LastError() const;
};

}  // namespace pathost

#endif
