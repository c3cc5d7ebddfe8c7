// Reply dispatch: the CentroData walk, the check that the answers answer the
// request, the rule-driven dispatch of PJL answer lines and the tandem-tray
// post-processing.
#ifndef PAT_REPLY_REPLY_DISPATCH_H
#define PAT_REPLY_REPLY_DISPATCH_H

#include "reply/reply_config.h"
#include "reply/handler_support.h"

namespace pat {

// Routes every line of a PJL answer (length bytes, up to its first zero byte)
// through the family table and the common table, to the end of the text. A
// syntax error met by the dispatcher's own read skips to the next "@PJL"
// block; it is not reported. Returns 0.
Status DispatchPjlReply(PrnInfoEx *record, const ReplyRule *familyTable, const char *text, uint32_t length);

// 0 when every category word of the request text appears in the answer, with
// a form feed somewhere after it and the answer scannable up to it; else
// kReplyMismatch. kInvalidData when the request text itself does not scan.
Status MatchRequestCategories(const char *request, uint32_t requestLength, const char *answer,
                              uint32_t answerLength);

// Checks the answers of a CentroData root against its request copy (the first
// tag-1 child); a root without one is not checked.
Status VerifyReplyAgainstRequest(const DataNode *root);

// Verifies, then parses every answer child in sibling order into the record.
Status WalkCentroData(const ReplyRule *familyTable, const DataNode *root, PrnInfoEx *record);

// Tray 1001 (tandem tray 3) never survives a parse that reported device 1002;
// tray 13 replaces tray 11 when device 103 was reported.
void FixTandemTrays(PrnInfoEx *record);

}  // namespace pat

#endif
