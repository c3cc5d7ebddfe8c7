#include "poll/answer_blocks.h"

#include <vector>

#include "transport/answer_tracker.h"

namespace pathost {

namespace {

enum class Route { Main, Zolt, Drop };

Route RouteOf(std::string_view commandLine) {
    std::vector<std::string> words = CommandWords(commandLine);
    if (words.size() >= 3 && words[1] == "INFO" && words[2] == "ZOLT") return Route::Zolt;
    if (words.size() >= 3 && words[1] == "ECHO" && words[2].compare(0, kEchoPrefix.size(), kEchoPrefix) == 0)
        return Route::Drop;
    return Route::Main;
}

// The start of the next line at or after pos that is a command line, or npos.
size_t NextCommandLine(std::string_view stream, size_t pos) {
    while (pos < stream.size()) {
        size_t end = stream.find_first_of("\n\f", pos);
        std::string_view line = stream.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        if (!CommandWords(line).empty()) return pos;
        if (end == std::string_view::npos) return std::string_view::npos;
        pos = end + 1;
    }
    return std::string_view::npos;
}

}  // namespace

AnswerParts SplitAnswer(std::string_view stream) {
    AnswerParts parts;
    size_t pos = 0;
    while (pos < stream.size()) {
        size_t start = NextCommandLine(stream, pos);
        if (start == std::string_view::npos) {
            parts.main.append(stream.substr(pos));
            break;
        }
        parts.main.append(stream.substr(pos, start - pos));
        size_t lineEnd = stream.find_first_of("\n\f", start);
        size_t nextCommand =
            lineEnd == std::string_view::npos ? std::string_view::npos : NextCommandLine(stream, lineEnd + 1);
        size_t limit = nextCommand == std::string_view::npos ? stream.size() : nextCommand;
        size_t formFeed = stream.substr(start, limit - start).find('\f');
        size_t end = formFeed == std::string_view::npos ? limit : start + formFeed + 1;
        std::string_view block = stream.substr(start, end - start);
        switch (RouteOf(stream.substr(start, lineEnd == std::string_view::npos ? std::string_view::npos : lineEnd - start))) {
            case Route::Main: parts.main.append(block); break;
            case Route::Zolt: parts.zolt.append(block); break;
            case Route::Drop: break;
        }
        pos = end;
    }
    return parts;
}

}  // namespace pathost

