// The PJL query text, assembled in a fixed 1024-byte area that is never
// overrun: a piece that does not fit is left out whole.
#ifndef PAT_QUERY_QUERY_TEXT_H
#define PAT_QUERY_QUERY_TEXT_H

#include <stdint.h>
#include <string.h>

namespace pat {

class QueryText {
public:
    static constexpr uint32_t kCapacity = 1024;  // terminating NUL included

    // Appends piece when it fits with `reserve` characters still free for
    // what must follow; false (and nothing appended) otherwise.
    bool Append(const char *piece, uint32_t reserve = 0) {
        uint32_t n = static_cast<uint32_t>(strlen(piece));
        if (length_ + n + reserve + 1 > kCapacity) return false;
        memcpy(text_ + length_, piece, n + 1);
        length_ += n;
        return true;
    }
    const char *text() const { return text_; }
    uint32_t length() const { return length_; }

private:
    char text_[kCapacity] = "";
    uint32_t length_ = 0;
};

}  // namespace pat

#endif
