// The resource language: the one process-wide value the module writes at run
// time. It selects the string-table block and the code page of every text.
#ifndef PAT_TEXT_CURRENT_LANGUAGE_H
#define PAT_TEXT_CURRENT_LANGUAGE_H

#include <stdint.h>

#include <atomic>

namespace pat {

// 0x0400 (the user's default language) at load; only PatSetLocale changes it.
// Relaxed loads and stores suffice: it guards no other data, and a lookup
// reads it once, so a lookup racing a locale change uses the old or the new
// language throughout, never a torn value. No lock, no allocation.
extern std::atomic<uint16_t> CurrentLangId;

constexpr uint16_t kDefaultLangId = 0x0400;

inline uint16_t ReadCurrentLangId() { return CurrentLangId.load(std::memory_order_relaxed); }

}  // namespace pat

#endif
