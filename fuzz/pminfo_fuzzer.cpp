// PatPMInfoToPrnInfoEx on PMInfo blocks decoded from the input into a bounded
// arena, converted twice into one record (optionally with one allocation of
// the first conversion failing), then flattened with PatPrnInfoExToPrnInfo.
// The conversion must succeed (or fail with 8 once an allocation failed),
// leave the record consistent, never write to the host's block, and leave
// the heap balanced.
//
// The arena is one 64 KB block. Each object the decoder places in it starts
// on an 8-byte boundary and everything between objects is poisoned for
// AddressSanitizer, so reading a byte past any record, string, array or media
// mask is reported. Every pointer the decoder writes is null, 0xFFFFFFFF, the
// start of an object of the type it is used as, or (for a string) a place
// inside an earlier string: nothing the module may follow leads out of the
// arena.
//
// Counts: an items array always has exactly as many entries as the count the
// decoder gives its list, because the module trusts a usable list's count (a
// host whose count overstates its array breaks the block's contract). The
// counts that lie are those the module must not trust: 0xFFFFFFFF with an
// array behind it, and a count above 0 with a null or 0xFFFFFFFF array, in
// the lists and in the package block.
#include <sanitizer/asan_interface.h>

#include <string>
#include <vector>

#include "fuzz_support.h"

using namespace pat::fuzz;

namespace {

template <typename T>
T *Absent() {
    return reinterpret_cast<T *>(static_cast<uintptr_t>(PAT_PM_ABSENT));
}

class Arena {
public:
    static constexpr size_t kSize = 64 * 1024;
    Arena() : bytes_(static_cast<uint8_t *>(calloc(1, kSize))) {}
    void Reset() {
        ASAN_UNPOISON_MEMORY_REGION(bytes_, kSize);
        memset(bytes_, 0, used_);
        ASAN_POISON_MEMORY_REGION(bytes_, kSize);
        used_ = 0;
        objects_.clear();
    }
    // n zeroed bytes on an 8-byte boundary, at least 8 poisoned bytes behind;
    // null when the arena is full.
    void *Take(size_t n) {
        size_t start = used_;
        if (n > kSize || start + n + 8 > kSize) return nullptr;
        used_ = ((start + n + 7) & ~size_t{7}) + 8;
        ASAN_UNPOISON_MEMORY_REGION(bytes_ + start, n);
        objects_.push_back({start, n});
        return bytes_ + start;
    }
    // The bytes of every object, to show the module wrote none of them.
    std::string Contents() const {
        std::string text;
        for (const auto &[start, n] : objects_) text.append(reinterpret_cast<const char *>(bytes_ + start), n);
        return text;
    }

private:
    uint8_t *bytes_;
    size_t used_ = kSize;
    std::vector<std::pair<size_t, size_t>> objects_;
};

struct MediaMask {
    uint32_t words[2];
};
template <typename Record>
struct ListOf {};  // the registry key of lists of Record

class Decoder {
public:
    Decoder(InputReader &in, Arena &arena) : in_(in), arena_(arena) { ++generation_; }

    template <typename T>
    T *Root() {
        T *object = New<T>();
        Fill(object);
        return object;
    }

private:
    // Objects decoded so far in this input, by type (lists by the type of
    // their records), for pointers to share.
    template <typename Key, typename T = Key>
    std::vector<T *> &Earlier() {
        static uint32_t seen = 0;
        static std::vector<T *> objects;
        if (seen != generation_) {
            objects.clear();
            seen = generation_;
        }
        return objects;
    }

    template <typename T>
    T *New() {
        return static_cast<T *>(arena_.Take(sizeof(T)));
    }

    // Selector in the low 2 bits: null, 0xFFFFFFFF, an earlier object, a new one.
    template <typename T>
    T *Pointer() {
        switch (in_.Byte() & 3) {
        case 0: return nullptr;
        case 1: return Absent<T>();
        case 2: {
            std::vector<T *> &earlier = Earlier<T>();
            return earlier.empty() ? nullptr : earlier[in_.Byte() % earlier.size()];
        }
        default: {
            T *object = New<T>();
            if (object == nullptr) return nullptr;
            Earlier<T>().push_back(object);
            Fill(object);
            return object;
        }
        }
    }

