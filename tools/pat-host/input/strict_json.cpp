#include "input/strict_json.h"

#include <unordered_set>
#include <vector>

namespace pathost {

namespace {

using nlohmann::json;

// Where the parser is, for naming a field: one frame per open object or array.
class Path {
public:
    void Open(bool array) { frames_.push_back({array, 0, {}, {}}); }
    void Close() {
        frames_.pop_back();
        ElementDone();
    }
    void ElementDone() {
        if (!frames_.empty() && frames_.back().array) ++frames_.back().index;
    }
    // False when the open object already has this key.
    bool Key(const std::string &key) {
        frames_.back().key = key;
        return frames_.back().keys.insert(key).second;
    }
    std::string Text() const {
        std::string text;
        for (const Frame &frame : frames_) {
            if (frame.array)
                text += "[" + std::to_string(frame.index) + "]";
            else if (!frame.key.empty())
                text += (text.empty() ? "" : ".") + frame.key;
        }
        return text.empty() ? "the document" : text;
    }

private:
    struct Frame {
        bool array;
        size_t index;
        std::string key;
        std::unordered_set<std::string> keys;
    };
    std::vector<Frame> frames_;
};

// A library message without its "[json.exception...] " tag, and short: a
// token it quotes may be as long as the file.
std::string Reason(const json::exception &error) {
    std::string what = error.what();
    size_t tag = what.find("] ");
    what = what.substr(tag == std::string::npos ? 0 : tag + 2);
    constexpr size_t kShown = 200;
    return what.size() > kShown ? what.substr(0, kShown) + "..." : what;
}

}  // namespace

Expected<json> ParseStrictJson(const std::string &text) {
    Path path;
    std::string problem;
    auto check = [&](int, json::parse_event_t event, json &parsed) {
        switch (event) {
            case json::parse_event_t::object_start: path.Open(false); break;
            case json::parse_event_t::array_start: path.Open(true); break;
            case json::parse_event_t::object_end:
            case json::parse_event_t::array_end: path.Close(); break;
            case json::parse_event_t::key: {
                const std::string &key = parsed.get_ref<const std::string &>();
                bool fresh = path.Key(key);
                if (problem.empty() && !fresh) problem = path.Text() + ": is given twice";
                if (problem.empty() && key.find('\0') != std::string::npos)
                    problem = path.Text() + ": the key holds a NUL byte";
                break;
            }
            case json::parse_event_t::value:
                if (problem.empty() && parsed.is_string() &&
                    parsed.get_ref<const std::string &>().find('\0') != std::string::npos)
                    problem = path.Text() + ": holds a NUL byte";
                path.ElementDone();
                break;
        }
        return true;
    };
    json document;
    try {  // the library's only way to say where the text stops being JSON
        document = json::parse(text, check);
    } catch (const json::parse_error &error) {
        return Fail(OutcomeKind::DataError, "not JSON: " + Reason(error));
    } catch (const json::out_of_range &) {  // a number beyond a double's range
        return Fail(OutcomeKind::DataError, path.Text() + ": the number is out of range");
    }
    if (!problem.empty()) return Fail(OutcomeKind::DataError, problem);
    return document;
}

}  // namespace pathost
