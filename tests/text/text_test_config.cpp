#include "text/text_test_config.h"

#include <map>
#include <string>
#include <utility>

#include "platform/portable/test_hooks.h"
#include "text/current_language.h"

namespace pat::test {

namespace {

const StringMapRow kTemplates[] = {{7, 100}, {8, 101}, {9, 102}, {10, 103}, {11, 104}, {13, 107}, {7, 999}, {kEndKey, 0}};
const StringMapRow kOptionFiveTemplates[] = {{7, 105}, {kEndKey, 0}};
const StringMapRow kNegativeTemplates[] = {{12, 106}, {kEndKey, 0}};
// Row order orders the details of a slot; 507's string exists nowhere.
const StringMapRow kDetails[] = {{503, 200}, {507, 4000}, {506, 204}, {501, 201}, {502, 202},
                                 {504, 203}, {508, 205},  {509, 206}, {kEndKey, 0}};
const StringMapRow kDeviceNames[] = {{7, 300}, {0x12345678, 301}, {kEndKey, 0}};

const StringDirectoryRow kDirectory[] = {
    {1, 0, kTemplates}, {1, 5, kOptionFiveTemplates}, {1, 6, nullptr}, {2, 0, kNegativeTemplates},
    {3, 1, kDetails},   {4, 1, kDeviceNames},         {0, 0, nullptr},
};

const LocaleRow kLocales[] = {
    {"ENGLISH", 0x09, 1}, {"JAPANESE", 0x11, 1}, {"123456789", 0x09, 2},  // English (UK): no strings
    {"german", 0x07, 1},  {"NOWHERE", 0x3FF, 0}, {nullptr, 0, 0},          // no locale data
};

const StatusPriorityRow kPriorities[] = {{"301", 5}, {"3xx", 2}, {"1xx", 1}, {"4294967042", 2}, {nullptr, 0}};
const StatusClassRow kClasses[] = {
    {1, kPriorities}, {0x8000, kPriorities}, {0xFFFF8000u, kPriorities}, {0x18000, nullptr}, {0xFFFFFFFFu, nullptr},
};

const StatusMessageRow kMessages[] = {
    {"301", 7, 501}, {"301", 7, 502}, {"30x", 8, 0},   {"3xx", 8, 503},   {"4294967042", 7, 504},
    {"110", 7, 506}, {"110", 7, 501}, {"120", 10, 0},  {"130", 11, 999},  {"131", 11, 501},
    {"140", 11, 507}, {"140", 11, 501}, {"141", 11, 507}, {"150", 9, 0},  {"160", 13, 508},
    {"160", 13, 509}, {nullptr, 0, 0},
};
const StatusMessageRow kNegativeMessages[] = {{"3xx", 12, 501}, {nullptr, 0, 0}};

// Template 8 puts detail 503 into its first slot, 501 and 502 into its second.
const uint32_t kDetailSlots[] = {8, 503, 0, 501, 502, 0, 0, 0};

const NamedDeviceRow kTrays[] = {{"Tray 1", 3, 400}, {"Tray 2", 4, 0}, {"Bypass Tray", 1, 401}, {nullptr, 0, 0}};
const NamedDeviceRow kBins[] = {{"Finisher Shift Tray", 4, 402}, {nullptr, 255, 0}};

// Two details that together overflow a slot, in a template whose slots
// overflow the status text.
const std::u16string kLongX(200, u'x'), kLongY(200, u'y');

struct Text {
    uint16_t language;
    uint32_t id;
    const char16_t *text;
};

const Text kStrings[] = {
    {kEnglish, 0, u"Zero"},          {kEnglish, 15, u"Fifteen"},       {kEnglish, 16, u"Sixteen"},
    {kEnglish, 3500, u", "},         {kEnglish, 100, u"Error: %s."},   {kEnglish, 101, u"Check %s and %s"},
    {kEnglish, 102, u"Warming up"},  {kEnglish, 103, u"100% %d %"},    {kEnglish, 104, u"A%sB%sC"},
    {kEnglish, 105, u"Option five: %s"}, {kEnglish, 106, u"Negative: %s"}, {kEnglish, 200, u"Toner low"},
    {kEnglish, 201, u"Paper jam"},   {kEnglish, 202, u"Tray open"},    {kEnglish, 203, u"Cover open"},
    {kEnglish, 204, u""},            {kEnglish, 205, kLongX.c_str()},  {kEnglish, 206, kLongY.c_str()},
    {kEnglish, 107, u"%s%s|tail"},            {kEnglish, 300, u"Finisher"},     {kEnglish, 301, u"Keyed device"},
    {kEnglish, 400, u"Tray One"},    {kEnglish, 401, u"Bypass"},       {kEnglish, 402, u"Shift Tray"},
    {kJapanese, 0, u"ゼロ"},         {kJapanese, 3500, u"、"},         {kJapanese, 100, u"エラー: %s。"},
    {kJapanese, 200, u"トナー少"},   {kJapanese, 201, u"紙詰まり"},    {kJapanese, 202, u"トレイ開"},
    {kJapanese, 101, u"%sと%sを確認"}, {kJapanese, 203, u"カバー開"},   {kJapanese, 300, u"フィニッシャー"},
    {kJapanese, 400, u"トレイ１"},
};

ModuleConfig Build() {
    ModuleConfig config = ShippedConfig();
    config.text.localeTable = kLocales;
    config.text.stringDirectory = kDirectory;
    config.text.statusClassTable = kClasses;
    config.text.statusMessageTable = kMessages;
    config.text.negativeStatusMessageTable = kNegativeMessages;
    config.text.detailSlotTable = kDetailSlots;
    config.convert.trayNameTable = kTrays;
    config.convert.binNameTable = kBins;
    return config;
}

}  // namespace

const ModuleConfig &TextTestConfig() {
    static const ModuleConfig config = Build();
    return config;
}

// Each block holds 16 entries, each a length and that many UTF-16 units.
TextResources::TextResources() : language_(ReadCurrentLangId()) {
    std::map<std::pair<uint16_t, uint16_t>, std::vector<std::u16string>> entries;  // {language, block}
    for (const Text &s : kStrings) {
        auto &block = entries[{s.language, static_cast<uint16_t>((s.id >> 4) + 1)}];
        block.resize(16);
        block[s.id & 15] = s.text;
    }
    blocks_.reserve(entries.size());
    for (const auto &[key, texts] : entries) {
        std::vector<uint16_t> &block = blocks_.emplace_back();
        for (const std::u16string &text : texts) {
            block.push_back(static_cast<uint16_t>(text.size()));
            block.insert(block.end(), text.begin(), text.end());
        }
        portable::RegisterResource(RT_STRING, MAKEINTRESOURCEA(key.second), key.first, block.data(),
                                   static_cast<DWORD>(block.size() * sizeof(uint16_t)));
    }
}

TextResources::~TextResources() {
    portable::ClearResources();
    CurrentLangId.store(language_);
}

}  // namespace pat::test
