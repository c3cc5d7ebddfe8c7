// The sixteen exports. Each is a thin frame: argument checks in their fixed
// order, one internal operation, and the last-error convention.
#include "api/last_error.h"
#include "api/operations.h"
#include "api/text_output.h"
#include "convert/record_conversions.h"
#include "core/data_node.h"
#include "pat/pat.h"
#include "query/query_builder.h"
#include "reply/centro_data.h"
#include "text/text_exports.h"

using namespace pat;

namespace {

constexpr uint32_t kStatusTextCapacity = 512;
constexpr uint32_t kDeviceNameCapacity = 256;
constexpr uint32_t kHelpFileCapacity = 512;

bool RevisionIs(uint32_t revision, uint32_t expected) { return (revision & 0xFFu) == expected; }

bool IsDeviceClass(uint32_t deviceClass) {
    uint16_t cls = static_cast<uint16_t>(deviceClass);
    return cls == PAT_CLASS_STATUS || cls == PAT_CLASS_CONFIG;
}

// Runs a request builder on a fresh tag-1 root; a request the builder could
// not complete is released whole, children included.
template <typename Builder>
DataNode *BuildRequest(Builder build) {
    DataNode *root = CreateNode(nullptr, PAT_TAG_QUERY_ROOT, nullptr, 0);
    if (root == nullptr) return FinishWith<DataNode>(kNoMemory, nullptr);
    Status status = build(root);
    if (status != kOk) FreeTree(root);
    return FinishWith(status, root);
}

}  // namespace

extern "C" {

PAT_API void *PAT_CALL PatCreateBitmapInfo(uint32_t, uint32_t, uint32_t) {
    return nullptr;  // leaves the last error alone
}

PAT_API int PAT_CALL PatDisposeBitmapInfo(BitmapInfo *info) { return Finish(DisposeBitmapInfo(info)); }

PAT_API int PAT_CALL PatGetStatusString(uint32_t deviceClass, DataNode *tree, uint32_t revision,
                                        uint32_t option, char *text, uint32_t *length) {
    if (tree == nullptr || length == nullptr || !RevisionIs(revision, PAT_REVISION_STATUS_TEXT) ||
        !IsDeviceClass(deviceClass))
        return Finish(kInvalidParameter);
    char composed[kStatusTextCapacity] = "";
    Status status = ComposeStatusString(deviceClass, tree, option, composed, sizeof composed);
    if (status != kOk) return Finish(status);
    return Finish(DeliverText(composed, text, length));
}

PAT_API int PAT_CALL PatGetDeviceName(uint32_t kind, const void *source, uint32_t revision, char *text,
                                      uint32_t *length) {
    if (length == nullptr) return Finish(kInvalidParameter);
    char composed[kDeviceNameCapacity] = "";
    Status status = ComposeDeviceName(kind, source, revision, composed, sizeof composed);
    if (status != kOk) return Finish(status);
    return Finish(DeliverText(composed, text, length));
}

PAT_API int PAT_CALL PatPMInfoToPrnInfoEx(uint32_t deviceClass, const void *pmInfo, uint32_t revision,
                                          uint32_t mask, PrnInfoEx *record) {
    if (pmInfo == nullptr || record == nullptr) return Finish(kInvalidParameter);
    return Finish(ConvertPMInfo(deviceClass, pmInfo, revision, mask, record));
}

PAT_API int PAT_CALL PatPrnInfoExToPrnInfo(PrnInfoEx *record, PrnInfo *flat, uint32_t mask) {
    if (record == nullptr || flat == nullptr) return Finish(kInvalidParameter);
    return Finish(ConvertToPrnInfo(record, flat, mask));
}

PAT_API DataNode *PAT_CALL PatCreateQueryInfo(PrnInfoEx *record, uint32_t revision, uint32_t mask) {
    if (record == nullptr || !RevisionIs(revision, PAT_REVISION_TREE))
        return FinishWith<DataNode>(kInvalidParameter, nullptr);
    return BuildRequest([&](DataNode *root) { return BuildQuery(record, mask, root); });
}

PAT_API DataNode *PAT_CALL PatCreateEmulUniqQueryInfo(const void *context, uint32_t revision, uint32_t kind,
                                                      uint32_t reserved) {
    if (context == nullptr || !RevisionIs(revision, PAT_REVISION_TREE))
        return FinishWith<DataNode>(kInvalidParameter, nullptr);
    return BuildRequest([&](DataNode *root) { return BuildEmulUniqQuery(context, kind, reserved, root); });
}

PAT_API int PAT_CALL PatSetCentroDataTo(DataNode *root, uint32_t, PrnInfoEx *record, uint32_t revision) {
    uint32_t tag = 0;
    if (root == nullptr || record == nullptr || !RevisionIs(revision, PAT_REVISION_TREE) ||
        !TagAndLength(root, &tag, nullptr) || (tag != PAT_TAG_CENTRO_ROOT && tag != PAT_TAG_EMUL_ROOT))
        return Finish(kInvalidParameter);
    return Finish(ApplyCentroData(root, record));
}

PAT_API int PAT_CALL PatGetDllVersion(DllVersion *version) { return Finish(FillDllVersion(version)); }

PAT_API int PAT_CALL PatGetPeripheralProfile(uint32_t deviceClass, PeripheralProfile *profile,
                                             uint32_t *length) {
    return Finish(FillPeripheralProfile(deviceClass, profile, length));
}

PAT_API int PAT_CALL PatSetLocale(const char *localeName) {
    if (localeName == nullptr) return Finish(kInvalidParameter);
    return Finish(SelectLocale(localeName));
}

PAT_API int PAT_CALL PatGetStatusHelpFileName(uint32_t deviceClass, PrnInfoEx *record, uint32_t, char *text,
                                              uint32_t *length) {
    if (length == nullptr || record == nullptr || !IsDeviceClass(deviceClass)) return Finish(kInvalidParameter);
    char composed[kHelpFileCapacity] = "";
    Status status = ComposeStatusHelpFileName(deviceClass, record, composed, sizeof composed);
    if (status != kOk) return Finish(status);
    return Finish(DeliverText(composed, text, length));
}

PAT_API int PAT_CALL PatGetPalette(PatPalette *palette, uint32_t *length) {
    return Finish(CopyPalette(palette, length));
}

}  // extern "C"
