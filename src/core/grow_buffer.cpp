#include "core/grow_buffer.h"

#include <string.h>

#include "platform/platform.h"

namespace pat {

namespace {

uint32_t Capacity(const GrowBuffer *buffer) {
    return buffer->storage == nullptr ? 0 : static_cast<uint32_t>(GlobalSize(buffer->storage));
}

// Grows the storage by the fewest whole steps that hold end bytes. Existing
// contents survive; the block may move. False leaves everything as it was.
bool Reserve(GrowBuffer *buffer, uint32_t end) {
    uint32_t capacity = Capacity(buffer);
    if (end <= capacity) return true;
    uint32_t missing = end - capacity;
    uint64_t steps = missing / buffer->step + (missing % buffer->step != 0 ? 1 : 0);
    uint64_t grown = capacity + steps * buffer->step;
    if (grown > UINT32_MAX) return false;
    void *block = buffer->storage == nullptr
                      ? GlobalAlloc(GMEM_FIXED, static_cast<SIZE_T>(grown))
                      : GlobalReAlloc(buffer->storage, static_cast<SIZE_T>(grown), GMEM_MOVEABLE);
    if (block == nullptr) return false;
    buffer->storage = static_cast<uint8_t *>(block);
    return true;
}

// cursor + length without wrapping around; false when it would pass 2^32.
bool EndOf(uint32_t start, uint32_t length, uint32_t *end) {
    if (length > UINT32_MAX - start) return false;
    *end = start + length;
    return true;
}

}  // namespace

GrowBuffer *CreateGrowBuffer(uint32_t step, uint32_t initialSteps) {
    if (step == 0) return nullptr;
    uint64_t initial = static_cast<uint64_t>(step) * initialSteps;
    if (initial > UINT32_MAX) return nullptr;
    GrowBuffer *buffer = static_cast<GrowBuffer *>(GlobalAlloc(GMEM_FIXED, sizeof(GrowBuffer)));
    if (buffer == nullptr) return nullptr;
    buffer->step = step;
    buffer->size = 0;
    buffer->cursor = 0;
    buffer->storage = nullptr;
    if (initial != 0) {
        buffer->storage = static_cast<uint8_t *>(GlobalAlloc(GMEM_FIXED, static_cast<SIZE_T>(initial)));
        if (buffer->storage == nullptr) {
            GlobalFree(buffer);
            return nullptr;
        }
    }
    return buffer;
}

void DestroyGrowBuffer(GrowBuffer *buffer) {
    if (buffer == nullptr) return;
    if (buffer->storage != nullptr) GlobalFree(buffer->storage);
    GlobalFree(buffer);
}

void GrowBufferSeek(GrowBuffer *buffer, uint32_t offset, uint8_t mode) {
    switch (mode) {
    case kSeekSet: buffer->cursor = offset; break;
    case kSeekCurrent: buffer->cursor += offset; break;
    case kSeekEnd: buffer->cursor = buffer->size + offset; break;
    default: break;
    }
}

uint32_t GrowBufferSize(const GrowBuffer *buffer) { return buffer->size; }

int GrowBufferWrite(GrowBuffer *buffer, const void *source, uint32_t length) {
    if (length == 0) return 1;
    uint32_t end;
    if (!EndOf(buffer->cursor, length, &end) || !Reserve(buffer, end)) return 0;
    if (end > buffer->size) buffer->size = end;
    memcpy(buffer->storage + buffer->cursor, source, length);
    buffer->cursor = end;
    return 1;
}

int GrowBufferInsert(GrowBuffer *buffer, const void *source, uint32_t length) {
    if (length == 0) return 1;
    uint32_t end;
    if (buffer->cursor > buffer->size || !EndOf(buffer->size, length, &end) || !Reserve(buffer, end)) return 0;
    uint8_t *at = buffer->storage + buffer->cursor;
    memmove(at + length, at, buffer->size - buffer->cursor);
    memcpy(at, source, length);
    buffer->size = end;
    buffer->cursor += length;
    return 1;
}

uint8_t *GrowBufferRead(GrowBuffer *buffer, uint32_t length) {
    if (length > buffer->size || buffer->cursor > buffer->size - length) return nullptr;
    uint8_t *at = buffer->storage + buffer->cursor;
    buffer->cursor += length;
    return at;
}

}  // namespace pat
