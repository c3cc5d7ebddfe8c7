// PatSetCentroDataTo's work: a CentroData tree (request copy, PJL answers,
// device IDs) into the host's record.
#include "reply/centro_data.h"
#include "reply/reply_config.h"
#include "core/data_node.h"
#include "reply/device_id_parser.h"
#include "reply/reply_dispatch.h"

namespace pat {

namespace {

// A tag-3 root answers the emulation-specific query and carries its kind.
bool CarriesEmulQueryKind(const DataNode *root) {
    uint32_t kind = 0;
    return CopyPayload(root, &kind, sizeof kind, kPayloadExact) && kind == PAT_EMUL_QUERY_KIND;
}

}  // namespace

Status WalkCentroData(const ReplyRule *familyTable, const DataNode *root, PrnInfoEx *record) {
    Status status = VerifyReplyAgainstRequest(root);
    if (status != kOk) return status;
    if (root->tag == PAT_TAG_EMUL_ROOT && !CarriesEmulQueryKind(root)) return kInvalidParameter;
    for (const DataNode *child = FirstChild(root); child != nullptr; child = NextSibling(child)) {
        const char *payload = reinterpret_cast<const char *>(Payload(child));
        if (child->tag == PAT_TAG_PJL_TEXT) {
            if (child->payloadLength == 0) return kInvalidParameter;
            // Syntax errors and handler failures in an answer are not reported.
            DispatchPjlReply(record, familyTable, payload, child->payloadLength);
        } else if (child->tag == PAT_TAG_DEVICE_ID) {
            if (child->payloadLength == 0) return kInvalidParameter;
            status = ParseDeviceId(payload, child->payloadLength, record);
            if (status != kOk) return status;
        }
    }
    return kOk;
}

Status ApplyCentroData(DataNode *root, PrnInfoEx *record) {
    if (record->dwSize < PAT_PRNINFOEX_MIN_SIZE) return kInvalidParameter;
    Status status = WalkCentroData(ActiveReplyConfig().familyReplyTable, root, record);
    if (status != kOk) return status;
    FixTandemTrays(record);
    return kOk;
}

}  // namespace pat
