// The in-place scanner against the grammar read plainly: a reader written
// here byte by byte, copying every token, with no table and no view. Both
// step through the same bytes and must agree on every step: result, kind,
// text (whole, and as 48- and 100-byte buffers cut it), position and state.
// Texts: realistic answers and the module's own request, every prefix and
// single-byte mutation of them, and every fixture file under tests/.
#include <gtest/gtest.h>

#include <string.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "reply/reply_scan_helpers.h"
#include "reply/reply_scanner.h"
#include "reply/reply_step.h"
#include "support/host.h"
#include "support/host_inputs.h"

namespace pat::test {
namespace {

struct PlainStep {
    Status result;
    uint32_t kind;
    bool wrote;  // false: no "@PJL" was found, no text
    std::string text;
};

class PlainScanner {
public:
    PlainScanner(const char *text, size_t length) : p_(text), end_(text != nullptr ? text + strnlen(text, length) : text) {}
    const char *position() const { return p_; }
    uint32_t state() const { return state_; }

    PlainStep Step() {
        PlainStep s = {kOk, 0, true, ""};
        const char *before = p_;
        auto fail = [&] { s.result = kInvalidData, state_ = SCAN_SEEK; };
        auto read = [&](uint32_t kind) { return (s.kind = Read(kind, &s.text)) == kind; };
        auto consume = [&](bool blanks) { ++p_, blanks ? Blanks() : void(); };
        switch (state_) {
            case SCAN_COMMAND: state_ = read(TOKEN_COMMAND) || s.kind != TOKEN_EOL ? SCAN_CATEGORY : SCAN_SEEK; break;
            case SCAN_CATEGORY:
                if (!read(TOKEN_CATEGORY) && s.kind == TOKEN_EOL) state_ = SCAN_SEEK;
                else if (At(p_) == ':') consume(true), s.kind = TOKEN_QUALIFIER, state_ = SCAN_QUALIFIED;
                else if (At(p_) == '=') consume(true), state_ = SCAN_COMMAND_VALUE;
                else state_ = SCAN_COMMAND_EOL;
                break;
            case SCAN_QUALIFIED: read(TOKEN_QUALIFIED) ? void(state_ = SCAN_CATEGORY) : fail(); break;
            case SCAN_COMMAND_VALUE: state_ = read(TOKEN_COMMAND_VALUE) || s.kind != TOKEN_EOL ? SCAN_COMMAND_EOL : SCAN_SEEK; break;
            case SCAN_COMMAND_EOL:
                if (!read(TOKEN_EOL)) fail();
                else state_ = At(p_) == '@' || At(p_) == '\x1B' ? SCAN_SEEK : SCAN_KEY;
                break;
            case SCAN_KEY:
                if (!read(TOKEN_KEY)) fail();
                else if (At(p_) == '\n') state_ = SCAN_LINE_EOL;
                else if (At(p_) == '[') consume(false), state_ = SCAN_COUNT;
                else if (At(p_) == '=') consume(false), state_ = SCAN_VALUE;
                else fail();
                break;
            case SCAN_VALUE:
                if (!read(TOKEN_VALUE)) fail();
                else if (At(p_) == '[') consume(false), state_ = SCAN_COUNT;
                else state_ = SCAN_LINE_EOL;
                break;
            case SCAN_COUNT: read(TOKEN_COUNT) ? void(state_ = SCAN_TYPE) : fail(); break;
            case SCAN_TYPE:
                if (!read(TOKEN_TYPE)) fail();
                else if (At(p_) == ']') consume(true), state_ = SCAN_LINE_EOL;
                else if (p_ == before) fail();  // an empty type word would be read for ever
                break;
            case SCAN_LINE_EOL:
                if (!read(TOKEN_EOL)) fail();
                else if (At(p_) == '@') state_ = SCAN_SEEK;
                else state_ = At(p_) == '\t' || At(p_) == '\f' ? SCAN_INDENT : SCAN_KEY;
                break;
            case SCAN_INDENT:
                if (read(TOKEN_TAB)) state_ = SCAN_ITEM;
                else s.kind == TOKEN_FF ? void(state_ = SCAN_SEEK) : fail();
                break;
            case SCAN_ITEM:
                if (!read(TOKEN_ITEM)) fail();
                else if (At(p_) == '=') consume(true), state_ = SCAN_ITEM_VALUE;
                else state_ = At(p_) == '\n' ? SCAN_LINE_EOL : SCAN_ITEM_VALUE;
                break;
            case SCAN_ITEM_VALUE: read(TOKEN_ITEM_VALUE) && At(p_) == '\n' ? void(state_ = SCAN_LINE_EOL) : fail(); break;
            default:
                while (p_ < end_ && (end_ - p_ < 4 || memcmp(p_, "@PJL", 4) != 0)) ++p_;
                s = p_ == end_ ? PlainStep{kOk, TOKEN_END, false, ""} : PlainStep{kOk, TOKEN_PJL, true, "@PJL"};
                if (s.wrote) p_ += 4, Blanks(), state_ = SCAN_COMMAND;
        }
        if (s.kind == TOKEN_END && state_ != SCAN_SEEK) fail();
        return s;
    }

private:
    char At(const char *q) const { return q < end_ ? *q : '\0'; }
    void Blanks() {
        while (At(p_) == ' ' || At(p_) == '\r') ++p_;
    }
    uint32_t Read(uint32_t requested, std::string *text) {
        const char c = At(p_), *from = p_;
        uint32_t kind = c == '\0' ? TOKEN_END : c == '\n' ? TOKEN_EOL : c == '\t' ? TOKEN_TAB : c == '\f' ? TOKEN_FF : 0;
        if (kind != 0) {
            if (c != '\0') ++p_;
        } else if (c == '"') {
            for (from = ++p_; At(p_) != '"' && At(p_) != '\0';) ++p_;
        } else {
            while (strchr("\r\n=:[]", At(p_)) == nullptr && (requested == TOKEN_KEY || At(p_) != ' ')) ++p_;
        }
        *text = std::string(from, p_);
        if (c == '"' && At(p_) == '"') ++p_;
        Blanks();
        return kind != 0 ? kind : requested;
    }

