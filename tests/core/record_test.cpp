// The PrnInfoEx record: keyed lists and strings, item chains, name-to-code.
#include <gtest/gtest.h>

#include "core/record.h"
#include "platform/portable/test_hooks.h"
#include "support/host.h"

namespace pat::test {
namespace {

TrayInfo *AddTray(PrnInfoEx *record, uint16_t code) {
    TrayInfo *tray = NewItem<TrayInfo>();
    tray->wTray = code;
    EXPECT_EQ(AddItem(record, keys::kTrayInfo, &tray->header), 1);
    return tray;
}

TEST(Record, EveryListKeyReachesItsCountAndHead) {
    struct Case {
        const char *key;
        uint32_t countOffset, headOffset, itemSize;
    } cases[] = {
        {"pEngineStatus", 8, 12, 272},   {"pLoadedEmul", 56, 60, 28},     {"pLoadedFont", 64, 68, 12},
        {"pTrayInfo", 76, 80, 20},       {"pOutBinInfo", 88, 92, 12},     {"pDeviceInfo", 96, 100, 12},
        {"pEmulUniqInfo", 104, 108, 56}, {"pCounterInfo", 136, 140, 16},  {"pSupplyInfo", 144, 148, 16},
        {"pColorCorrection", 152, 156, 0}, {"pCustomMediaInfo", 160, 164, 0}, {"pFuncInfo", 192, 196, 12},
        {"pSalespkgInfo", 204, 208, 304}, {"pFuncpkgInfo", 184, 188, 304},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        HostRecord record;
        uint8_t *base = reinterpret_cast<uint8_t *>(record.get());
        ListRef list;
        ASSERT_TRUE(LocateList(record.get(), c.key, &list));
        EXPECT_EQ(reinterpret_cast<uint8_t *>(list.countField), base + c.countOffset);
        EXPECT_EQ(reinterpret_cast<uint8_t *>(list.headField), base + c.headOffset);
        EXPECT_EQ(ItemSizeOf(c.key), c.itemSize);
        InfoItem *item = AllocateItem(c.itemSize != 0 ? c.itemSize : 16);
        ASSERT_EQ(AddItem(record.get(), c.key, item), 1);
        uint32_t count;
        InfoItem *head;
        memcpy(&count, base + c.countOffset, 4);
        memcpy(&head, base + c.headOffset, 4);
        EXPECT_EQ(count, 1u);
        EXPECT_EQ(head, item);
    }
}

TEST(Record, UnknownKeysChangeNothing) {
    HostRecord record;
    ListRef list;
    EXPECT_FALSE(LocateList(record.get(), "ptrayinfo", &list));  // case matters
    EXPECT_FALSE(LocateList(record.get(), "pTrayInfo ", &list));
    EXPECT_EQ(ClearList(record.get(), "pNothing"), 0);
    EXPECT_EQ(SetString(record.get(), "pmodelname", "X"), 0);
    EXPECT_EQ(SetString(record.get(), "pTrayInfo", "X"), 0);
    EXPECT_EQ(AllocateListItem("pColorCorrection"), nullptr);
    EXPECT_EQ(record->pModelName, nullptr);
    EXPECT_EQ(record->pTrayInfo, nullptr);
    // Null records, keys, items and texts are refused the same way.
    EXPECT_FALSE(LocateList(nullptr, keys::kTrayInfo, &list));
    EXPECT_FALSE(LocateList(record.get(), nullptr, &list));
    EXPECT_EQ(AddItem(record.get(), keys::kTrayInfo, nullptr), 0);
    EXPECT_EQ(StringField(nullptr, keys::kModelName), nullptr);
    EXPECT_EQ(StringField(record.get(), nullptr), nullptr);
    EXPECT_EQ(SetString(record.get(), keys::kModelName, nullptr), 0);
    RemoveListItem(record.get(), keys::kTrayInfo, nullptr);
    EXPECT_EQ(record->dwTrayInfoCount, 0u);
}

// The consistency check every reliability test relies on finds each kind of
// damage: a count that is not the chain's length, an item of another
// layout's size, a cycle, a string that is not a heap block exactly as long
// as its text.
TEST(Record, ConsistencyCheckFindsEveryKindOfDamage) {
    static const char literal[] = "not a heap block";
    // Blocks of 8 bytes holding "ab" and of 2 bytes holding "ab" unterminated.
    char *blocks[2] = {static_cast<char *>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, 8)),
                       static_cast<char *>(GlobalAlloc(GMEM_FIXED, 2))};
    memcpy(blocks[0], "ab", 2);
    memcpy(blocks[1], "ab", 2);
    struct Case {
        const char *what, *key;
        void (*damage)(PrnInfoEx *, char **);
    } cases[] = {
        {"sound", nullptr, [](PrnInfoEx *, char **) {}},
        {"count", "pTrayInfo", [](PrnInfoEx *r, char **) { ++r->dwTrayInfoCount; }},
        {"size", "pTrayInfo", [](PrnInfoEx *r, char **) { r->pTrayInfo->header.size = 12; }},
        {"cycle", "pTrayInfo", [](PrnInfoEx *r, char **) { r->pTrayInfo->header.next = &r->pTrayInfo->header; }},
        {"literal", "pModelName", [](PrnInfoEx *r, char **) { r->pModelName = const_cast<char *>(literal); }},
        {"block too long", "pMakerName", [](PrnInfoEx *r, char **b) { r->pMakerName = b[0]; }},
        {"unterminated", "pMakerName", [](PrnInfoEx *r, char **b) { r->pMakerName = b[1]; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        HostRecord record;
        AddTray(record.get(), 3);
        SetString(record.get(), keys::kModelName, "Model");
        PrnInfoEx sound = *record.get();
        InfoItem tray = record->pTrayInfo->header;
        c.damage(record.get(), blocks);
        const char *found = FindRecordViolation(record.get());
        EXPECT_STREQ(found != nullptr ? found : "none", c.key != nullptr ? c.key : "none");
        record->dwTrayInfoCount = sound.dwTrayInfoCount;
        record->pTrayInfo->header = tray;
        record->pModelName = sound.pModelName;
        record->pMakerName = nullptr;
    }
    GlobalFree(blocks[0]);
    GlobalFree(blocks[1]);
}

TEST(Record, ItemsAppendAtTheTailAndClearFreesThemAll) {
    HostRecord record;
    TrayInfo *a = AddTray(record.get(), 3);
    TrayInfo *b = AddTray(record.get(), 4);
    TrayInfo *c = AddTray(record.get(), 5);
    EXPECT_EQ(record->dwTrayInfoCount, 3u);
    EXPECT_EQ(Items(record->pTrayInfo), (std::vector<TrayInfo *>{a, b, c}));
    EXPECT_EQ(a->header.size, 20u);
    uint32_t before = portable::HeapLiveBlocks();
    EXPECT_EQ(ClearList(record.get(), keys::kTrayInfo), 1);
    EXPECT_EQ(portable::HeapLiveBlocks(), before - 3);
    EXPECT_EQ(record->pTrayInfo, nullptr);
    EXPECT_EQ(record->dwTrayInfoCount, 0u);
}

TEST(Record, AllocatedItemsAreZeroFilledWithTheirSize) {
    InfoItem *item = AllocateListItem(keys::kFuncpkgInfo);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->size, 304u);
    EXPECT_EQ(item->next, nullptr);
    const uint8_t *bytes = reinterpret_cast<const uint8_t *>(item);
    for (uint32_t i = 8; i < 304; ++i) ASSERT_EQ(bytes[i], 0) << i;
    GlobalFree(item);
    portable::HeapFailNthAllocation(1);
    EXPECT_EQ(AllocateItem(20), nullptr);
}

TEST(Record, FindByCodeComparesTheZeroExtended16BitCode) {
    HostRecord record;
    AddTray(record.get(), 3);
    TrayInfo *four = AddTray(record.get(), 4);
    AddTray(record.get(), 4);
    InfoItem *head = &record->pTrayInfo->header;
    EXPECT_EQ(FindItemByCode(head, 4), &four->header);  // first match
    EXPECT_EQ(FindItemByCode(head, 0x10003), nullptr);
    EXPECT_EQ(FindItemByCode(head, 9), nullptr);
    EXPECT_EQ(FindItemByCode(nullptr, 3), nullptr);
}

TEST(Record, RemoveRelinksFreesAndLeavesCountingToTheCaller) {
    HostRecord record;
    TrayInfo *a = AddTray(record.get(), 3);
    TrayInfo *b = AddTray(record.get(), 4);
    TrayInfo *c = AddTray(record.get(), 5);
    InfoItem *head = RemoveItem(&record->pTrayInfo->header, &a->header);
    EXPECT_EQ(head, &b->header);
    record->pTrayInfo = reinterpret_cast<TrayInfo *>(head);
    EXPECT_EQ(record->dwTrayInfoCount, 3u);
    record->dwTrayInfoCount = 2;

    TrayInfo stranger = {};
    EXPECT_EQ(RemoveItem(head, &stranger.header), head);  // not in the chain: untouched, not freed
    RemoveListItem(record.get(), keys::kTrayInfo, &c->header);
    EXPECT_EQ(record->dwTrayInfoCount, 1u);
    EXPECT_EQ(Items(record->pTrayInfo), (std::vector<TrayInfo *>{b}));
    RemoveListItem(record.get(), keys::kTrayInfo, &stranger.header);
    EXPECT_EQ(record->dwTrayInfoCount, 1u);
}

TEST(Record, SetStringStoresAnExactCopyAndFreesTheOldOne) {
    HostRecord record;
    char text[] = "Model A";
    ASSERT_EQ(SetString(record.get(), keys::kModelName, text), 1);
    EXPECT_NE(record->pModelName, text);
    EXPECT_STREQ(record->pModelName, "Model A");
    EXPECT_EQ(GlobalSize(record->pModelName), 8u);
    uint32_t before = portable::HeapLiveBlocks();
    ASSERT_EQ(SetString(record.get(), keys::kModelName, "B"), 1);
    EXPECT_EQ(portable::HeapLiveBlocks(), before);  // the first copy went
    EXPECT_STREQ(record->pModelName, "B");

    portable::HeapFailNthAllocation(1);
    EXPECT_EQ(SetString(record.get(), keys::kModelName, "C"), 0);
    EXPECT_EQ(record->pModelName, nullptr);

    const char *keysInOrder[] = {"pModelName", "pMakerName", "pDescription", "pSYSVersion", "pMainProgVersion",
                                 "pKVNVersion"};
    char **fields[] = {&record->pModelName, &record->pMakerName, &record->pDescription,
                       &record->pSYSVersion, &record->pMainProgVersion, &record->pKVNVersion};
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(SetString(record.get(), keysInOrder[i], keysInOrder[i]), 1);
        EXPECT_STREQ(*fields[i], keysInOrder[i]);
    }
}

