// Choosing the record a status text reports on from the status input tree.
#include <string.h>

#include "core/data_node.h"
#include "text/status_text.h"

namespace pat {

namespace {

// The record pointer carried by the first child with tag, or null when there
// is none or its payload is not exactly a pointer.
const PrnInfoEx *RecordOfChild(const DataNode *root, uint32_t tag) {
    const PrnInfoEx *record = nullptr;
    CopyPayload(FindByTag(FirstChild(root), tag), &record, sizeof record, kPayloadExact);
    return record;
}

// Only the record's fixed header is read: every field this subsystem uses.
constexpr size_t kHeaderBytes = 212;

}  // namespace

Status SelectStatusRecord(uint32_t deviceClass, const DataNode *root, PrnInfoEx *working) {
    uint16_t cls = static_cast<uint16_t>(deviceClass);
    uint32_t tag = 0;
    uint32_t rootPayload = 0;
    if ((cls != PAT_CLASS_STATUS && cls != PAT_CLASS_CONFIG) || !TagAndLength(root, &tag, &rootPayload) ||
        tag != kStatusRootTag)
        return kInvalidParameter;
    // For class 0x8000 the root's payload length names the record's tag.
    const PrnInfoEx *base = RecordOfChild(root, kBaseRecordTag);
    const PrnInfoEx *selected = RecordOfChild(root, cls == PAT_CLASS_STATUS ? kStatusRecordTag : rootPayload);
    if (base == nullptr || selected == nullptr || base->dwSize < PAT_PRNINFOEX_MIN_SIZE ||
        selected->dwSize < PAT_PRNINFOEX_MIN_SIZE)
        return kInvalidParameter;
    memset(working, 0, sizeof *working);
    memcpy(working, selected, kHeaderBytes);
    if (base->pEngineStatus != nullptr) {
        working->dwEngineStatusCount = base->dwEngineStatusCount;
        working->pEngineStatus = base->pEngineStatus;
    }
    return kOk;
}

}  // namespace pat
