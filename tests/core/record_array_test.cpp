// The growable buffer and the record array over it: growth in whole steps,
// cursor rules, insertion order, and memory running out.
#include <gtest/gtest.h>

#include <vector>

#include "core/record_array.h"
#include "platform/portable/test_hooks.h"
#include "platform/platform.h"

namespace pat::test {
namespace {

uint32_t CapacityOf(const GrowBuffer *buffer) {
    return buffer->storage == nullptr ? 0 : static_cast<uint32_t>(GlobalSize(buffer->storage));
}

std::vector<uint32_t> Records(RecordArray *array) {
    std::vector<uint32_t> records;
    RecordCursor cursor;
    RecordCursorStart(array, &cursor);
    uint32_t record;
    while (RecordCursorNextCopy(&cursor, &record)) records.push_back(record);
    return records;
}

TEST(GrowBuffer, GrowsInWholeStepsAndKeepsItsCursorRules) {
    GrowBuffer *buffer = CreateGrowBuffer(80, 0);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->storage, nullptr);
    EXPECT_EQ(GrowBufferRead(buffer, 1), nullptr);
    uint8_t bytes[200] = {1, 2, 3, 4};
    ASSERT_EQ(GrowBufferWrite(buffer, bytes, 80), 1);
    EXPECT_EQ(CapacityOf(buffer), 80u);
    GrowBufferSeek(buffer, 0, kSeekEnd);
    ASSERT_EQ(GrowBufferWrite(buffer, bytes, 4), 1);
    EXPECT_EQ(CapacityOf(buffer), 160u);
    EXPECT_EQ(GrowBufferSize(buffer), 84u);
    EXPECT_EQ(GrowBufferWrite(buffer, nullptr, 0), 1);
    GrowBufferSeek(buffer, 100, kSeekSet);  // beyond the size: the gap is undefined
    ASSERT_EQ(GrowBufferWrite(buffer, bytes, 2), 1);
    EXPECT_EQ(GrowBufferSize(buffer), 102u);
    GrowBufferSeek(buffer, 103, kSeekSet);
    EXPECT_EQ(GrowBufferInsert(buffer, bytes, 1), 0) << "an insert beyond the size is refused";
    const struct {
        uint32_t offset;
        uint8_t mode;
        uint32_t cursor;
    } seeks[] = {{7, 1, 7}, {5, 2, 12}, {0xFFFFFFFD, 2, 9}, {0xFFFFFFFE, 3, 100}, {50, 0, 100}, {50, 4, 100}};
    for (const auto &s : seeks) {
        GrowBufferSeek(buffer, s.offset, s.mode);
        EXPECT_EQ(buffer->cursor, s.cursor) << int(s.mode);
    }
    // A cursor + length past 2^32 fails to grow; nothing is written or allocated.
    GrowBufferSeek(buffer, 0xFFFFFFF0u, kSeekSet);
    portable::HeapFailNthAllocation(0);
    EXPECT_EQ(GrowBufferWrite(buffer, bytes, 0x20), 0);
    EXPECT_EQ(GrowBufferRead(buffer, 0x20), nullptr);
    EXPECT_EQ(portable::HeapAllocationsSinceArmed(), 0u);
    EXPECT_EQ(GrowBufferSize(buffer), 102u);
    // Memory running out while growing leaves everything as it was.
    uint8_t *storage = buffer->storage;
    GrowBufferSeek(buffer, 0, kSeekEnd);
    portable::HeapFailNthAllocation(1);
    EXPECT_EQ(GrowBufferWrite(buffer, bytes, 100), 0);
    EXPECT_EQ(buffer->storage, storage);
    EXPECT_EQ(GrowBufferSize(buffer), 102u);
    EXPECT_EQ(buffer->cursor, 102u);
    EXPECT_EQ(GrowBufferInsert(buffer, bytes, 100), 1);  // the injection fired once
    EXPECT_EQ(GrowBufferSize(buffer), 202u);
    DestroyGrowBuffer(buffer);
    EXPECT_EQ(CreateGrowBuffer(0x10000, 0x10000), nullptr);
    EXPECT_EQ(CreateGrowBuffer(0, 1), nullptr);
}

TEST(RecordArray, InsertsAppendsReadsAndIterates) {
    RecordArray *array = CreateRecordArray(4, 2, 1);
    ASSERT_NE(array, nullptr);
    RecordCursor cursor;
    RecordCursorStart(array, &cursor);
    void *at = nullptr;
    EXPECT_EQ(RecordCursorNext(&cursor, &at), 0);
    for (uint32_t r : {10u, 20u, 30u}) ASSERT_EQ(RecordArrayAppend(array, &r), 1);
    EXPECT_EQ(RecordCursorNext(&cursor, &at), 1) << "records appended later are visited";
    EXPECT_EQ(*static_cast<uint32_t *>(at), 10u);
    const struct {
        uint32_t record, index;
    } inserts[] = {{5, 1}, {40, 5}, {50, 10}, {25, 4}};
    for (const auto &i : inserts) ASSERT_EQ(RecordArrayInsert(array, &i.record, i.index), 1);
    EXPECT_EQ(Records(array), (std::vector<uint32_t>{5, 10, 20, 25, 30, 40, 50}));
    EXPECT_EQ(RecordCursorNext(&cursor, &at), 1) << "an insert before the cursor shifts what follows";
    EXPECT_EQ(*static_cast<uint32_t *>(at), 10u);
    uint32_t destination = 77;
    EXPECT_EQ(RecordArrayAt(array, 8), nullptr);
    EXPECT_EQ(RecordArrayCopy(array, 8, &destination), 0);
    EXPECT_EQ(destination, 77u);
    EXPECT_EQ(RecordArrayAt(array, 0), nullptr);
    DestroyRecordArray(array);
}

TEST(RecordArray, CreationFailsWholeAtEveryAllocation) {
    for (uint32_t n = 1; n <= 3; ++n) {
        portable::HeapFailNthAllocation(n);
        EXPECT_EQ(CreateRecordArray(12, 10, 10), nullptr) << n;
    }
    portable::HeapFailNthAllocation(0);
    EXPECT_EQ(CreateRecordArray(0x10000, 0x10000, 1), nullptr);
}

}  // namespace
}  // namespace pat::test
