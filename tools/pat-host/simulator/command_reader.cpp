#include "simulator/command_reader.h"

#include <ctype.h>

namespace pathost::sim {

namespace {

constexpr size_t kLineLimit = 512;
constexpr std::string_view kUniversalExit = "\x1B%-12345X";

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char &c : out) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

std::string_view NextWord(std::string_view &text) {
    text = TrimBlanks(text);
    size_t end = text.find_first_of(" \t");
    std::string_view word = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    text = TrimBlanks(text);
    return word;
}

}  // namespace

std::vector<Command> CommandReader::Feed(std::string_view bytes) {
    std::vector<Command> commands;
    for (char c : bytes) {
        if (c == '\n')
            EndLine(commands);
        else if (line_.size() < kLineLimit)
            line_ += c;
    }
    return commands;
}

void CommandReader::EndLine(std::vector<Command> &commands) {
    std::string_view line = line_;
    for (;;) {
        line = TrimBlanks(line);
        if (line.substr(0, kUniversalExit.size()) != kUniversalExit) break;
        line.remove_prefix(kUniversalExit.size());
    }
    if (line.size() >= 4 && Upper(line.substr(0, 4)) == "@PJL" && (line.size() == 4 || line[4] == ' ' || line[4] == '\t')) {
        line.remove_prefix(4);
        Command command;
        command.verb = Upper(NextWord(line));
        command.argument = command.verb == "ECHO" ? std::string(line) : Upper(NextWord(line));
        if (!command.verb.empty()) commands.push_back(std::move(command));
    }
    line_.clear();
}

}  // namespace pathost::sim
