#include "core/record_array.h"

#include <string.h>

#include "platform/platform.h"

namespace pat {

namespace {

// Byte offset of record n (1-based); false when it lies beyond 2^32.
bool OffsetOf(const RecordArray *array, uint32_t n, uint32_t *offset) {
    if (n == 0) return false;
    uint64_t at = static_cast<uint64_t>(n - 1) * array->recordSize;
    if (at > UINT32_MAX) return false;
    *offset = static_cast<uint32_t>(at);
    return true;
}

}  // namespace

RecordArray *CreateRecordArray(uint32_t recordSize, uint32_t growth, uint32_t initialSteps) {
    uint64_t step = static_cast<uint64_t>(recordSize) * growth;
    if (step == 0 || step > UINT32_MAX) return nullptr;
    GrowBuffer *buffer = CreateGrowBuffer(static_cast<uint32_t>(step), initialSteps);
    if (buffer == nullptr) return nullptr;
    RecordArray *array = static_cast<RecordArray *>(GlobalAlloc(GMEM_FIXED, sizeof(RecordArray)));
    if (array == nullptr) {
        DestroyGrowBuffer(buffer);
        return nullptr;
    }
    array->recordSize = recordSize;
    array->buffer = buffer;
    return array;
}

void DestroyRecordArray(RecordArray *array) {
    if (array == nullptr) return;
    DestroyGrowBuffer(array->buffer);
    GlobalFree(array);
}

int RecordArrayAppend(RecordArray *array, const void *record) {
    GrowBufferSeek(array->buffer, 0, kSeekEnd);
    return GrowBufferWrite(array->buffer, record, array->recordSize);
}

int RecordArrayInsert(RecordArray *array, const void *record, uint32_t index) {
    if (index == 0) index = 1;
    uint32_t offset;
    if (RecordArrayCount(array) < index || !OffsetOf(array, index, &offset)) return RecordArrayAppend(array, record);
    GrowBufferSeek(array->buffer, offset, kSeekSet);
    return GrowBufferInsert(array->buffer, record, array->recordSize);
}

void *RecordArrayAt(RecordArray *array, uint32_t n) {
    uint32_t offset;
    if (!OffsetOf(array, n, &offset)) return nullptr;
    GrowBufferSeek(array->buffer, offset, kSeekSet);
    return GrowBufferRead(array->buffer, array->recordSize);
}

int RecordArrayCopy(RecordArray *array, uint32_t n, void *destination) {
    const void *record = RecordArrayAt(array, n);
    if (record == nullptr) return 0;
    memcpy(destination, record, array->recordSize);
    return 1;
}

uint32_t RecordArrayCount(const RecordArray *array) { return GrowBufferSize(array->buffer) / array->recordSize; }

void RecordCursorStart(RecordArray *array, RecordCursor *cursor) {
    cursor->array = array;
    cursor->position = 0;
}

int RecordCursorNext(RecordCursor *cursor, void **record) {
    if (cursor->position >= RecordArrayCount(cursor->array)) return 0;
    ++cursor->position;
    *record = RecordArrayAt(cursor->array, cursor->position);
    return *record != nullptr ? 1 : 0;
}

int RecordCursorNextCopy(RecordCursor *cursor, void *destination) {
    if (cursor->position >= RecordArrayCount(cursor->array)) return 0;
    ++cursor->position;
    return RecordArrayCopy(cursor->array, cursor->position, destination);
}

}  // namespace pat
