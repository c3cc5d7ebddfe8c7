// The PJL INQUIRE groups asked for each input tray. Default 0 marks the groups
// asked while the record lists no tray yet. Two trays may share a group.
#include "core/shipped_tables.h"

namespace pat {

const TrayQueryRow kTrayQueryTable[] = {
    {kEndTray, 0, ""},
};

}  // namespace pat