    // A new string holds up to 255 bytes of the input; an earlier one is
    // pointed into at any place up to its terminator.
    const char *String() {
        switch (in_.Byte() & 3) {
        case 0: return nullptr;
        case 1: return Absent<const char>();
        case 2: {
            if (strings_.empty()) return nullptr;
            const std::pair<const char *, size_t> &s = strings_[in_.Byte() % strings_.size()];
            return s.first + in_.Byte() % (s.second + 1);
        }
        default: {
            const uint8_t *bytes;
            size_t n = in_.Take(in_.Byte(), &bytes);
            char *text = static_cast<char *>(arena_.Take(n + 1));
            if (text == nullptr) return nullptr;
            memcpy(text, bytes, n);
            strings_.push_back({text, n});
            return text;
        }
        }
    }

    // An array of exactly n record pointers, and the count and array pointer
    // the host writes for it: form 0 tells the truth, 1 writes the count
    // 0xFFFFFFFF, 2 a null array, 3 a 0xFFFFFFFF array.
    template <typename Record>
    void **Array(uint32_t *count) {
        uint32_t n = in_.Byte();
        uint8_t form = in_.Byte() & 3;
        void **items = static_cast<void **>(arena_.Take(n * sizeof(void *)));
        if (items == nullptr) n = 0;
        for (uint32_t i = 0; i < n; ++i) items[i] = Pointer<Record>();
        *count = form == 1 ? PAT_PM_ABSENT : n;
        return form == 2 ? nullptr : form == 3 ? Absent<void *>() : items;
    }

    template <typename Record>
    PMList *List() {
        switch (in_.Byte() & 3) {
        case 0: return nullptr;
        case 1: return Absent<PMList>();
        case 2: {
            std::vector<PMList *> &earlier = Earlier<ListOf<Record>, PMList>();
            return earlier.empty() ? nullptr : earlier[in_.Byte() % earlier.size()];
        }
        default: {
            PMList *list = New<PMList>();
            if (list == nullptr) return nullptr;
            list->items = Array<Record>(&list->count);
            Earlier<ListOf<Record>, PMList>().push_back(list);
            return list;
        }
        }
    }

