// An array of fixed-size records stored back to back in a GrowBuffer,
// addressed by 1-based record numbers, and its forward cursor. The record
// count is the buffer's size divided by the record size.
#ifndef PAT_CORE_RECORD_ARRAY_H
#define PAT_CORE_RECORD_ARRAY_H

#include <stdint.h>

#include "core/grow_buffer.h"

namespace pat {

struct RecordArray {
    uint32_t recordSize;  // > 0
    GrowBuffer *buffer;   // owned
};

// Yields the records in order; the count is re-read at every step, so records
// appended during an iteration are visited.
struct RecordCursor {
    RecordArray *array;  // not owned
    uint32_t position;   // number of the record yielded last; 0 before the first
};

// Storage for growth * initialSteps records up front, growing growth records
// at a time. Null when memory is exhausted (nothing is left allocated).
RecordArray *CreateRecordArray(uint32_t recordSize, uint32_t growth, uint32_t initialSteps);
void DestroyRecordArray(RecordArray *array);

// 1, or 0 when memory is exhausted (the array keeps its records).
int RecordArrayAppend(RecordArray *array, const void *record);

// Makes record number index of a copy of record, moving the records from
// index on up by one; an index past the count appends. 1, or 0 when memory is
// exhausted.
int RecordArrayInsert(RecordArray *array, const void *record, uint32_t index);

// Record n inside the array, or null when n is 0 or above the count. The
// pointer is invalid after the array grows.
void *RecordArrayAt(RecordArray *array, uint32_t n);

// Copies record n into destination: 1, or 0 (destination untouched) when
// there is no record n.
int RecordArrayCopy(RecordArray *array, uint32_t n, void *destination);

uint32_t RecordArrayCount(const RecordArray *array);

void RecordCursorStart(RecordArray *array, RecordCursor *cursor);
// 1 and the next record's pointer in *record, or 0 at the end (*record untouched).
int RecordCursorNext(RecordCursor *cursor, void **record);
// 1 after copying the next record into destination, or 0 at the end.
int RecordCursorNextCopy(RecordCursor *cursor, void *destination);

}  // namespace pat

#endif
