// Routes the blocks of an answer stream: the emulation-specific ZOLT answer
// goes to its own reply tree, the host's closing echo goes nowhere, every
// other byte stays in the main answer text in the order it arrived.
#ifndef PAT_HOST_ANSWER_BLOCKS_H
#define PAT_HOST_ANSWER_BLOCKS_H

#include <string>
#include <string_view>

namespace pathost {

// The prefix of the word the host puts after "@PJL ECHO" to close a request.
inline constexpr std::string_view kEchoPrefix = "PATHOST-";

struct AnswerParts {
    std::string main;
    std::string zolt;
};

// A block runs from a "@PJL" command line to its form feed (or to the next
// command line, or the end, when the form feed never came).
AnswerParts SplitAnswer(std::string_view stream);
// The same without a second copy of the answer: `stream` keeps the main
// answer; the ZOLT answer is returned.
std::string SplitAnswerInPlace(std::string &stream);

}  // namespace pathost

#endif
