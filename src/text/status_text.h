// Status text composition: the status codes of best priority of a record,
// the messages they map to, and the message template filled with the detail
// texts of its slots. Every array is created and destroyed within one call.
#ifndef PAT_TEXT_STATUS_TEXT_H
#define PAT_TEXT_STATUS_TEXT_H

#include <stdint.h>

#include "core/error_codes.h"
#include "core/record_array.h"
#include "core/status_request.h"
#include "text/text_config.h"
#include "pat/pat.h"

namespace pat {

// Tags of the status input tree.
constexpr uint32_t kStatusRootTag = 10;
constexpr uint32_t kBaseRecordTag = 2;
constexpr uint32_t kStatusRecordTag = 1;  // the record of device class 1

// The code that stands for a set bStatusBit27, after the list's own codes.
constexpr uint32_t kStatusFlagCode = 0xFFFFFF02u;

// Priority of a code that no row matches.
constexpr uint16_t kNoPriority = 0xFFFF;

// Text sizes in bytes, terminator included.
constexpr uint32_t kTemplateCapacity = 512;
constexpr uint32_t kSlotCapacity = 256;
constexpr uint32_t kSeparatorCapacity = 16;
constexpr uint32_t kCodeTextCapacity = 11;  // "4294967295"

// A message for a collected code: its template and one detail (0: none).
struct MessageRecord {
    uint32_t templateKey;
    uint32_t detailKey;
    char text[256];  // always empty
};

// A detail of one slot, ordered by its row number in the detail map.
struct DetailEntry {
    uint32_t detailKey;
    uint32_t position;  // 1-based row of the key in the detail map
    uint32_t stringId;
};

RecordArray *CreateCodeArray();     // uint32_t codes
RecordArray *CreateMessageArray();  // MessageRecord

// Checks the tree and fills *working with the header of the record to report
// on: the engine-status list of the base record when it has one, else the
// selected record's; every other field the selected record's. 0 or kInvalidParameter.
Status SelectStatusRecord(uint32_t deviceClass, const DataNode *root, PrnInfoEx *working);

// The code as unsigned decimal text, as codes are compared with patterns.
void FormatCodeText(uint32_t code, char text[kCodeTextCapacity]);

// Same length, and at every position the same character or a lower-case
// ASCII letter in the pattern, which stands for any one character.
bool MatchCodePattern(const char *codeText, const char *pattern);

// The code's priority: the first row whose pattern equals its text, else the
// first row whose pattern matches it. False (and kNoPriority) when none does.
bool FindCodePriority(const StatusPriorityRow *table, uint32_t code, uint16_t *priority);

// Appends to codes every engine-status code (and the flag code) of the best
// priority of the request's device class, sorted ascending. kNotFound when
// the device class has no priority table. A code that cannot be appended is
// dropped.
Status CollectStatusCodes(const StatusRequest *request, RecordArray *codes);

// Appends a message record for every message row whose pattern equals the
// code's text, or, when no row does, for every row whose pattern matches it.
Status AddMessagesForCode(const StatusRequest *request, uint32_t code, RecordArray *messages);

// The message records of the collected codes, in code order. 8 when the code
// array cannot be created, else what code collection returns.
Status CollectMessages(const StatusRequest *request, RecordArray *messages);

// The template of the first message with each slot marker ("%s") replaced
// by its slot text; a slot that fails is dropped. Cut at capacity - 1 bytes.
Status ComposeStatusText(const StatusRequest *request, RecordArray *messages, uint32_t option, char *text,
                         uint32_t capacity);

// The detail texts of slot number slot joined by the separator, in the order
// of the detail map (kSlotCapacity bytes, cut at the limit).
Status ComposeSlotText(RecordArray *messages, char *slotText, uint32_t slot);

// Writes the help-file name of the sorted codes; the configuration's step.
Status ComposeHelpFileName(const StatusRequest *request, RecordArray *codes, char *text, uint32_t capacity);

}  // namespace pat

#endif
