#include "transport/answer_tracker.h"

#include <algorithm>

namespace pathost {

namespace {

// Only the start of a line says what it is; a flood of one endless line must
// not grow memory. NUL bytes and the Ctrl-D bytes that open a line take no
// room: cleaning removes any number of them, so however many come, the
// tracker reads the raw stream as it reads the cleaned one.
constexpr size_t kLineKept = 256;
constexpr std::string_view kUniversalExit = "\x1B%-12345X";

bool Contains(const std::vector<std::string> &list, const std::string &word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

}  // namespace

std::vector<std::string> CommandWords(std::string_view line) {
    for (;;) {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\r' || line.front() == '\0' ||
                                 line.front() == '\x04'))
            line.remove_prefix(1);
        if (line.substr(0, kUniversalExit.size()) != kUniversalExit) break;
        line.remove_prefix(kUniversalExit.size());
    }
    if (line.substr(0, 4) != "@PJL") return {};
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start) words.emplace_back(line.substr(start, i - start));
    }
    return words;
}

std::vector<std::string> RequestedCategories(std::string_view pjl) {
    std::vector<std::string> categories;
    while (!pjl.empty()) {
        size_t end = pjl.find('\n');
        std::vector<std::string> words = CommandWords(pjl.substr(0, end));
        if (words.size() >= 3 && (words[1] == "INFO" || words[1] == "INQUIRE") && !Contains(categories, words[2]))
            categories.push_back(words[2]);
        if (end == std::string_view::npos) break;
        pjl.remove_prefix(end + 1);
    }
    return categories;
}

AnswerTracker::AnswerTracker(std::vector<std::string> required, std::vector<std::string> optional,
                             std::string echoToken)
    : required_(std::move(required)), optional_(std::move(optional)), echoToken_(std::move(echoToken)) {}

void AnswerTracker::Feed(std::string_view bytes) {
    for (char c : bytes) {
        if (c == '\f') {
            EndLine();
            EndBlock();
        } else if (c == '\n') {
            EndLine();
        } else if (c == '\0' || (c == '\x04' && line_.empty())) {
            continue;
        } else if (line_.size() < kLineKept) {
            line_ += c;
        }
    }
}

void AnswerTracker::EndLine() {
    std::vector<std::string> words = CommandWords(line_);
    line_.clear();
    if (words.size() < 2) return;
    // A new command line while a block is open: the printer left the old
    // block without its form feed, so it never ended.
    blockOpen_ = true;
    echoBlock_ = words[1] == "ECHO" && words.size() == 3 && words[2] == echoToken_;
    openCategory_ = (words[1] == "INFO" || words[1] == "INQUIRE") && words.size() >= 3 ? words[2] : std::string();
}

void AnswerTracker::EndBlock() {
    if (!blockOpen_) return;
    if (echoBlock_) echoDone_ = true;
    if (!openCategory_.empty() && !Contains(ended_, openCategory_)) ended_.push_back(openCategory_);
    blockOpen_ = false;
    echoBlock_ = false;
    openCategory_.clear();
}

bool AnswerTracker::Done() const {
    if (echoDone_) return true;
    return Missing(required_).empty() && Missing(optional_).empty();
}

std::vector<std::string> AnswerTracker::Missing(const std::vector<std::string> &categories) const {
    std::vector<std::string> missing;
    for (const std::string &category : categories)
        if (!Contains(ended_, category)) missing.push_back(category);
    return missing;
}

}  // namespace pathost
