// The rule tables that route PJL answer lines to their handlers. A rule fires
// when its five texts (command, category, key, indented item, indented value)
// all equal the current line's; the empty text matches only an empty text, so
// a rule with empty key, item and value fires once, at the category word.
#include "reply/reply_config.h"
#include "reply/reply_handlers.h"

namespace pat {

namespace {

constexpr ReplyRule kEnd = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0};

constexpr ReplyRule Inquire(const char *category, ReplyHandler handler, uint32_t parameter) {
    return {"INQUIRE", category, "", "", "", handler, parameter};
}

constexpr ReplyRule ConfigRule(const char *key, const char *item, const char *value, ReplyHandler handler,
                           uint32_t parameter) {
    return {"INFO", "CONFIG", key, item, value, handler, parameter};
}

constexpr ReplyRule OutBin(const char *key, uint32_t bin) {
    return {"INFO", "OUTBINSTATUS", key, "", "", OnOutBinState, bin};
}

}  // namespace

// Consulted by every dispatch, after the family's rules.
const ReplyRule kCommonReplyTable[] = {
    {"INFO", "ZOLT", "", "", "", OnEmulUniqInfo, 0},
    {"INFO", "CONFIG", "", "", "", OnInfoConfig, 0},
    {"INFO", "CONFIG", "VERSION", "", "", OnConfigVersion, 0},
    {"INFO", "CONFIG", "IN TRAYS", "", "", OnConfigInTrays, 0},
    {"INFO", "CONFIG", "MEMORY", "", "", OnConfigMemory, 0},
    {"INFO", "CONFIG", "PUNCH", "", "", OnConfigPunch, 0},
    {"INFO", "OUTBINSTATUS", "", "", "", OnInfoOutBinStatus, 0},
    {"INQUIRE", "PRINTERMARKINGTYPE", "", "", "", OnPrinterMarkingType, 0},
    {"INQUIRE", "REFRESHCOPYPLUGINSTATUS", "", "", "", OnFuncpkgStatus, 1},
    kEnd,
};

// The printer family's rules; parameters are tray, bin or device codes.
const ReplyRule kFamilyReplyTable[] = {
    // Tray lock state.
    Inquire("INTRAY1", OnTrayLock, 3),
    Inquire("INTRAY2", OnTrayLock, 4),
    Inquire("INTRAY3", OnTrayLock, 5),
    Inquire("INTRAY4", OnTrayLock, 6),
    Inquire("INTRAY5", OnTrayLock, 7),
    Inquire("INTRAY6", OnTrayLock, 8),
    Inquire("INTRAY7", OnTrayLock, 9),
    Inquire("INTRAYLCT", OnTrayLock, 11),
    Inquire("INTRAYMULTI", OnTrayLock, 1),
    Inquire("INTRAYINSERTER", OnTrayLock, 101),
    Inquire("INTRAYINSERTER2", OnTrayLock, 102),
    // Paper size.
    Inquire("INTRAY1SIZE", OnTraySize, 3),
    Inquire("INTRAY2SIZE", OnTraySize, 4),
    Inquire("INTRAY3SIZE", OnTraySize, 5),
    Inquire("INTRAY4SIZE", OnTraySize, 6),
    Inquire("INTRAY5SIZE", OnTraySize, 7),
    Inquire("INTRAY6SIZE", OnTraySize, 8),
    Inquire("INTRAY7SIZE", OnTraySize, 9),
    Inquire("INTRAYLCTSIZE", OnTraySize, 11),
    Inquire("INTRAYMSIZE", OnTraySize, 1),
    Inquire("INTRAYINSERTERSIZE", OnTraySize, 101),
    Inquire("INTRAYINSERTER2SIZE", OnTraySize, 102),
    // Paper level.
    Inquire("INTRAY1QUANT", OnTrayLevel, 3),
    Inquire("INTRAY2QUANT", OnTrayLevel, 4),
    Inquire("INTRAY3QUANT", OnTrayLevel, 5),
    Inquire("INTRAY4QUANT", OnTrayLevel, 6),
    Inquire("INTRAY5QUANT", OnTrayLevel, 7),
    Inquire("INTRAY6QUANT", OnTrayLevel, 8),
    Inquire("INTRAY7QUANT", OnTrayLevel, 9),
    Inquire("INTRAYLCTQUANT", OnTrayLevel, 11),
    // Installed trays; tandem tray 1001 is renumbered after the parse.
    ConfigRule("IN TRAYS", "INTRAY1", "", OnTrayPresent, 3),
    ConfigRule("IN TRAYS", "INTRAY2", "", OnTrayPresent, 4),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAY3", "STANDARD", OnTrayPresent, 5),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAY3", "SMALL", OnTrayPresent, 5),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAY3", "MIDDLE", OnTrayPresent, 5),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAY3", "LARGE", OnTrayPresent, 5),
    ConfigRule("IN TRAYS", "INTRAY4", "", OnTrayPresent, 6),
    ConfigRule("IN TRAYS", "INTRAY5", "", OnTrayPresent, 7),
    ConfigRule("IN TRAYS", "INTRAY6", "", OnTrayPresent, 8),
    ConfigRule("IN TRAYS", "INTRAY7", "", OnTrayPresent, 9),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAY3", "TANDEM", OnTrayPresent, 1001),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAYLCT", "TANDEM", OnTrayPresent, 13),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAYLCT", "STANDARD", OnTrayPresent, 11),
    ConfigRule("IN TRAYS", "INTRAYMANUAL", "", OnTrayPresent, 1),
    ConfigRule("IN TRAYS", "INTRAYINSERTER", "", OnTrayPresent, 101),
    ConfigRule("IN TRAYS", "INTRAYINSERTER2", "", OnTrayPresent, 102),
    // Output bin states.
    OutBin("UPPER", 1),
    OutBin("OPTIONALOUTPUTBIN1", 1),
    OutBin("OPTIONALOUTPUTBIN2", 7),
    OutBin("OPTIONALOUTPUTBIN3", 8),
    OutBin("OPTIONALOUTPUTBIN4", 9),
    OutBin("OPTIONALOUTPUTBIN5", 10),
    OutBin("OPTIONALOUTPUTBIN6", 11),
    OutBin("OPTIONALOUTPUTBIN7", 12),
    OutBin("OPTIONALOUTPUTBIN8", 13),
    OutBin("OPTIONALOUTPUTBIN9", 14),
    OutBin("OPTIONALOUTPUTBIN10", 15),
    OutBin("INNER", 2),
    OutBin("FINISHERPROOF", 5),
    OutBin("FINISHERSHIFT", 4),
    OutBin("FINISHERBOOKLET", 27),
    OutBin("LOWER", 34),
    // Tray attributes that name installed devices.
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAY3", "TANDEM", OnDeviceOption, 1002),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAYLCT", "TANDEM", OnDeviceOption, 103),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAYLCT", "STANDARD", OnDeviceOption, 104),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAY1", "SMALL", OnDeviceOption, 121),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAY2", "SMALL", OnDeviceOption, 122),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAY3", "SMALL", OnDeviceOption, 123),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAY4", "SMALL", OnDeviceOption, 124),
    ConfigRule("IN TRAYS ATTRIBUTE", "INTRAY5", "SMALL", OnDeviceOption, 125),
    kEnd,
};

static_assert(sizeof kCommonReplyTable / sizeof kCommonReplyTable[0] == 9 + 1);
static_assert(sizeof kFamilyReplyTable / sizeof kFamilyReplyTable[0] == 70 + 1);

}  // namespace pat
