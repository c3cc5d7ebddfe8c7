// Printer texts on their way into the server's outputs: made valid UTF-8
// first (a printer may send any bytes), then escaped for where they go.
#ifndef PAT_HOST_SERVE_TEXT_ESCAPE_H
#define PAT_HOST_SERVE_TEXT_ESCAPE_H

#include <string>

namespace pathost::serve {

// The text with every invalid UTF-8 sequence replaced by U+FFFD.
std::string ValidUtf8(const std::string &text);
// A Prometheus label value: backslash, double quote and line feed escaped.
std::string LabelValue(const std::string &text);
// HTML text or attribute value: & < > " ' as character references.
std::string Html(const std::string &text);

}  // namespace pathost::serve

#endif
