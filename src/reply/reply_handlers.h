// The PJL answer handlers the rule tables name. Each is called with the
// dispatcher's cursor standing just after the token that fired its rule,
// reads what else it needs from that cursor, and writes the record. Results
// (0, kNoMemory, kInvalidParameter or the scanner's kInvalidData) stop only the handler's own reading.
#ifndef PAT_REPLY_REPLY_HANDLERS_H
#define PAT_REPLY_REPLY_HANDLERS_H

#include "reply/reply_config.h"
#include "reply/reply_scanner.h"

namespace pat {

// INFO CONFIG and INFO ZOLT answers.
Status OnInfoConfig(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t parameter);
Status OnConfigVersion(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t parameter);
Status OnConfigInTrays(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t parameter);
Status OnTrayPresent(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t trayCode);
Status OnDeviceOption(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t deviceCode);
Status OnConfigMemory(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t parameter);
Status OnConfigPunch(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t parameter);
Status OnEmulUniqInfo(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t parameter);

// INFO OUTBINSTATUS and INQUIRE answers.
Status OnInfoOutBinStatus(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t parameter);
Status OnOutBinState(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t binCode);
Status OnTrayLock(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t trayCode);
Status OnTraySize(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t trayCode);
Status OnTrayLevel(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t trayCode);
Status OnPrinterMarkingType(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t parameter);
Status OnFuncpkgStatus(ReplyCursor *cursor, PrnInfoEx *record, ReplyCompanion companion, uint32_t packageIndex);

}  // namespace pat

#endif
