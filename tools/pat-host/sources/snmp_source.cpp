#include "sources/snmp_source.h"

namespace pathost {

snmp::DeviceIdQueryOptions QueryOptionsFor(const SnmpSettings &settings, const std::string &host) {
    snmp::DeviceIdQueryOptions options;
    options.host = host;
    options.port = settings.port;
    options.community = settings.community;
    options.version = settings.version.value_or(snmp::Version::V2c);
    options.fallBackToV1 = !settings.version.has_value();
    options.retries = 1;
    const long tries = (options.retries + 1) * (options.fallBackToV1 ? 2 : 1);
    options.timeout = std::max(settings.timeout / tries, std::chrono::milliseconds(1));
    return options;
}

std::string ObjectName(const snmp::Oid &oid) {
    static const char *const names[] = {"ppmPrinterIEEE1284DeviceId", "LexmarkDeviceIdOID", "RicohDeviceIdOID",
                                        "HPDeviceIdOID"};
    const auto &objects = snmp::DeviceIdObjects();
    for (size_t i = 0; i < objects.size() && i < std::size(names); ++i)
        if (objects[i] == oid) return names[i];
    return {};
}

}  // namespace pathost
