#include "module/module.h"

#include <stdexcept>
#include <type_traits>

#include "peloader/stdcall_probe.h"

namespace pathost {

namespace {

template <typename T>
uint32_t Word(T *pointer) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer)); }
inline uint32_t Word(uint32_t value) { return value; }

template <typename R>
R FromWord(uint32_t word) {
    if constexpr (std::is_pointer_v<R>)
        return reinterpret_cast<R>(static_cast<uintptr_t>(word));
    else
        return static_cast<R>(word);
}

// Calls fn with the parameter types of its prototype, checking what it took
// off the stack against their count.
template <typename R, typename... P>
Expected<R> Invoke(R(PAT_CALL *fn)(P...), const char *name, P... args) {
    // Every table is complete once loaded: a missing entry is a bug here.
    if (fn == nullptr) throw std::logic_error(std::string(name) + " is not in the module table");
    const uint32_t words[] = {Word(args)..., 0};
    pat::pe::ProbedCall call = pat::pe::CallProbed(reinterpret_cast<const void *>(fn), words, sizeof...(P));
    const int32_t expected = static_cast<int32_t>(4 * sizeof...(P));
    if (call.removed != expected)
        return Fail(OutcomeKind::ModuleFailure,
                    std::string(name) + " took " + std::to_string(call.removed) + " bytes of arguments off the stack, " +
                        std::to_string(expected) + " by its prototype in pat.h: the module's export table does not match pat.h");
    return FromWord<R>(call.result);
}

}  // namespace

Expected<DataNode *> Module::CreateQueryInfo(PrnInfoEx *record, uint32_t revision, uint32_t mask) const {
    return Invoke(exports.PatCreateQueryInfo, "PatCreateQueryInfo", record, revision, mask);
}

Expected<DataNode *> Module::CreateEmulUniqQueryInfo(const void *context, uint32_t revision, uint32_t kind,
                                          uint32_t reserved) const {
    return Invoke(exports.PatCreateEmulUniqQueryInfo, "PatCreateEmulUniqQueryInfo", context, revision, kind, reserved);
}

Expected<int> Module::SetCentroDataTo(DataNode *root, uint32_t reserved, PrnInfoEx *record, uint32_t revision) const {
    return Invoke(exports.PatSetCentroDataTo, "PatSetCentroDataTo", root, reserved, record, revision);
}

Expected<int> Module::PrnInfoExToPrnInfo(PrnInfoEx *record, PrnInfo *flat, uint32_t mask) const {
    return Invoke(exports.PatPrnInfoExToPrnInfo, "PatPrnInfoExToPrnInfo", record, flat, mask);
}

Expected<int> Module::PMInfoToPrnInfoEx(uint32_t deviceClass, const void *block, uint32_t revision, uint32_t mask,
                                        PrnInfoEx *record) const {
    return Invoke(exports.PatPMInfoToPrnInfoEx, "PatPMInfoToPrnInfoEx", deviceClass, block, revision, mask, record);
}

Expected<int> Module::GetDllVersion(DllVersion *version) const {
    return Invoke(exports.PatGetDllVersion, "PatGetDllVersion", version);
}

void *Module::Allocate(size_t bytes) const { return heap.GlobalAlloc(kHeapFixed | kHeapZeroInit, bytes); }

void Module::Free(void *block) const {
    if (block != nullptr) heap.GlobalFree(block);
}

uint32_t Module::LastError() const { return heap.GetLastError(); }

}  // namespace pathost
