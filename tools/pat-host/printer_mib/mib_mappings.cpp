#include "printer_mib/mib_mappings.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "printer_mib/mib_names.h"

namespace pathost {

namespace {

constexpr int32_t kTenThousandthsOfInches = 3, kMicrometers = 4;
constexpr int32_t kOther = -1, kUnknown = -2, kSomeRemains = -3;

// Grouped by what a person must do: one engine status for every alert that
// asks the same of them.
constexpr AlertEngineCode kAlertCodes[] = {
    {3, 20003, "cover open"},
    {5, 20003, "cover open"},
    {501, 20003, "cover open"},
    {8, 20008, "paper jam"},
    {9, 20009, "part missing"},
    {10, 20010, "part near the end of its life"},
    {11, 20011, "part at the end of its life"},
    {12, 20012, "supply almost empty"},
    {13, 20013, "supply empty"},
    {14, 20014, "receptacle almost full"},
    {15, 20015, "receptacle full"},
    {22, 20022, "offline"},
    {23, 20023, "power saver"},
    {24, 20024, "warming up"},
    {29, 20029, "recoverable failure"},
    {30, 20030, "failure, service needed"},
    {33, 20030, "failure, service needed"},
    {801, 20801, "input tray missing"},
    {807, 20807, "paper low"},
    {808, 20808, "paper out"},
    {809, 20809, "paper change requested"},
    {810, 20810, "manual feed requested"},
    {902, 20902, "output bin almost full"},
    {903, 20903, "output bin full"},
    {1001, 21001, "fuser failure"},
    {1002, 21001, "fuser failure"},
    {1003, 21001, "fuser failure"},
    {1004, 21001, "fuser failure"},
    {1101, 21101, "toner empty"},
    {1102, 21102, "ink empty"},
    {1104, 21104, "toner low"},
    {1105, 21105, "ink low"},
    {1107, 21107, "waste toner almost full"},
    {1108, 21107, "waste toner almost full"},
    {1109, 21109, "waste toner full"},
    {1110, 21109, "waste toner full"},
    {1111, 21111, "drum near the end of its life"},
    {1112, 21112, "drum at the end of its life"},
    {1113, 21113, "developer low"},
    {1114, 21114, "developer empty"},
    {1115, 21115, "toner cartridge missing"},
};

// The names the module's emulation table holds, by language family and the
// start of the language version (empty: any version).
struct EmulationRow {
    int32_t family;
    const char *versionPrefix;
    const char *name;
};
constexpr EmulationRow kEmulations[] = {
    {3, "5c", "PCL 5c Emulation"}, {3, "6", "PCL 6 Emulation"}, {3, "XL", "PCL XL Emulation"},
    {3, "", "PCL 5e Emulation"},   {47, "", "PCL XL Emulation"}, {6, "", "Adobe PostScript 3"},
    {42, "", "Adobe PostScript 3"}, {4, "", "TX-GL/2"},          {9, "", "ESC/P"},
    {40, "", "TIFF"},
};
constexpr int32_t kLangPjl = 5;

bool StartsWith(const std::string &text, const char *prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

uint32_t DimensionMm(std::optional<int32_t> value, std::optional<int32_t> unit) {
    if (!value || *value < 0 || !unit) return kNotReported;
    if (*unit == kTenThousandthsOfInches) return static_cast<uint32_t>(std::lround(*value * 25.4 / 10000.0));
    if (*unit == kMicrometers) return static_cast<uint32_t>(std::lround(*value / 1000.0));
    return kNotReported;
}

uint32_t TrayLevelBits(std::optional<int32_t> level, std::optional<int32_t> maxCapacity) {
    if (!level || *level == kOther || *level == kUnknown || *level < kSomeRemains) return kNotReported;
    if (*level == kSomeRemains) return 0;
    if (*level == 0) return 0x2;
    if (!maxCapacity || *maxCapacity <= 0) return 0;
    const double share = static_cast<double>(*level) / *maxCapacity;
    if (share <= 0.10) return 0x100;
    if (share <= 0.25) return 0x200;
    if (share <= 0.50) return 0x400;
    if (share <= 0.75) return 0x800;
    return 0;
}

uint32_t BinFlags(std::optional<int32_t> remaining) {
    if (!remaining || (*remaining < 0 && *remaining != kSomeRemains)) return kNotReported;
    return *remaining == 0 ? 0x1 : 0;
}

bool StopsPrinting(unsigned bit) {
    constexpr unsigned stopping[] = {1, 3, 4, 5, 6, 8, 9, 10, 12};
    return std::find(std::begin(stopping), std::end(stopping), bit) != std::end(stopping);
}

uint32_t StatusWord(const PrinterMib &mib) {
    if (!mib.printerStatus && !mib.deviceStatus) return kNotReported;
    constexpr int32_t kIdle = 3, kPrinting = 4, kRunning = 2, kWarning = 3;
    bool ready = mib.printerStatus && (*mib.printerStatus == kIdle || *mib.printerStatus == kPrinting);
    if (mib.deviceStatus && *mib.deviceStatus != kRunning && *mib.deviceStatus != kWarning) ready = false;
    for (unsigned bit = 0; bit < 16; ++bit)
        if (StopsPrinting(bit) && mib.errorBit(bit)) ready = false;
    return ready ? 1u : 0u;
}

std::span<const AlertEngineCode> AlertEngineCodes() { return kAlertCodes; }

uint32_t EngineCodeOf(std::optional<int32_t> alertCode) {
    if (!alertCode) return kOtherAlert;
    auto row = std::find_if(std::begin(kAlertCodes), std::end(kAlertCodes),
                            [&](const AlertEngineCode &r) { return r.alertCode == *alertCode; });
    return row != std::end(kAlertCodes) ? row->engineCode : kOtherAlert;
}

std::string EngineCodeMeaning(uint32_t engineCode) {
    if (engineCode == kOtherAlert) return "another alert";
    for (const AlertEngineCode &row : kAlertCodes)
        if (row.engineCode == engineCode) return row.meaning;
    return "";
}

bool IsActiveState(const MibAlert &alert) { return !alert.severity || *alert.severity != 5; }

std::string EmulationNameOf(const MibInterpreter &interpreter) {
    if (!interpreter.family || *interpreter.family == kLangPjl) return "";
    for (const EmulationRow &row : kEmulations)
        if (row.family == *interpreter.family && StartsWith(interpreter.version, row.versionPrefix)) return row.name;
    return LanguageFamilyName(interpreter.family);
}

}  // namespace pathost
