#include "printer_mib/mib_names.h"

#include <algorithm>
#include <utility>

namespace pathost {

namespace {

struct Named {
    int32_t value;
    const char *name;
};

template <size_t N>
std::string NameIn(const Named (&table)[N], std::optional<int32_t> value) {
    if (!value) return "unknown";
    auto row = std::find_if(std::begin(table), std::end(table), [&](const Named &r) { return r.value == *value; });
    return row != std::end(table) ? std::string(row->name) : std::to_string(*value);
}

constexpr Named kSupplyTypes[] = {
    {1, "other"}, {2, "unknown"}, {3, "toner"}, {4, "wasteToner"}, {5, "ink"}, {6, "inkCartridge"},
    {7, "inkRibbon"}, {8, "wasteInk"}, {9, "opc"}, {10, "developer"}, {11, "fuserOil"}, {12, "solidWax"},
    {13, "ribbonWax"}, {14, "wasteWax"}, {15, "fuser"}, {16, "coronaWire"}, {17, "fuserOilWick"},
    {18, "cleanerUnit"}, {19, "fuserCleaningPad"}, {20, "transferUnit"}, {21, "tonerCartridge"},
    {22, "fuserOiler"}, {23, "water"}, {24, "wasteWater"}, {25, "glueWaterAdditive"}, {26, "wastePaper"},
    {27, "bindingSupply"}, {28, "bandingSupply"}, {29, "stitchingWire"}, {30, "shrinkWrap"}, {31, "paperWrap"},
    {32, "staples"}, {33, "inserts"}, {34, "covers"}, {35, "matteToner"}, {36, "matteInk"},
};
constexpr Named kSupplyClasses[] = {{1, "other"}, {3, "consumed"}, {4, "receptacle"}};
constexpr Named kSupplyUnits[] = {
    {1, "other"}, {2, "unknown"}, {3, "tenThousandthsOfInches"}, {4, "micrometers"}, {7, "impressions"},
    {8, "sheets"}, {11, "hours"}, {12, "thousandthsOfOunces"}, {13, "tenthsOfGrams"},
    {14, "hundrethsOfFluidOunces"}, {15, "tenthsOfMilliliters"}, {16, "feet"}, {17, "meters"}, {18, "items"},
    {19, "percent"},
};
constexpr Named kCapacityUnits[] = {{1, "other"}, {2, "unknown"}, {3, "tenThousandthsOfInches"}, {4, "micrometers"},
                                    {8, "sheets"}, {16, "feet"}, {17, "meters"}};
constexpr Named kDimUnits[] = {{3, "tenThousandthsOfInches"}, {4, "micrometers"}};
constexpr Named kSeverities[] = {{1, "other"}, {3, "critical"}, {4, "warning"}, {5, "warningBinaryChangeEvent"}};
constexpr Named kAlertGroups[] = {
    {1, "other"}, {3, "hostResourcesMIBStorageTable"}, {4, "hostResourcesMIBDeviceTable"}, {5, "generalPrinter"},
    {6, "cover"}, {7, "localization"}, {8, "input"}, {9, "output"}, {10, "marker"}, {11, "markerSupplies"},
    {12, "markerColorant"}, {13, "mediaPath"}, {14, "channel"}, {15, "interpreter"}, {16, "consoleDisplayBuffer"},
    {17, "consoleLights"}, {18, "alert"}, {30, "finDevice"}, {31, "finSupply"}, {32, "finSupplyMediaInput"},
    {33, "finAttribute"},
};
constexpr Named kAlertCodes[] = {
    {1, "other"}, {2, "unknown"}, {3, "coverOpen"}, {4, "coverClosed"}, {5, "interlockOpen"},
    {6, "interlockClosed"}, {7, "configurationChange"}, {8, "jam"}, {9, "subunitMissing"},
    {10, "subunitLifeAlmostOver"}, {11, "subunitLifeOver"}, {12, "subunitAlmostEmpty"}, {13, "subunitEmpty"},
    {14, "subunitAlmostFull"}, {15, "subunitFull"}, {16, "subunitNearLimit"}, {17, "subunitAtLimit"},
    {18, "subunitOpened"}, {19, "subunitClosed"}, {20, "subunitTurnedOn"}, {21, "subunitTurnedOff"},
    {22, "subunitOffline"}, {23, "subunitPowerSaver"}, {24, "subunitWarmingUp"}, {25, "subunitAdded"},
    {26, "subunitRemoved"}, {27, "subunitResourceAdded"}, {28, "subunitResourceRemoved"},
    {29, "subunitRecoverableFailure"}, {30, "subunitUnrecoverableFailure"},
    {31, "subunitRecoverableStorageError"}, {32, "subunitUnrecoverableStorageError"}, {33, "subunitMotorFailure"},
    {34, "subunitMemoryExhausted"}, {35, "subunitUnderTemperature"}, {36, "subunitOverTemperature"},
    {37, "subunitTimingFailure"}, {38, "subunitThermistorFailure"}, {501, "doorOpen"}, {502, "doorClosed"},
    {503, "powerUp"}, {504, "powerDown"}, {505, "printerNMSReset"}, {506, "printerManualReset"},
    {507, "printerReadyToPrint"}, {801, "inputMediaTrayMissing"}, {802, "inputMediaSizeChange"},
    {803, "inputMediaWeightChange"}, {804, "inputMediaTypeChange"}, {805, "inputMediaColorChange"},
    {806, "inputMediaFormPartsChange"}, {807, "inputMediaSupplyLow"}, {808, "inputMediaSupplyEmpty"},
    {809, "inputMediaChangeRequest"}, {810, "inputManualInputRequest"}, {811, "inputTrayPositionFailure"},
    {812, "inputTrayElevationFailure"}, {813, "inputCannotFeedSizeSelected"}, {901, "outputMediaTrayMissing"},
    {902, "outputMediaTrayAlmostFull"}, {903, "outputMediaTrayFull"}, {904, "outputMailboxSelectFailure"},
    {1001, "markerFuserUnderTemperature"}, {1002, "markerFuserOverTemperature"},
    {1003, "markerFuserTimingFailure"}, {1004, "markerFuserThermistorFailure"},
    {1005, "markerAdjustingPrintQuality"}, {1101, "markerTonerEmpty"}, {1102, "markerInkEmpty"},
    {1103, "markerPrintRibbonEmpty"}, {1104, "markerTonerAlmostEmpty"}, {1105, "markerInkAlmostEmpty"},
    {1106, "markerPrintRibbonAlmostEmpty"}, {1107, "markerWasteTonerReceptacleAlmostFull"},
    {1108, "markerWasteInkReceptacleAlmostFull"}, {1109, "markerWasteTonerReceptacleFull"},
    {1110, "markerWasteInkReceptacleFull"}, {1111, "markerOpcLifeAlmostOver"}, {1112, "markerOpcLifeOver"},
    {1113, "markerDeveloperAlmostEmpty"}, {1114, "markerDeveloperEmpty"}, {1115, "markerTonerCartridgeMissing"},
    {1301, "mediaPathMediaTrayMissing"}, {1302, "mediaPathMediaTrayAlmostFull"}, {1303, "mediaPathMediaTrayFull"},
    {1304, "mediaPathCannotDuplexMediaSelected"}, {1501, "interpreterMemoryIncrease"},
    {1502, "interpreterMemoryDecrease"}, {1503, "interpreterCartridgeAdded"}, {1504, "interpreterCartridgeDeleted"},
    {1505, "interpreterResourceAdded"}, {1506, "interpreterResourceDeleted"},
    {1507, "interpreterResourceUnavailable"}, {1509, "interpreterComplexPageEncountered"},
    {1801, "alertRemovalOfBinaryChangeEntry"},
};
constexpr Named kLanguageFamilies[] = {
    {1, "other"}, {2, "unknown"}, {3, "langPCL"}, {4, "langHPGL"}, {5, "langPJL"}, {6, "langPS"}, {7, "langIPDS"},
    {8, "langPPDS"}, {9, "langEscapeP"}, {10, "langEpson"}, {11, "langDDIF"}, {12, "langInterpress"},
    {13, "langISO6429"}, {14, "langLineData"}, {15, "langMODCA"}, {16, "langREGIS"}, {17, "langSCS"},
    {18, "langSPDL"}, {19, "langTEK4014"}, {20, "langPDS"}, {21, "langIGP"}, {22, "langCodeV"},
    {23, "langDSCDSE"}, {24, "langWPS"}, {25, "langLN03"}, {26, "langCCITT"}, {27, "langQUIC"}, {28, "langCPAP"},
    {29, "langDecPPL"}, {30, "langSimpleText"}, {31, "langNPAP"}, {32, "langDOC"}, {33, "langimPress"},
    {34, "langPinwriter"}, {35, "langNPDL"}, {36, "langNEC201PL"}, {37, "langAutomatic"}, {38, "langPages"},
    {39, "langLIPS"}, {40, "langTIFF"}, {41, "langDiagnostic"}, {42, "langPSPrinter"}, {43, "langCaPSL"},
    {44, "langEXCL"}, {45, "langLCDS"}, {46, "langXES"}, {47, "langPCLXL"}, {48, "langART"}, {49, "langTIPSI"},
    {50, "langPrescribe"}, {51, "langLinePrinter"}, {52, "langIDP"}, {53, "langXJCL"}, {54, "langPDF"},
};
constexpr Named kPrinterStatuses[] = {{1, "other"}, {2, "unknown"}, {3, "idle"}, {4, "printing"}, {5, "warmup"}};
constexpr Named kDeviceStatuses[] = {{1, "unknown"}, {2, "running"}, {3, "warning"}, {4, "testing"}, {5, "down"}};
constexpr const char *kErrorStateBits[] = {
    "lowPaper",  "noPaper", "lowToner",         "noToner",           "doorOpen",           "jammed",
    "offline",   "serviceRequested", "inputTrayMissing", "outputTrayMissing", "markerSupplyMissing",
    "outputNearFull", "outputFull", "inputTrayEmpty", "overduePreventMaint", "",
};

}  // namespace

std::string SupplyTypeName(std::optional<int32_t> v) { return NameIn(kSupplyTypes, v); }
std::string SupplyClassName(std::optional<int32_t> v) { return NameIn(kSupplyClasses, v); }
std::string SupplyUnitName(std::optional<int32_t> v) { return NameIn(kSupplyUnits, v); }
std::string CapacityUnitName(std::optional<int32_t> v) { return NameIn(kCapacityUnits, v); }
std::string DimUnitName(std::optional<int32_t> v) { return NameIn(kDimUnits, v); }
std::string AlertSeverityName(std::optional<int32_t> v) { return NameIn(kSeverities, v); }
std::string AlertGroupName(std::optional<int32_t> v) { return NameIn(kAlertGroups, v); }
std::string AlertCodeName(std::optional<int32_t> v) { return NameIn(kAlertCodes, v); }
std::string LanguageFamilyName(std::optional<int32_t> v) { return NameIn(kLanguageFamilies, v); }
std::string PrinterStatusName(std::optional<int32_t> v) { return NameIn(kPrinterStatuses, v); }
std::string DeviceStatusName(std::optional<int32_t> v) { return NameIn(kDeviceStatuses, v); }

const char *ErrorStateBitName(unsigned bit) { return bit < std::size(kErrorStateBits) ? kErrorStateBits[bit] : ""; }

}  // namespace pathost
