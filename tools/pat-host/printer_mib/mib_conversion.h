// Hands what the Printer MIB said to the module: the blocks of mib_blocks.h
// through PatPMInfoToPrnInfoEx, with conversion masks naming only the parts
// that are wanted and have something to say.
#ifndef PAT_HOST_PRINTER_MIB_MIB_CONVERSION_H
#define PAT_HOST_PRINTER_MIB_MIB_CONVERSION_H

#include <stdint.h>

#include <string>
#include <vector>

#include "module/module.h"
#include "outcome/failure.h"
#include "printer_mib/printer_mib.h"

namespace pathost {

// The parts of the record the MIB is to fill (asked), or filled (returned).
struct MibParts {
    bool modelName = false;       // pModelName, from hrDeviceDescr
    bool memory = false;          // dwMemoryKB, from hrMemorySize
    bool trays = false;           // pTrayInfo, from prtInputTable
    bool bins = false;            // pOutBinInfo, from prtOutputTable
    bool statusWord = false;      // bStatus and its companions
    bool engineStatuses = false;  // pEngineStatus, from prtAlertTable
    bool emulations = false;      // pLoadedEmul, from prtInterpreterTable
};

struct MibConversionCall {
    std::string block;  // "Printer MIB configuration block", "Printer MIB status block"
    uint32_t mask = 0;
    int result = 1;
    uint32_t lastError = 0;
};

struct MibConversion {
    MibParts filled;
    std::vector<MibConversionCall> calls;  // none when nothing wanted had anything to say
};

// What the MIB is to fill: every category of `asked` that neither PJL nor
// the device ID answered (masks of PAT_CAT_ bits). Model name and memory go
// in before the printer's own answers, which overwrite them where they
// answer; the rest after, where they did not.
MibParts ModelParts(uint32_t asked);
MibParts RestParts(uint32_t asked, uint32_t pjlAnswered, uint32_t deviceIdAnswered);

// Which source filled each category asked for, and the MIB's own facts
// (supplies, alerts, page counter).
std::vector<CategorySource> CategorySources(uint32_t asked, uint32_t pjlAnswered, uint32_t deviceIdAnswered,
                                            const MibParts &filled, const PrinterMib *mib);

// A ModuleFailure only when the export breaks its prototype; a refusal is in
// the call's result.
Expected<MibConversion> ConvertPrinterMib(const Module &module, PrnInfoEx *record, const PrinterMib &mib,
                                          const MibParts &wanted);

}  // namespace pathost

#endif
