// PatPMInfoToPrnInfoEx: which variant of the host's block this is, and the
// engine status a status conversion leaves when the host reported none.
#include "convert/pminfo_blocks.h"
#include "convert/record_conversions.h"

namespace pat {

namespace {

constexpr uint32_t kVariantBits = 0xFFFFu;

bool RevisionIs(uint32_t revision, uint32_t expected) { return (revision & 0xFFu) == expected; }

}  // namespace

Status ConvertPMInfo(uint32_t deviceClass, const void *pmInfo, uint32_t revision, uint32_t mask,
                     PrnInfoEx *record) {
    if (pmInfo == nullptr || record == nullptr) return kInvalidParameter;
    uint32_t variant = deviceClass & kVariantBits;
    if ((variant != PAT_CLASS_STATUS && variant != PAT_CLASS_CONFIG) || record->dwSize < PAT_PRNINFOEX_MIN_SIZE)
        return kInvalidParameter;
    if (variant == PAT_CLASS_CONFIG) {
        if (!RevisionIs(revision, PAT_REVISION_PMINFO_CONFIG)) return kInvalidParameter;
        return ConvertConfigBlock(static_cast<const PMInfoConfig *>(pmInfo), mask, record);
    }
    if (!RevisionIs(revision, PAT_REVISION_PMINFO_STATUS)) return kInvalidParameter;
    bool suppress = (deviceClass & PAT_CLASS_SUPPRESS) != 0;
    Status status = ConvertStatusBlock(static_cast<const PMInfoStatus *>(pmInfo), mask, suppress, record);
    if (status != kOk) return status;
    // A host asking for engine statuses always gets at least one; when even
    // this one cannot be stored the conversion itself has still succeeded.
    ListRef engine;
    if ((mask & PAT_PMSTATUS_ENGINE) != 0 && LocateList(record, keys::kEngineStatus, &engine) &&
        *engine.countField == 0)
        AddEngineStatus(record, PAT_ENGINE_STATUS_NONE);
    return kOk;
}

}  // namespace pat
