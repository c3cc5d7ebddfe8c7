// Building CentroData trees the way a host does: a root, the request copy
// the module built, the printer's answers.
#ifndef PAT_TESTS_REPLY_CENTRO_DATA_SUPPORT_H
#define PAT_TESTS_REPLY_CENTRO_DATA_SUPPORT_H

#include <initializer_list>
#include <string>

#include "core/record_invariants.h"
#include "support/host.h"

namespace pat::test {

// Joins answer lines with CR LF; a line "\f" stands for the form feed that
// ends a block and gets no line end of its own.
inline std::string Answer(std::initializer_list<const char *> lines) {
    std::string text;
    for (const char *line : lines) text += std::string(line) + (std::string(line) == "\f" ? "" : "\r\n");
    return text;
}

class CentroData {
public:
    explicit CentroData(uint32_t tag = 2, const void *payload = nullptr, uint32_t length = 0)
        : root_(CreateNode(nullptr, tag, payload, length)) {}
    // The request tree as the module returned it becomes the tag-1 child.
    CentroData &Request(DataNode *query) {
        AppendChild(root_.get(), query);
        return *this;
    }
    CentroData &Pjl(const std::string &text) {
        CreateNode(root_.get(), 1000, text.c_str(), static_cast<uint32_t>(text.size() + 1));
        return *this;
    }
    CentroData &DeviceId(const std::string &text) {
        CreateNode(root_.get(), 1002, text.c_str(), static_cast<uint32_t>(text.size() + 1));
        return *this;
    }
    CentroData &Child(uint32_t tag, const void *payload, uint32_t length) {
        CreateNode(root_.get(), tag, payload, length);
        return *this;
    }
    DataNode *get() const { return root_.get(); }

private:
    HostTree root_;
};

// Applies a CentroData tree through the export; the last error is the result.
inline uint32_t Apply(const CentroData &tree, PrnInfoEx *record) {
    SetLastError(0xBADC0DE);
    int ok = PatSetCentroDataTo(tree.get(), 0x12345678, record, 2);
    uint32_t error = GetLastError();
    EXPECT_EQ(ok, error == 0 ? 1 : 0);
    const char *violation = FindRecordViolation(record);
    EXPECT_EQ(violation, nullptr) << "record inconsistent at " << violation;
    return error;
}

}  // namespace pat::test

#endif