    const char *p_, *end_;
    uint32_t state_ = SCAN_SEEK;
};

// A text as a buffer of `size` bytes holds it: cut, then trailing spaces dropped.
std::string Cut(std::string text, size_t size) {
    text.resize(std::min(text.size(), size - 1));
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// Steps both readers to the clean end over exactly the bytes given (a heap
// block without terminator, so a sanitized build sees any read past it); a
// second module cursor reads copies into 48-byte buffers, as handlers do.
testing::AssertionResult ScansAlike(const std::string &bytes) {
    std::vector<char> block(bytes.begin(), bytes.end());
    PlainScanner plain(block.data(), block.size());
    ReplyCursor views, copies;
    InitReplyCursor(&views, block.data(), static_cast<uint32_t>(block.size()));
    InitReplyCursor(&copies, block.data(), static_cast<uint32_t>(block.size()));
    for (size_t step = 0; step < pat_test::StepBound(bytes.size()); ++step) {
        PlainStep want = plain.Step();
        ReplyToken view;
        Status viewResult = StepReplyCursor(&views, &view);
        char buffer[48] = "~";
        uint32_t kind = 0;
        Status copyResult = NextReplyToken(&copies, buffer, sizeof buffer, &kind);
        bool same = viewResult == want.result && view.kind == want.kind && (view.text != nullptr) == want.wrote &&
                    copyResult == want.result && kind == want.kind && buffer == (want.wrote ? Cut(want.text, 48) : "~") &&
                    views.position == plain.position() && views.state == plain.state() &&
                    copies.position == plain.position() && copies.state == plain.state();
        if (same && want.wrote)
            same = std::string(view.text, view.length) == Cut(want.text, want.text.size() + 1) &&
                   std::string(view.text, TokenLengthIn(&view, 100)) == Cut(want.text, 100);
        if (!same)
            return testing::AssertionFailure() << "step " << step << ": plain {" << want.result << ", " << want.kind
                                               << ", \"" << want.text << "\"}, in place {" << viewResult << ", "
                                               << view.kind << "} at " << views.position - block.data();
        if (want.kind == TOKEN_END && want.result == kOk) return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "no clean end";
}

std::string ModuleRequest() {
    HostRecord record;
    ListEightTrays(record.get());
    HostTree request(PatCreateQueryInfo(record.get(), 2, kEveryCategory));
    const DataNode *text = FindByTag(FirstChild(request.get()), PAT_TAG_PJL_TEXT);
    return std::string(reinterpret_cast<const char *>(Payload(text)), text->payloadLength);
}

std::vector<std::string> Fixtures() {
    std::vector<std::string> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(PAT_TESTS_DIR))
        // Only the recorded PJL answers: other fixtures (SNMP walks, profiles) are not scanner input.
        if (entry.is_regular_file() && entry.path().parent_path().filename() == "fixtures" &&
            entry.path().extension() == ".pjl") {
            std::ifstream in(entry.path(), std::ios::binary);
            files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    return files;
}

// Each text whole, every prefix and, at every position, every byte the grammar turns on.
TEST(ScannerEquivalence, RealisticTextsTheirPrefixesAndMutationsScanAsTheGrammarReads) {
    std::vector<std::string> texts = Fixtures();
    ASSERT_GE(texts.size(), 3u);
    for (const std::string &text : {PollAnswer(1), ModuleRequest(), pat_test::kConfigAnswer, pat_test::kQualifierAnswer,
                                    pat_test::kDisplayAnswer, std::string("@PJL INFO X\r\nAB  C   \"Q  \"\r\n\tI = \"V \"\r\n") +
                                        std::string(46, 'K') + "  X=" + std::string(120, 'V') + "\r\n\f"})
        texts.push_back(text);
    const std::string grammarBytes("@PJL=:[]\"\t\f\n\r \x1B\0A", 17);
    for (const std::string &text : texts) {
        for (size_t n = 0; n <= text.size(); ++n) ASSERT_TRUE(ScansAlike(text.substr(0, n))) << n;
        // Every third position of the long texts, to keep the suite quick.
        for (size_t at = 0; at < text.size(); at += text.size() > 600 ? 3 : 1)
            for (char byte : grammarBytes) {
                std::string mutated = text;
                mutated[at] = byte;
                ASSERT_TRUE(ScansAlike(mutated)) << testing::PrintToString(mutated);
            }
    }
}

}  // namespace
}  // namespace pat::test
