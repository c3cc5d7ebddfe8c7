// The device ID of a network printer, asked of the SNMP agent on the
// printer's own host (--device-id-source auto|snmp, the --snmp-* options,
// "snmp" in a targets file).
#ifndef PAT_HOST_SOURCES_SNMP_SOURCE_H
#define PAT_HOST_SOURCES_SNMP_SOURCE_H

#include <stdint.h>

#include <chrono>
#include <optional>
#include <string>

#include "snmp/snmp_device_id.h"
#include "sources/source_kinds.h"

namespace pathost {

struct SnmpSettings {
    std::string community = "public";
    uint16_t port = 161;
    // How long an agent that never answers is waited for, all tries together.
    std::chrono::milliseconds timeout{2000};
    // Unset: v2c, then v1 when v2c gets no answer at all.
    std::optional<snmp::Version> version;
};

// required: a printer whose agent gives no device ID fails its poll (69);
// otherwise the poll goes on without the device-ID categories.
SourcePtr SnmpSource(SnmpSettings settings, bool required);
SourceKind SnmpSourceKind();
// The --snmp-* settings a command line or targets-file entry gave, the
// defaults for the rest (what the Printer MIB walk uses, whatever the source).
SnmpSettings SnmpSettingsOf(const SourceChoice &choice);

// The query of one printer's agent. The timeout is spread over every try (two
// per version), so a silent agent costs the timeout once.
snmp::DeviceIdQueryOptions QueryOptionsFor(const SnmpSettings &settings, const std::string &host);

// "ppmPrinterIEEE1284DeviceId" and the vendor objects' names; empty for
// another object.
std::string ObjectName(const snmp::Oid &oid);

}  // namespace pathost

#endif
