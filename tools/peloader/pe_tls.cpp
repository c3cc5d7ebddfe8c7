// Static TLS: the image gets a TLS index (written where its TLS directory
// says), the loading thread a copy of its TLS template in that slot of the
// thread block's TLS array, and its TLS callbacks run around the entry point.
#include <stdlib.h>
#include <string.h>

#include "peloader/pe_steps.h"

namespace pat::pe {

namespace {

constexpr uint32_t kTlsIndices = 64;
bool g_indexInUse[kTlsIndices];

using TlsCallback = void(__attribute__((stdcall)) *)(void *module, uint32_t reason, void *reserved);

const TlsDirectory32 *TlsOf(const Image &image) {
    DataDirectory dir = image.Directory(kTlsDirectory);
    return dir.size < sizeof(TlsDirectory32) ? nullptr : image.At<TlsDirectory32>(dir.rva);
}

}  // namespace

Loaded<> AttachTls(Image *image) {
    const TlsDirectory32 *tls = TlsOf(*image);
    if (tls == nullptr) return {};
    uint32_t start = image->RvaOf(tls->startOfRawData), end = image->RvaOf(tls->endOfRawData);
    uint32_t *index = image->At<uint32_t>(image->RvaOf(tls->addressOfIndex));
    bool inside = start <= end && end < image->size && index != nullptr;
    for (uint32_t at = image->RvaOf(tls->addressOfCallbacks); inside && tls->addressOfCallbacks != 0; at += 4) {
        const uint32_t *callback = image->At<uint32_t>(at);
        inside = callback != nullptr && (*callback == 0 || image->RvaOf(*callback) < image->size);
        if (inside && *callback == 0) break;
    }
    if (!inside) return Refused("TLS directory points outside the image");
    if (tls->sizeOfZeroFill > image->size) return Refused("TLS zero fill of " + Hex(tls->sizeOfZeroFill) + " bytes is larger than the image");
    uint32_t slot = 0;
    while (slot < kTlsIndices && g_indexInUse[slot]) ++slot;
    if (slot == kTlsIndices) return Refused("no TLS index left");
    image->tlsData = calloc(1, end - start + tls->sizeOfZeroFill + 1);  // both below 256 MB
    if (image->tlsData == nullptr) return Refused("no memory for the TLS template");
    g_indexInUse[slot] = true;
    image->tlsIndex = *index = slot;
    memcpy(image->tlsData, image->base + start, end - start);
    ThreadTlsSlot(slot) = image->tlsData;
    return {};
}

void RunTlsCallbacks(const Image &image, uint32_t reason) {
    const TlsDirectory32 *tls = TlsOf(image);
    if (tls == nullptr || tls->addressOfCallbacks == 0) return;
    for (uint32_t at = image.RvaOf(tls->addressOfCallbacks); image.At<uint32_t>(at) != nullptr; at += 4) {
        uint32_t callback = *image.At<uint32_t>(at);
        if (callback == 0) break;
        reinterpret_cast<TlsCallback>(static_cast<uintptr_t>(callback))(image.base, reason, nullptr);
    }
}

void DetachTls(Image *image) {
    if (image->tlsIndex == kNoTlsIndex) return;
    ThreadTlsSlot(image->tlsIndex) = nullptr;
    g_indexInUse[image->tlsIndex] = false;
    free(image->tlsData);
    image->tlsData = nullptr;
    image->tlsIndex = kNoTlsIndex;
}

}  // namespace pat::pe
