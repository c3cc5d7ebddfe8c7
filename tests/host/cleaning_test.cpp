// The host's cleaning rules, one table per rule.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "cleaning/cleaning.h"
#include "sources/command_set.h"

namespace pathost {
namespace {

using namespace std::string_literals;

struct PrefixCase {
    const char *name;
    std::string bytes;
    std::string text;
    bool littleEndian;
    bool clamped;
    bool countsText = false;  // the length counted only the text
};

TEST(DeviceIdLengthPrefix, EitherByteOrderAndClampedToWhatArrived) {
    const PrefixCase cases[] = {
        {"big-endian", "\x00\x0DMFG:A;MDL:B"s, "MFG:A;MDL:B", false, false},
        {"big-endian, trailing bytes beyond the length", "\x00\x08MFG:A;XXXXXX"s, "MFG:A;", false, false},
        {"little-endian", "\x0D\x00MFG:A;MDL:B"s, "MFG:A;MDL:B", true, false},
        {"neither fits: clamped", "\x7F\x7EMFG:A;"s, "MFG:A;", false, true},
        {"zero-filled ioctl buffer", "\x00\x0DMFG:A;MDL:B\0\0\0\0"s, "MFG:A;MDL:B", false, false},
        {"NUL inside the announced length", "\x00\x0DMFG:A\0MDL:B"s, "MFG:A", false, false},
        {"length below the prefix itself", "\x00\x01MFG:A;"s, "MFG:A;", false, true},
        {"prefix only", "\x00\x02"s, "", false, false},
        {"big-endian, counting only the text", "\x00\x1EMFG:Sharp;MDL:Sharp MX-M354NR;"s,
         "MFG:Sharp;MDL:Sharp MX-M354NR;", false, false, true},
        {"little-endian, counting only the text", "\x1E\x00MFG:Sharp;MDL:Sharp MX-M354NR;"s,
         "MFG:Sharp;MDL:Sharp MX-M354NR;", true, false, true},
        {"big-endian, counting itself", "\x00\x20MFG:Sharp;MDL:Sharp MX-M354NR;"s, "MFG:Sharp;MDL:Sharp MX-M354NR;",
         false, false},
        {"little-endian, counting itself", "\x20\x00MFG:Sharp;MDL:Sharp MX-M354NR;"s, "MFG:Sharp;MDL:Sharp MX-M354NR;",
         true, false},
    };
    for (const PrefixCase &c : cases) {
        LengthPrefix report;
        EXPECT_EQ(StripLengthPrefix(c.bytes, &report), c.text) << c.name;
        EXPECT_TRUE(report.removed) << c.name;
        EXPECT_EQ(report.littleEndian, c.littleEndian) << c.name;
        EXPECT_EQ(report.clamped, c.clamped) << c.name;
        EXPECT_EQ(report.countsText, c.countsText) << c.name;
    }
}

// Safe probing reads the command set; one that names nothing is no command set.
TEST(DeviceIdCommandSet, AnEmptyOneCountsAsNone) {
    const std::pair<const char *, std::optional<std::string>> cases[] = {
        {"MFG:A;CMD:;MDL:B;", std::nullopt},
        {"MFG:A;CMD: ;MDL:B;", std::nullopt},
        {"MFG:A;CMD:PCL,POSTSCRIPT;", "PCL,POSTSCRIPT"},
        {"MFG:A;cmd:PJL;", "PJL"},
        {"MFG:A;MDL:B;", std::nullopt},
    };
    for (const auto &[id, commandSet] : cases) EXPECT_EQ(CommandSetOf(id), commandSet) << id;
}

TEST(DeviceIdLengthPrefix, RecognisedOnlyWhereNoKeyCouldStart) {
    EXPECT_TRUE(LooksLengthPrefixed("\x00\x2AMFG:A;"s));
    EXPECT_TRUE(LooksLengthPrefixed("\x2A\x00MFG:A;"s));
    EXPECT_FALSE(LooksLengthPrefixed("MFG:A;"));
    EXPECT_FALSE(LooksLengthPrefixed("M"));
}

TEST(DeviceIdKeys, LongNamesAndSpacesBecomeTheShortKeys) {
    const struct {
        const char *in;
        const char *out;
        size_t renamed;
        size_t trimmed;
    } cases[] = {
        {"MANUFACTURER:Acme;MODEL:M 1;DESCRIPTION:D;COMMAND SET:PJL,PCL;", "MFG:Acme;MDL:M 1;DES:D;CMD:PJL,PCL;", 4, 0},
        {"Manufacturer:Acme;model:X;", "MFG:Acme;MDL:X;", 2, 0},
        {" MFG :Acme; MDL:X;", "MFG:Acme;MDL:X;", 0, 2},
        {"mfg:a;", "MFG:a;", 1, 0},
        {"STS:10001,1,Tray 2: empty;CLASS:PRINTER;", "STS:10001,1,Tray 2: empty;CLASS:PRINTER;", 0, 0},
        {"MFG:Acme; DESCRIPTION : wide  ;", "MFG:Acme;DES: wide  ;", 1, 1},
        {"MFG:Acme;no colon here;MDL:X", "MFG:Acme;no colon here;MDL:X", 0, 0},
        {"", "", 0, 0},
    };
    for (const auto &c : cases) {
        size_t renamed = 0, trimmed = 0;
        EXPECT_EQ(NormalizeDeviceIdKeys(c.in, &renamed, &trimmed), c.out) << c.in;
        EXPECT_EQ(renamed, c.renamed) << c.in;
        EXPECT_EQ(trimmed, c.trimmed) << c.in;
    }
}

TEST(DeviceIdCleaning, PrefixThenKeys) {
    std::string raw = "\x00\x1B MANUFACTURER:Acme;MDL:X;"s;
    DeviceIdCleaning cleaned = CleanDeviceId(raw, true);
    EXPECT_EQ(cleaned.text, "MFG:Acme;MDL:X;");
    EXPECT_TRUE(cleaned.prefix.removed);
    EXPECT_EQ(cleaned.keysRenamed, 1u);
    EXPECT_EQ(cleaned.keysTrimmed, 1u);
    EXPECT_EQ(CleanDeviceId("MFG:A;\0junk"s, false).text, "MFG:A;");
}

TEST(PjlStreamCleaning, PaddingAndEndOfJobMarksGoOutsideBlocksOnly) {
    const struct {
        const char *name;
        std::string in;
        std::string out;
        size_t nuls;
        size_t ctrlDs;
    } cases[] = {
        {"NULs before the first @PJL", "\0\0\0@PJL INFO X\r\n\f"s, "@PJL INFO X\r\n\f", 3, 0},
        {"Ctrl-D after a form feed", "@PJL INFO X\r\n\f\x04\x04@PJL INFO Y\r\n\f\x04"s,
         "@PJL INFO X\r\n\f@PJL INFO Y\r\n\f", 0, 3},
        {"NULs between blocks", "@PJL INFO X\r\n\f\0\r\n\0@PJL INFO Y\r\n\f"s, "@PJL INFO X\r\n\f\r\n@PJL INFO Y\r\n\f", 2,
         0},
        {"a NUL inside a block stays", "@PJL INFO X\r\nA\0B\r\n\f"s, "@PJL INFO X\r\nA\0B\r\n\f"s, 0, 0},
        {"a Ctrl-D inside a block stays", "@PJL INFO X\r\n\x04\r\n\f"s, "@PJL INFO X\r\n\x04\r\n\f", 0, 0},
        {"the universal exit sequence stays", "\0\x1B%-12345X@PJL INFO X\r\n\f"s, "\x1B%-12345X@PJL INFO X\r\n\f", 1, 0},
    };
    for (const auto &c : cases) {
        PjlCleaning cleaned = CleanPjlStream(c.in);
        EXPECT_EQ(cleaned.text, c.out) << c.name;
        EXPECT_EQ(cleaned.nulsRemoved, c.nuls) << c.name;
        EXPECT_EQ(cleaned.ctrlDsRemoved, c.ctrlDs) << c.name;
    }
}

}  // namespace
}  // namespace pathost
