// PatSetLocale's work: a locale name selects the resource language.
#include "text/text_config.h"
#include "text/text_config.h"
#include "platform/platform.h"
#include "text/current_language.h"
#include "text/text_exports.h"

namespace pat {

// This configuration knows no locale names.
const LocaleRow kLocaleTable[] = {
    {nullptr, 0, 0},
};

// Only the first 9 characters of the name count, upper-cased; so a row
// written in lower case never matches.
Status SelectLocale(const char *localeName) {
    char name[10];
    lstrcpynA(name, localeName, sizeof name);
    CharUpperA(name);
    for (const LocaleRow *row = ActiveTextConfig().localeTable; row->name != nullptr; ++row) {
        if (lstrcmpA(row->name, name) != 0) continue;
        CurrentLangId.store(static_cast<uint16_t>((row->sublanguage << 10) | row->primaryLanguage),
                            std::memory_order_relaxed);
        return kOk;
    }
    return kLocaleNotFound;
}

}  // namespace pat
