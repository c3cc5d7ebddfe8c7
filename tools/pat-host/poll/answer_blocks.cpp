#include "poll/answer_blocks.h"

#include <string.h>

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

namespace {

// Hands every piece of the main answer, then of the ZOLT answer, to its sink
// in stream order; a piece is handed over only after every byte before its
// end has been read, so a sink may write over what lies before.
template <typename Main, typename Zolt>
void Route(std::string_view stream, Main &&main, Zolt &&zolt) {
    size_t pos = 0;
    while (pos < stream.size()) {
        size_t start = NextCommandLine(stream, pos);
        if (start == std::string_view::npos) {
            main(stream.substr(pos));
            break;
        }
        main(stream.substr(pos, start - pos));
        size_t lineEnd = stream.find_first_of("\n\f", start);
        size_t nextCommand =
            lineEnd == std::string_view::npos ? std::string_view::npos : NextCommandLine(stream, lineEnd + 1);
        size_t limit = nextCommand == std::string_view::npos ? stream.size() : nextCommand;
        size_t formFeed = stream.substr(start, limit - start).find('\f');
        size_t end = formFeed == std::string_view::npos ? limit : start + formFeed + 1;
        std::string_view block = stream.substr(start, end - start);
        switch (RouteOf(stream.substr(start, lineEnd == std::string_view::npos ? std::string_view::npos : lineEnd - start))) {
            case Route::Main: main(block); break;
            case Route::Zolt: zolt(block); break;
            case Route::Drop: break;
        }
        pos = end;
    }
}

}  // namespace

AnswerParts SplitAnswer(std::string_view stream) {
    AnswerParts parts;
    Route(stream, [&](std::string_view piece) { parts.main.append(piece); },
          [&](std::string_view piece) { parts.zolt.append(piece); });
    return parts;
}

std::string SplitAnswerInPlace(std::string &stream) {
    std::string zolt;
    size_t kept = 0;  // the main answer so far, at the front of the buffer
    Route(
        std::string_view(stream),
        [&](std::string_view piece) {
            memmove(stream.data() + kept, piece.data(), piece.size());
            kept += piece.size();
        },
        [&](std::string_view piece) { zolt.append(piece); });
    stream.resize(kept);
    return zolt;
}

}  // namespace pathost