    // Every field the module reads, in layout order.
    void Fill(PMStatusWord *r) { r->dwWord = in_.Word(); }
    void Fill(PMFontRecord *r) { r->pszName = String(); }
    void Fill(PMEmulationRecord *r) {
        r->pszVersion = String();
        r->pszName = String();
    }
    void Fill(PMEngineStatusRecord *r) {
        r->dwCode = in_.Word();
        r->pszText = String();
        r->dwKind = in_.Word();
    }
    void Fill(PMCopyGuardRecord *r) { r->dwValue = in_.Word(); }
    void Fill(PMInfoStatus *b) {
        b->pStatusWord = Pointer<PMStatusWord>();
        b->pFonts = List<PMFontRecord>();
        b->pEmulations = List<PMEmulationRecord>();
        b->pEngineStatuses = List<PMEngineStatusRecord>();
        b->pCopyGuard = Pointer<PMCopyGuardRecord>();
    }
    void Fill(PMModelRecord *r) {
        r->pszModel = String();
        r->pszSysVersion = String();
        r->dwMemory = in_.Word();
        r->pszMaker = String();
    }
    void Fill(MediaMask *m) {
        m->words[0] = in_.Word();
        m->words[1] = in_.Word();
    }
    void Fill(PMTrayRecord *r) {
        r->pszName = String();
        r->dwLevel = in_.Word();
        r->dwWidth = in_.Word();
        r->dwHeight = in_.Word();
        r->pszMediaName = String();
        r->dwMedia = in_.Word();
        r->pMediaMask = reinterpret_cast<uint32_t *>(Pointer<MediaMask>());
        r->dwSizeSelect = in_.Word();
        r->dwAttributes = in_.Word();
    }
    void Fill(PMTrayRecordEx *r) {
        r->pszName = String();
        r->dwLevel = in_.Word();
        r->dwWidth = in_.Word();
        r->dwHeight = in_.Word();
        r->pszMediaName = String();
        r->dwMedia = in_.Word();
        r->dwSizeSelect = in_.Word();
        r->dwAttributes = in_.Word();
    }
    void Fill(PMBinRecord *r) {
        r->pszName = String();
        r->dwFlags = in_.Word();
    }
    void Fill(PMOptionRecord *r) { r->dwKey = in_.Word(); }
    void Fill(uint32_t *function) { *function = in_.Word(); }
    void Fill(PMPackageRecord *r) {
        r->pszName = String();
        r->pszText = String();
        r->dwState = in_.Word();
    }
    void Fill(PMPackageBlock *b) {
        b->ppSales = reinterpret_cast<PMPackageRecord **>(Array<PMPackageRecord>(&b->dwSalesCount));
        b->ppFuncs = reinterpret_cast<PMPackageRecord **>(Array<PMPackageRecord>(&b->dwFuncCount));
    }
    void Fill(PMInfoConfig *b) {
        b->pModel = Pointer<PMModelRecord>();
        b->pTrays = List<PMTrayRecord>();
        b->pBins = List<PMBinRecord>();
        b->pOptions = List<PMOptionRecord>();
        b->pFunctions = List<uint32_t>();
        b->pTraysEx = List<PMTrayRecordEx>();
        b->pPackages = Pointer<PMPackageBlock>();
    }

    static inline uint32_t generation_ = 0;
    InputReader &in_;
    Arena &arena_;
    std::vector<std::pair<const char *, size_t>> strings_;
};

}  // namespace

// Input: [variant: bit 0 configuration block, bit 7 the class's suppress bit]
//        [failing allocation][conversion mask: 4 bytes][the block].
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static Arena arena;
    InputReader in(data, size);
    const uint8_t variant = in.Byte(), failing = in.Byte();
    const uint32_t mask = in.Word();
    const bool configBlock = (variant & 1) != 0;
    arena.Reset();
    Decoder decoder(in, arena);
    const void *block = configBlock ? static_cast<const void *>(decoder.Root<PMInfoConfig>())
                                    : static_cast<const void *>(decoder.Root<PMInfoStatus>());
    const std::string hostBlock = arena.Contents();
    const uint32_t deviceClass = (configBlock ? PAT_CLASS_CONFIG : PAT_CLASS_STATUS) | ((variant & 0x80) ? PAT_CLASS_SUPPRESS : 0);
    const uint32_t revision = configBlock ? PAT_REVISION_PMINFO_CONFIG : PAT_REVISION_PMINFO_STATUS;

    const uint32_t before = pat::portable::HeapLiveBlocks();
    PrnInfoEx record = FreshRecord();
    for (int round = 0; round < 2; ++round) {
        pat::portable::HeapFailNthAllocation(round == 0 ? failing : 0);
        int ok = PatPMInfoToPrnInfoEx(deviceClass, block, revision, mask, &record);
        uint32_t error = GetLastError();
        bool failed = failing != 0 && pat::portable::HeapAllocationsSinceArmed() >= failing;
        pat::portable::HeapFailNthAllocation(0);
        Require(ok == 1 ? error == 0 : error == 8 && round == 0 && failed);
        Require(pat::FindRecordViolation(&record) == nullptr);
    }
    PrnInfo flat;
    Require(PatPrnInfoExToPrnInfo(&record, &flat, 0xFFFFFFFF) == 1);
    Require(arena.Contents() == hostBlock);
    FreeRecordAsHost(&record);
    Require(pat::portable::HeapLiveBlocks() == before);
    return 0;
}
