// Shared by the answer-handler tests: a cursor placed where the dispatcher
// would lend it to a handler, a handler call that checks the record stays
// consistent, and a look at the token the dispatcher would read next.
#ifndef PAT_TESTS_REPLY_HANDLER_TEST_SUPPORT_H
#define PAT_TESTS_REPLY_HANDLER_TEST_SUPPORT_H

#include <gtest/gtest.h>
#include <stdint.h>
#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include "core/record.h"
#include "core/record_invariants.h"
#include "reply/handler_support.h"
#include "reply/reply_handlers.h"
#include "reply/reply_scanner.h"

namespace pat_test {

using Handler = pat::Status (*)(pat::ReplyCursor *, PrnInfoEx *, pat::ReplyCompanion, uint32_t);

// Reads tokens up to and including the first one of kind whose text is word.
// False at the end of the text or a syntax error before it.
inline bool SkipPast(pat::ReplyCursor *cursor, uint32_t kind, const char *word) {
    for (;;) {
        pat::Token token;
        if (pat::ReadToken(cursor, &token) != pat::kOk || token.kind == pat::TOKEN_END) return false;
        if (token.kind == kind && strcmp(token.text, word) == 0) return true;
    }
}

// Starts a cursor on text (its NUL included) and moves it just after the
// token that fires a rule. text must outlive the cursor.
inline bool PositionCursorAfter(pat::ReplyCursor *cursor, const std::string &text, uint32_t kind, const char *word) {
    pat::InitReplyCursor(cursor, text.c_str(), static_cast<uint32_t>(text.size() + 1));
    return SkipPast(cursor, kind, word);
}

// An answer text with its cursor; pinned, since the cursor points into it.
struct Answer {
    Answer(std::string answer, uint32_t kind, const char *word) : text(std::move(answer)) {
        placed = PositionCursorAfter(&cursor, text, kind, word);
    }
    Answer(const Answer &) = delete;
    Answer &operator=(const Answer &) = delete;
    std::string text;
    pat::ReplyCursor cursor;
    bool placed;
};

// Calls handler as the dispatcher would; the record must be consistent after.
inline pat::Status Fire(Handler handler, PrnInfoEx *record, Answer &answer, uint32_t parameter = 0) {
    EXPECT_TRUE(answer.placed) << "the firing token is not in: " << answer.text;
    pat::Status status = handler(&answer.cursor, record, nullptr, parameter);
    const char *violation = pat::FindRecordViolation(record);
    EXPECT_EQ(violation, nullptr) << violation;
    return status;
}

// The token a dispatcher would read next.
struct NextToken {
    pat::Status status;
    uint32_t kind;
    std::string text;
};

inline NextToken ReadNext(pat::ReplyCursor *cursor) {
    pat::Token token = {};
    pat::Status status = pat::ReadToken(cursor, &token);
    return {status, token.kind, token.text};
}

// Items as an earlier answer left them.
inline void AddTray(PrnInfoEx *record, uint16_t code, uint16_t paper = 0, uint16_t level = 0, uint32_t attributes = 0) {
    TrayInfo *tray = pat::NewItem<TrayInfo>();
    ASSERT_NE(tray, nullptr);
    tray->wTray = code;
    tray->wPaperSize = paper;
    tray->wLevel = level;
    tray->dwAttributes = attributes;
    pat::AddItem(record, pat::keys::kTrayInfo, &tray->header);
}

inline void AddDevice(PrnInfoEx *record, uint16_t code) {
    DeviceInfo *device = pat::NewItem<DeviceInfo>();
    ASSERT_NE(device, nullptr);
    device->wDevice = code;
    pat::AddItem(record, pat::keys::kDeviceInfo, &device->header);
}

inline std::vector<uint16_t> Devices(PrnInfoEx *record) {
    std::vector<uint16_t> codes;
    for (InfoItem *at = reinterpret_cast<InfoItem *>(record->pDeviceInfo); at != nullptr; at = at->next)
        codes.push_back(reinterpret_cast<DeviceInfo *>(at)->wDevice);
    return codes;
}

}  // namespace pat_test

#endif
