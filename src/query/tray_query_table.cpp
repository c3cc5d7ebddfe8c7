// The PJL INQUIRE groups asked for each input tray. Default 0 marks the groups
// asked while the record lists no tray yet. Two trays may share a group.
#include "query/query_config.h"

namespace pat {

#define PAT_INTRAY_GROUP(n) \
    "@PJL INQUIRE INTRAY" n "SIZE\r\n@PJL INQUIRE INTRAY" n "QUANT\r\n@PJL INQUIRE INTRAY" n "\r\n"

const TrayQueryRow kTrayQueryTable[] = {
    {3, 0, PAT_INTRAY_GROUP("1")},
    {4, 1, PAT_INTRAY_GROUP("2")},
    {5, 1, PAT_INTRAY_GROUP("3")},
    {1001, 1, PAT_INTRAY_GROUP("3")},
    {6, 1, PAT_INTRAY_GROUP("4")},
    {7, 1, PAT_INTRAY_GROUP("5")},
    {8, 1, PAT_INTRAY_GROUP("6")},
    {9, 1, PAT_INTRAY_GROUP("7")},
    {13, 1, PAT_INTRAY_GROUP("LCT")},
    {11, 1, PAT_INTRAY_GROUP("LCT")},
    {1, 0, "@PJL INQUIRE INTRAYMSIZE\r\n@PJL INQUIRE INTRAYMULTI\r\n"},
    {101, 1, "@PJL INQUIRE INTRAYINSERTERSIZE\r\n"},
    {102, 1, "@PJL INQUIRE INTRAYINSERTER2SIZE\r\n"},
    {kEndTray, 0, ""},
};

#undef PAT_INTRAY_GROUP

}  // namespace pat
