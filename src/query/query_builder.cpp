// Decides what to ask the printer: the device ID request and the PJL query
// text for the categories the host wants, with the tray INQUIRE groups chosen
// from the trays the record already lists.
#include <string.h>

#include "query/query_builder.h"
#include "query/query_config.h"
#include "core/data_node.h"
#include "core/record.h"
#include "query/query_text.h"

namespace pat {

namespace {

constexpr char kUniversalExit[] = "\x1B%-12345X";
constexpr char kOpening[] = "\x1B%-12345X@PJL\r\n";
constexpr char kInfoConfig[] = "@PJL INFO CONFIG\r\n";
constexpr char kInfoOutBinStatus[] = "@PJL INFO OUTBINSTATUS\r\n";
constexpr char kEmulUniqQuery[] = "\x1B%-12345X@PJL\r\n@PJL INFO ZOLT\r\n\x1B%-12345X";

constexpr uint32_t kDeviceIdBits = PAT_CAT_STATUS | PAT_CAT_IDENTITY | PAT_CAT_ENGINE_STATUS;
constexpr uint32_t kConfigBits = PAT_CAT_CONFIG | PAT_CAT_EMULATIONS | PAT_CAT_OPTIONS;

uint32_t Length(const char *text) { return static_cast<uint32_t>(strlen(text)); }

// Appends the INQUIRE groups of the listed trays (or the default groups when
// none is listed). A group that would crowd out the rest of the text is left
// out; `reserve` keeps room for what follows the trays.
void AppendTrayGroups(QueryText &text, PrnInfoEx *record, uint32_t reserve) {
    const TrayQueryRow *table = ActiveQueryConfig().trayQueryTable;
    const TrayInfo *tray = reinterpret_cast<const TrayInfo *>(ListHead(record, keys::kTrayInfo));
    if (tray == nullptr) {
        for (const TrayQueryRow *row = table; row->tray != kEndTray; ++row)
            if (row->isDefault == 0) text.Append(row->groupText, reserve);
        return;
    }
    for (; tray != nullptr; tray = reinterpret_cast<const TrayInfo *>(tray->header.next))
        for (const TrayQueryRow *row = table; row->tray != kEndTray; ++row)
            if (row->tray == tray->wTray) text.Append(row->groupText, reserve);
}

}  // namespace

Status BuildQuery(PrnInfoEx *record, uint32_t mask, DataNode *root) {
    if (record->dwSize < PAT_PRNINFOEX_MIN_SIZE) return kInvalidParameter;
    QueryText text;
    text.Append(kOpening);
    bool pjlSelected = false;

    if ((mask & kDeviceIdBits) && CreateNode(root, PAT_TAG_DEVICE_ID, nullptr, 0) == nullptr) return kNoMemory;
    if (mask & kConfigBits) {
        text.Append(kInfoConfig);
        pjlSelected = true;
    }
    if (mask & PAT_CAT_INTRAYS) {
        uint32_t reserve = Length(kUniversalExit) + ((mask & PAT_CAT_OUTBINS) ? Length(kInfoOutBinStatus) : 0);
        AppendTrayGroups(text, record, reserve);
        pjlSelected = true;
    }
    if (mask & PAT_CAT_OUTBINS) {
        text.Append(kInfoOutBinStatus, Length(kUniversalExit));
        pjlSelected = true;
    }
    if (!pjlSelected) return kOk;
    text.Append(kUniversalExit);
    // A request without its text would be answered by nothing: report it.
    if (CreateNode(root, PAT_TAG_PJL_TEXT, text.text(), text.length() + 1) == nullptr) return kNoMemory;
    return kOk;
}

Status BuildEmulUniqQuery(const void *, uint32_t kind, uint32_t, DataNode *root) {
    if (static_cast<uint16_t>(kind) != PAT_EMUL_QUERY_KIND) return kInvalidParameter;
    if (CreateNode(root, PAT_TAG_PJL_TEXT, kEmulUniqQuery, sizeof kEmulUniqQuery) == nullptr) return kNoMemory;
    return kOk;
}

}  // namespace pat
