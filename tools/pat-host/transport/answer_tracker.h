// The host's own reader of a printer's answer stream, fed as bytes arrive: it
// notes which answer blocks ended with their form feed, so that reading can
// stop as soon as every requested category has been answered (or the echo
// that closes the request came back) and can say what never ended.
#ifndef PAT_HOST_ANSWER_TRACKER_H
#define PAT_HOST_ANSWER_TRACKER_H

#include <string>
#include <string_view>
#include <vector>

namespace pathost {

// The category words of the INFO and INQUIRE lines of a PJL request, in order,
// each once ("CONFIG", "INTRAY1SIZE", "OUTBINSTATUS", ...).
std::vector<std::string> RequestedCategories(std::string_view pjl);

// The words of a "@PJL" command line after the universal exit sequence and
// blanks are stripped; empty when the line is not a command line.
std::vector<std::string> CommandWords(std::string_view line);

class AnswerTracker {
public:
    // required: categories the module's request asked; optional: the host's
    // own extra inquiries; echoToken: the word of the closing "@PJL ECHO".
    AnswerTracker() = default;
    AnswerTracker(std::vector<std::string> required, std::vector<std::string> optional, std::string echoToken);

    void Feed(std::string_view bytes);
    // Every category ended, or the closing echo came back (the printer has
    // answered all it is going to).
    bool Done() const;
    bool EchoSeen() const { return echoDone_; }
    std::vector<std::string> MissingRequired() const { return Missing(required_); }
    std::vector<std::string> MissingOptional() const { return Missing(optional_); }

private:
    void EndLine();
    void EndBlock();
    std::vector<std::string> Missing(const std::vector<std::string> &categories) const;

    std::vector<std::string> required_;
    std::vector<std::string> optional_;
    std::vector<std::string> ended_;
    std::string echoToken_;
    std::string line_;  // the start of the current line, bounded
    std::string openCategory_;
    bool blockOpen_ = false;
    bool echoBlock_ = false;
    bool echoDone_ = false;
};

}  // namespace pathost

#endif
