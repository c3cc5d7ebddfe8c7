// The device ID parser against the shipped tables and against a configuration
// with rows, its field reader, and its behaviour when memory runs out.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "api/module_config.h"
#include "core/record.h"
#include "platform/portable/test_hooks.h"
#include "reply/device_id_field.h"
#include "reply/device_id_number.h"
#include "core/record_invariants.h"
#include "reply/device_id_parser.h"
#include "reply/device_id_rows.h"
#include "support/host.h"

namespace {

using pat::test::HostRecord;
using pat::test::Items;

// Parses a terminated text, its NUL included in the length as a host sends it.
pat::Status Parse(PrnInfoEx *record, const std::string &text) {
    pat::Status status = pat::ParseDeviceId(text.c_str(), static_cast<uint32_t>(text.size() + 1), record);
    const char *violation = pat::FindRecordViolation(record);
    EXPECT_EQ(violation, nullptr) << "record inconsistent at " << violation;
    return status;
}

std::string Text(const char *s) { return s == nullptr ? "<null>" : s; }

std::vector<uint32_t> StatusCodes(PrnInfoEx *record) {
    std::vector<uint32_t> codes;
    for (EngineStatus *item : Items(record->pEngineStatus)) codes.push_back(item->dwStatus);
    return codes;
}

// {kind, value} pairs of a counter or supply list.
std::vector<std::pair<int, int>> Levels(CounterInfo *head) {
    std::vector<std::pair<int, int>> levels;
    for (CounterInfo *item : Items(head)) levels.push_back({item->wKind, item->lValue});
    return levels;
}

// ---- Field reader and numbers ----------------------------------------------

struct FieldCase {
    std::string text;  // the whole buffer, NUL included only where written
    uint32_t capacity;
    const char *separators;
    const char *field;
    uint32_t consumed;  // where the position ends, from the start
};

TEST(DeviceIdField, StopsAtSeparatorCapacityOrEnd) {
    const FieldCase cases[] = {
        {std::string("abc:def\0", 8), 256, ":", "abc", 4},     // separator consumed
        {std::string("abc\0", 4), 256, ":", "abc", 3},          // stays on the NUL
        {std::string("\0", 1), 256, ":", "", 0},                // at the end: empty, no move
        {std::string("::x\0", 4), 256, ":", "", 1},             // two in a row: empty field
        {std::string("abcdef\0", 7), 4, ":", "abc", 4},         // cut: 'd' is skipped
        {std::string("abc:\0", 5), 4, ":", "abc", 4},           // cut on the separator
        {std::string("abc\0", 4), 4, ":", "abc", 3},            // cut on the NUL: stays
        {std::string("a:b;c\0", 6), 256, "", "a:b;c", 5},       // empty set reads to the end
        {std::string("a;b,c\0", 6), 256, ",;", "a", 2},         // any of the set
        {std::string("abcdef", 3), 256, ":", "abc", 3},         // bounded: no NUL in range
        {std::string("abcdef", 4), 4, ":", "abc", 4},           // cut at the last byte
    };
    for (const FieldCase &c : cases) {
        pat::FieldSource source = pat::SourceOf(c.text.data(), static_cast<uint32_t>(c.text.size()));
        char field[256];
        memset(field, 'Z', sizeof field);
        pat::ReadField(&source, field, c.capacity, c.separators);
        EXPECT_STREQ(field, c.field) << "text " << c.text.c_str() << " capacity " << c.capacity;
        EXPECT_EQ(static_cast<uint32_t>(source.at - c.text.data()), c.consumed) << c.text.c_str();
    }
}

TEST(DeviceIdNumber, ReadsSignedDecimalAndSaturates) {
    const std::pair<const char *, int32_t> cases[] = {
        {"1234", 1234},       {"  \t-17x", -17},        {"+5", 5},
        {"", 0},              {"abc", 0},               {"-", 0},
        {"12 34", 12},        {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX},
        {"-2147483648", INT32_MIN}, {"-99999999999999999999", INT32_MIN},
        {"99999999999999999999", INT32_MAX},
    };
    for (const auto &[text, value] : cases) EXPECT_EQ(pat::ReadDecimal(text), value) << text;
}

// ---- Parsing with the shipped tables ------------------------------------------

struct StringsCase {
    std::string text;
    const char *maker;
    const char *model;
    const char *description;
    uint8_t modelCode;
};

TEST(DeviceIdParse, SetsTheStringsOfTheRecognisedKeysOnly) {
    const std::string longKey(255, 'K');
    const StringsCase cases[] = {
        {"MFG:M1;MDL:X1;DES:D1;", "M1", "X1", "D1", 255},
        {"XYZ:abc;MFG:M;", "M", nullptr, nullptr, 0},
        {"XYZ:abc; MFG:M;", nullptr, nullptr, nullptr, 0},          // the key is " MFG"
        {" MFG:M1;MDL:X1;DES:D1;", nullptr, "X1", "D1", 255},
        {"mfg:M1;", nullptr, nullptr, nullptr, 0},                   // case-sensitive
        {"", nullptr, nullptr, nullptr, 0},
        {"MFG:M1", "M1", nullptr, nullptr, 0},                       // no ";" at the end
        {"MFG", "", nullptr, nullptr, 0},                             // no value at all
        // A 256-character key is cut to 255; its last character is skipped,
        // so the value skipped is "DES:D1" and MFG is the next key.
        {longKey + "XDES:D1;MFG:M1;", "M1", nullptr, nullptr, 0},
        // Cut right before the colon: the colon is the skipped character.
        {longKey + ":DES:D1;MFG:M1;", "M1", nullptr, nullptr, 0},
        // A skipped ";" at the cut: the value skipped is "MFG:M1".
        {longKey + ";MFG:M1;DES:D1;", nullptr, nullptr, "D1", 0},
    };
    for (const StringsCase &c : cases) {
        HostRecord record;
        EXPECT_EQ(Parse(record.get(), c.text), 0u) << c.text;
        EXPECT_EQ(Text(record->pMakerName), Text(c.maker)) << c.text;
        EXPECT_EQ(Text(record->pModelName), Text(c.model)) << c.text;
        EXPECT_EQ(Text(record->pDescription), Text(c.description)) << c.text;
        EXPECT_EQ(record->bModelCode, c.modelCode) << c.text;
        EXPECT_EQ(record->dwEngineStatusCount, 0u) << c.text;
        EXPECT_EQ(record->dwCounterInfoCount, 0u) << c.text;
    }
}

struct StatusCase {
    const char *text;
    std::vector<uint32_t> codes;
    const char *detail;
    uint8_t status;
    uint8_t notOne;
};

TEST(DeviceIdParse, EngineStatusCodesStatusByteAndSharedText) {
    const StatusCase cases[] = {
        {"STS:10001/20002,1,Tray 2 empty;", {10001, 20002}, "Tray 2 empty", 1, 0},
        {"STS:5,0;", {5}, "", 0, 1},
        {"STS:/,1;", {}, "", 1, 0},
        {"STS:5//6/,2,a,b;", {5, 6}, "a,b", 2, 1},
        // Out of range codes saturate; the status byte is the low byte.
        {"STS:-1/99999999999/x,257,t;", {0xFFFFFFFFu, 0x7FFFFFFFu, 0}, "t", 1, 0},
        {"STS:7,1,;", {7}, "", 1, 0},
    };
    for (const StatusCase &c : cases) {
        HostRecord record;
        ASSERT_EQ(pat::AddEngineStatus(record.get(), 999), 1);  // replaced, not kept
        record->bEngineFlag = 1;
        EXPECT_EQ(Parse(record.get(), c.text), 0u) << c.text;
        EXPECT_EQ(StatusCodes(record.get()), c.codes) << c.text;
        EXPECT_EQ(record->dwEngineStatusCount, c.codes.size()) << c.text;
        for (EngineStatus *item : Items(record->pEngineStatus)) {
            EXPECT_EQ(item->wStatus, static_cast<uint16_t>(item->dwStatus)) << c.text;
            EXPECT_STREQ(item->szText, c.detail) << c.text;
        }
        EXPECT_EQ(record->bStatus, c.status) << c.text;
        EXPECT_EQ(record->bStatusNotOne, c.notOne) << c.text;
        EXPECT_EQ(record->bEngineFlag, 0) << c.text;
    }
}

TEST(DeviceIdParse, DetailTextFillsTheWholeTextFieldAndStaysTerminated) {
    HostRecord record;
    const std::string detail(300, 'd');
    EXPECT_EQ(Parse(record.get(), "STS:1/2,1," + detail + ";"), 0u);
    // The value is read with 256 bytes: "1," and 253 characters of the text.
    for (EngineStatus *item : Items(record->pEngineStatus)) EXPECT_EQ(strlen(item->szText), 253u);
    ASSERT_EQ(record->dwEngineStatusCount, 2u);
}

// The codes end only at a comma and the counter only at a slash: a value
// without them takes the following pairs along.
TEST(DeviceIdParse, StatusWithoutCommaAndCounterWithoutSlashSwallowFollowingPairs) {
    HostRecord record;
    EXPECT_EQ(Parse(record.get(), "STS:7;MFG:M1;"), 0u);
    EXPECT_EQ(StatusCodes(record.get()), std::vector<uint32_t>{7});
    EXPECT_EQ(record->pMakerName, nullptr);
    EXPECT_EQ(record->bStatusNotOne, 1);

    HostRecord second;
    EXPECT_EQ(Parse(second.get(), "RIJ:1234;MFG:M1;"), 0u);
    EXPECT_EQ(Levels(second->pCounterInfo), (std::vector<std::pair<int, int>>{{1, 1234}}));
    EXPECT_EQ(second->pMakerName, nullptr);
}

TEST(DeviceIdParse, CounterOnlyAndCommandsIgnoredWithShippedTables) {
    HostRecord record;
    LoadedEmul *kept = pat::NewItem<LoadedEmul>();
    ASSERT_NE(kept, nullptr);
    kept->wEmulation = 42;
    ASSERT_EQ(pat::AddItem(record.get(), pat::keys::kLoadedEmul, &kept->header), 1);

    EXPECT_EQ(Parse(record.get(), "RIJ:1234/50,60;CMD:PJL,PCL;"), 0u);
    EXPECT_EQ(Levels(record->pCounterInfo), (std::vector<std::pair<int, int>>{{1, 1234}}));
    EXPECT_EQ(record->dwCounterInfoCount, 1u);
    EXPECT_EQ(record->dwSupplyInfoCount, 0u);
    EXPECT_EQ(record->pSupplyInfo, nullptr);
    ASSERT_EQ(record->dwLoadedEmulCount, 1u);
    EXPECT_EQ(record->pLoadedEmul, kept);
    EXPECT_EQ(kept->wEmulation, 42);
}

// ---- A configuration with rows --------------------------------------------------

class DeviceIdWithRows : public testing::Test {
protected:
    pat::ModuleConfig config_ = pat::test::DeviceIdConfigWithRows();
    pat::test::ScopedConfig scoped_{config_};
};

TEST_F(DeviceIdWithRows, CommandSetsBecomeLoadedEmulations) {
    HostRecord record;
    EXPECT_EQ(Parse(record.get(), "CMD:PJL,,PCL,XL,PJL;"), 0u);
    std::vector<int> codes;
    for (LoadedEmul *item : Items(record->pLoadedEmul)) codes.push_back(item->wEmulation);
    EXPECT_EQ(codes, (std::vector<int>{1, 2, 99, 1}));
    EXPECT_EQ(record->dwLoadedEmulCount, 4u);
}

TEST_F(DeviceIdWithRows, SuppliesTakeTheKindsInOrderSkippingEmptyEntries) {
    HostRecord record;
    EXPECT_EQ(Parse(record.get(), "RIJ:5/,50,,60,70;MFG:M;"), 0u);
    EXPECT_EQ(Levels(record->pCounterInfo), (std::vector<std::pair<int, int>>{{1, 5}}));
    // Two kinds: the third entry has none left.
    EXPECT_EQ(Levels(record->pSupplyInfo), (std::vector<std::pair<int, int>>{{3, 50}, {7, 60}}));
    EXPECT_EQ(record->dwSupplyInfoCount, 2u);
    EXPECT_EQ(Text(record->pMakerName), "M");
}

TEST_F(DeviceIdWithRows, ModelCodeIsTheLowByteOfTheTableCode) {
    const std::pair<const char *, uint8_t> cases[] = {
        {"MDL:X1;", 7}, {"MDL:X2;", 0x34}, {"MDL:X3;", 255}, {"MDL:x1;", 255}};
    for (const auto &[text, code] : cases) {
        HostRecord record;
        EXPECT_EQ(Parse(record.get(), text), 0u);
        EXPECT_EQ(record->bModelCode, code) << text;
    }
}

TEST_F(DeviceIdWithRows, FirstNonzeroClassificationDecidesTheEngineFlag) {
    const std::pair<const char *, uint8_t> cases[] = {
        {"STS:20002,1;", 1},           // classified 1
        {"STS:30000/20002,1;", 1},     // 0 does not stop the search
        {"STS:10001/20002,1;", 0},     // 2 comes first and stays
        {"STS:30000,1;", 0},
    };
    for (const auto &[text, flag] : cases) {
        HostRecord record;
        EXPECT_EQ(Parse(record.get(), text), 0u);
        EXPECT_EQ(record->bEngineFlag, flag) << text;
    }
}

TEST_F(DeviceIdWithRows, SecondOccurrenceOfAKeyWinsAndListsAreRebuilt) {
    HostRecord record;
    EXPECT_EQ(Parse(record.get(),
                    "STS:1/2,1,a;CMD:PJL,PCL;RIJ:1/10,20;MFG:A;MDL:X1;"
                    "STS:3,0,b;CMD:PCL;RIJ:2/30;MFG:B;MDL:X2;"),
              0u);
    EXPECT_EQ(StatusCodes(record.get()), std::vector<uint32_t>{3});
    EXPECT_EQ(record->dwEngineStatusCount, 1u);
    EXPECT_STREQ(record->pEngineStatus->szText, "b");
    EXPECT_EQ(record->bStatus, 0);
    ASSERT_EQ(record->dwLoadedEmulCount, 1u);
    EXPECT_EQ(record->pLoadedEmul->wEmulation, 2);
    EXPECT_EQ(Levels(record->pCounterInfo), (std::vector<std::pair<int, int>>{{1, 2}}));
    EXPECT_EQ(Levels(record->pSupplyInfo), (std::vector<std::pair<int, int>>{{3, 30}}));
    EXPECT_EQ(record->dwCounterInfoCount, 1u);
    EXPECT_EQ(record->dwSupplyInfoCount, 1u);
    EXPECT_EQ(Text(record->pMakerName), "B");
    EXPECT_EQ(Text(record->pModelName), "X2");
    EXPECT_EQ(record->bModelCode, 0x34);
}

// ---- Payloads without a terminator ----------------------------------------------

TEST(DeviceIdParse, ReadsNoFurtherThanThePayloadLength) {
    struct Case {
        std::string payload;  // copied without a terminator
        uint32_t length;
        const char *maker;
        const char *description;
    };
    const Case cases[] = {
        {"MFG:M1;DES:D1", 13, "M1", "D1"},      // the value ends at the payload's end
        {"MFG:ABCDEF;", 7, "ABC", nullptr},     // the length cuts before the NUL would
        {std::string("MFG:M1\0DES:D1;", 14), 14, "M1", nullptr},  // the first NUL ends it
        {"DES", 3, nullptr, ""},
        {"MFG:M1;", 0, nullptr, nullptr},
    };
    for (const Case &c : cases) {
        // The payload ends exactly where its heap block does.
        char *payload = static_cast<char *>(malloc(c.length == 0 ? 1 : c.length));
        ASSERT_NE(payload, nullptr);
        memcpy(payload, c.payload.data(), c.length);
        HostRecord record;
        EXPECT_EQ(pat::ParseDeviceId(payload, c.length, record.get()), 0u) << c.payload.c_str();
        EXPECT_EQ(Text(record->pMakerName), Text(c.maker)) << c.payload.c_str();
        EXPECT_EQ(Text(record->pDescription), Text(c.description)) << c.payload.c_str();
        free(payload);
    }
}

TEST(DeviceIdParse, NullTextIsEmptyAndNullRecordIsLeftAlone) {
    HostRecord record;
    EXPECT_EQ(pat::ParseDeviceId(nullptr, 100, record.get()), 0u);
    EXPECT_EQ(record->pMakerName, nullptr);
    EXPECT_EQ(pat::ParseDeviceId("MFG:M;", 7, nullptr), 0u);
}

// ---- Out of memory ---------------------------------------------------------------

// The list's count matches its chain.
template <typename Item>
void ExpectConsistent(uint32_t count, Item *head, const char *key) {
    EXPECT_EQ(Items(head).size(), count) << key;
}

TEST_F(DeviceIdWithRows, EveryAllocationFailureFollowsTheMemoryRules) {
    // 3 strings, then 2 emulations, 2 engine statuses, 1 counter, 2 supplies.
    const std::string text =
        "MFG:M1;MDL:X1;DES:D1;CMD:PJL,PCL;STS:20002/10001,1,Tray 2 empty;RIJ:1234/50,60;";
    constexpr uint32_t kItems = 7;
    uint32_t stops = 0, modelLost = 0, itemsLost = 0;
    for (uint32_t n = 1;; ++n) {
        ASSERT_LT(n, 100u) << "the parse never got through";
        uint32_t liveBefore = pat::portable::HeapLiveBlocks();
        bool hit;
        {
            HostRecord record;
            pat::portable::HeapFailNthAllocation(n);
            pat::Status result = Parse(record.get(), text);
            hit = pat::portable::HeapAllocationsSinceArmed() >= n;
            pat::portable::HeapFailNthAllocation(0);

            ExpectConsistent(record->dwEngineStatusCount, record->pEngineStatus, "engine");
            ExpectConsistent(record->dwLoadedEmulCount, record->pLoadedEmul, "emul");
            ExpectConsistent(record->dwCounterInfoCount, record->pCounterInfo, "counter");
            ExpectConsistent(record->dwSupplyInfoCount, record->pSupplyInfo, "supply");
            uint32_t items = record->dwEngineStatusCount + record->dwLoadedEmulCount +
                             record->dwCounterInfoCount + record->dwSupplyInfoCount;

            if (!hit) {
                EXPECT_EQ(result, 0u);
                EXPECT_EQ(items, kItems);
                EXPECT_EQ(record->bModelCode, 7);
                EXPECT_EQ(record->bEngineFlag, 1);
                EXPECT_EQ(n - 1, 10u) << "allocation points";
            } else if (result != 0) {
                // Only the maker or the description stops the parse, and
                // nothing behind the failed pair is stored.
                EXPECT_EQ(result, PAT_ERROR_NOT_ENOUGH_MEMORY) << "failing allocation " << n;
                ++stops;
                EXPECT_EQ(items, 0u);
                if (record->pMakerName == nullptr) {
                    EXPECT_EQ(record->pModelName, nullptr);
                } else {
                    EXPECT_EQ(Text(record->pMakerName), "M1");
                    EXPECT_EQ(Text(record->pModelName), "X1");
                }
                EXPECT_EQ(record->pDescription, nullptr);
            } else {
                EXPECT_EQ(Text(record->pMakerName), "M1") << n;
                EXPECT_EQ(Text(record->pDescription), "D1") << n;
                if (record->pModelName == nullptr) {
                    ++modelLost;
                    EXPECT_EQ(record->bModelCode, 255);
                    EXPECT_EQ(items, kItems);
                } else {
                    ++itemsLost;
                    EXPECT_EQ(record->bModelCode, 7);
                    EXPECT_EQ(items, kItems - 1) << "failing allocation " << n;
                    for (EngineStatus *item : Items(record->pEngineStatus))
                        EXPECT_STREQ(item->szText, "Tray 2 empty");
                }
            }
        }
        EXPECT_EQ(pat::portable::HeapLiveBlocks(), liveBefore) << "failing allocation " << n;
        if (!hit) break;
    }
    EXPECT_EQ(stops, 2u);
    EXPECT_EQ(modelLost, 1u);
    EXPECT_EQ(itemsLost, kItems);
}

}  // namespace