TEST(Record, HasDeviceAndAddEngineStatus) {
    HostRecord record;
    EXPECT_EQ(HasDevice(record.get(), 500), 0);
    DeviceInfo *device = NewItem<DeviceInfo>();
    device->wDevice = 500;
    AddItem(record.get(), keys::kDeviceInfo, &device->header);
    EXPECT_EQ(HasDevice(record.get(), 500), 1);
    EXPECT_EQ(HasDevice(record.get(), 0x101F4), 1);  // the low 16 bits count

    ASSERT_EQ(AddEngineStatus(record.get(), 0x12345), 1);
    EXPECT_EQ(record->dwEngineStatusCount, 1u);
    EXPECT_EQ(record->pEngineStatus->wStatus, 0x2345);
    EXPECT_EQ(record->pEngineStatus->dwStatus, 0x12345u);
    EXPECT_STREQ(record->pEngineStatus->szText, "");
    portable::HeapFailNthAllocation(1);
    EXPECT_EQ(AddEngineStatus(record.get(), 7), 0);
    EXPECT_EQ(record->dwEngineStatusCount, 1u);
}

TEST(Record, NameToCodeTakesTheFirstExactRowOrTheTerminator) {
    const NameCodeRow table[] = {{"A", 1}, {"B", 2}, {"A", 3}, {nullptr, 255}};
    EXPECT_EQ(NameToCode("A", table), 1);
    EXPECT_EQ(NameToCode("B", table), 2);
    EXPECT_EQ(NameToCode("a", table), 255);
    EXPECT_EQ(NameToCode("", table), 255);
    EXPECT_EQ(NameToCode(nullptr, table), -1);
    EXPECT_EQ(NameToCode("A", nullptr), -1);
}

TEST(Record, CopyToFieldCutsAndTerminates) {
    char field[4];
    CopyToField(field, sizeof field, "abcdef");
    EXPECT_STREQ(field, "abc");
    CopyToField(field, sizeof field, nullptr);
    EXPECT_STREQ(field, "");
}

}  // namespace
}  // namespace pat::test
