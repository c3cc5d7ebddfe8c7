// Paper-size matching: 2 mm tolerance both ways, absent dimensions matched
// exactly, first row wins, and the attribute-qualified table.
#include <gtest/gtest.h>

#include "convert/code_lookups.h"
#include "api/module_config.h"

namespace pat {
namespace {

constexpr uint32_t kBoth = kPaperAttr400 | kPaperAttr800;

struct PlainCase {
    uint32_t width;
    uint32_t height;
    uint32_t code;
};

TEST(PaperSizeLookup, PlainTableMatchesWithinTwoMillimetres) {
    const PlainCase cases[] = {
        {297, 210, 9},        // A4 short edge first
        {299, 212, 9},        // both ends of the tolerance
        {295, 208, 9},
        {300, 210, 2},        // 3 mm off: custom
        {330, 210, 28},       // not 203 (8 mm) nor 215 (5 mm), but 209
        {330, 212, 2},        // 209 is 3 mm off, 215 too
        {211, 296, 8},
        {210, 297, 8},
        {182, 257, 10},       // the two orientations are different sizes
        {257, 182, 11},
        {120, 235, 117},
        {235, 120, 100},
        {kAbsent, 609, 281},  // roll paper matched by its height alone
        {kAbsent, 914, 284},
        {kAbsent, 611, 281},
        {kAbsent, 600, 2},
        {kAbsent, kAbsent, 2},  // no row has an absent height
        {297, kAbsent, 2},
        {0, 0, 2},            // lower bounds wrap: tiny sizes match nothing
        {1, 100, 2},
    };
    for (const PlainCase &c : cases) {
        const DimensionRow *row = FindPaperSize(c.width, c.height, Config().convert.paperSizeTable);
        EXPECT_EQ(row->code, c.code) << c.width << " x " << c.height;
    }
}

TEST(PaperSizeLookup, AbsentWidthMatchesOnlyRollRows) {
    // 841 is the height of a sheet row (A0SRT) and of the first roll row.
    EXPECT_EQ(FindPaperSize(kAbsent, 841, Config().convert.paperSizeTable)->code, 257u);
    EXPECT_EQ(FindPaperSize(1189, 841, Config().convert.paperSizeTable)->code, 90u);
    // The rule is plain unsigned arithmetic: a (nonsensical) present width
    // within 2 of the absence mark is within tolerance of the roll rows.
    EXPECT_EQ(FindPaperSize(0xFFFFFFFDu, 841, Config().convert.paperSizeTable)->code, 257u);
}

TEST(PaperSizeLookup, NoMatchEndsOnTheTerminator) {
    const DimensionRow *row = FindPaperSize(1000, 1000, Config().convert.paperSizeTable);
    EXPECT_EQ(row->width, kAbsent);
    EXPECT_EQ(row->height, 0u);
    EXPECT_EQ(row->code, 2u);
}

TEST(PaperSizeLookup, FirstRowWithinToleranceWins) {
    const DimensionRow table[] = {{100, 100, 1}, {101, 101, 2}, {kAbsent, 0, 9}};
    EXPECT_EQ(FindPaperSize(101, 101, table)->code, 1u);
    EXPECT_EQ(FindPaperSize(103, 103, table)->code, 2u);
    EXPECT_EQ(FindPaperSize(104, 104, table)->code, 9u);
}

struct AttrCase {
    uint32_t width;
    uint32_t height;
    uint32_t attributes;
    uint32_t participating;
    uint32_t code;
};

TEST(PaperSizeLookup, AttributeTableMatchesTheParticipatingBits) {
    const AttrCase cases[] = {
        {235, 120, 0x400, kBoth, 100},
        {235, 120, 0, kBoth, 133},
        {235, 120, 0x800, kBoth, 2},  // no row wants 0x800 set
        {235, 120, kAbsent, kBoth, 2},  // unreported word: both bits set
        {235, 120, 0, kPaperAttr400, 133},
        {235, 120, 0x400, kPaperAttr400, 100},
        {235, 120, 0, kPaperAttr800, 100},  // 0x400 does not take part
        {235, 120, 0x800, kPaperAttr800, 2},
        {235, 120, 0xC00, 0, 100},          // no bit takes part: first row
        {236, 118, 0, kBoth, 133},
        {120, 235, 0, kBoth, 117},
        {120, 235, 0x400, kPaperAttr400, 2},
        {210, 297, 0, kPaperAttr400, 2},    // sizes outside the table
    };
    for (const AttrCase &c : cases) {
        const DimensionAttrRow *row =
            FindPaperSize(c.width, c.height, c.attributes, c.participating, Config().convert.paperSizeAttrTable);
        EXPECT_EQ(row->code, c.code) << c.width << " x " << c.height << " attributes 0x" << std::hex
                                     << c.attributes << " bits 0x" << c.participating;
        // A miss ends on the terminator, whose width is absent.
        EXPECT_EQ(row->width == kAbsent, c.code == 2) << c.width << " x " << c.height;
    }
}

}  // namespace
}  // namespace pat
