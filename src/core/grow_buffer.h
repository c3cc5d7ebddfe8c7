// A byte buffer with a logical size, a read/write cursor and storage that
// grows in whole multiples of a fixed step. It lives within one call; all its
// memory comes from the global heap like every block of the module.
#ifndef PAT_CORE_GROW_BUFFER_H
#define PAT_CORE_GROW_BUFFER_H

#include <stdint.h>

namespace pat {

struct GrowBuffer {
    uint32_t step;     // bytes added per growth step, > 0
    uint32_t size;     // logical size: bytes in use from the start
    uint32_t cursor;   // offset of the next read, write or insert; unbounded
    uint8_t *storage;  // null until the first allocation
};

// Cursor moves of GrowBufferSeek; any other mode leaves the cursor alone.
enum GrowSeek : uint8_t {
    kSeekSet = 1,      // cursor = offset
    kSeekCurrent = 2,  // cursor += offset (modulo 2^32: a negative offset moves back)
    kSeekEnd = 3,      // cursor = size + offset
};

// A buffer with step * initialSteps bytes of storage (none for 0 steps), or
// null when memory is exhausted, the step is 0 or the storage would not fit
// 32 bits.
GrowBuffer *CreateGrowBuffer(uint32_t step, uint32_t initialSteps);
void DestroyGrowBuffer(GrowBuffer *buffer);

void GrowBufferSeek(GrowBuffer *buffer, uint32_t offset, uint8_t mode);
uint32_t GrowBufferSize(const GrowBuffer *buffer);

// Overwrites length bytes at the cursor, extending the size as needed, and
// moves the cursor past them. 0 when the storage cannot grow (also when the
// end would pass 2^32): nothing changes then.
int GrowBufferWrite(GrowBuffer *buffer, const void *source, uint32_t length);

// Inserts length bytes at the cursor, moving the bytes after it up. 0 when the
// storage cannot grow or the cursor lies beyond the size: nothing changes then.
int GrowBufferInsert(GrowBuffer *buffer, const void *source, uint32_t length);

// The storage at the cursor when length bytes lie between cursor and size,
// advancing the cursor past them; else null with the cursor unchanged.
uint8_t *GrowBufferRead(GrowBuffer *buffer, uint32_t length);

}  // namespace pat

#endif
