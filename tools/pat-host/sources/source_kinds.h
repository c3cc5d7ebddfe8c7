// The kinds of device-ID source pat-host knows, as data: how each is chosen
// on the command line and in a targets file, its settings (each an option
// and a targets-file field checked by the same function, so both take the
// same values), and how it is made from them. cli/ and serve/ build their
// options and fields from this list; adding a source is its own file and one
// line in source_kinds.cpp.
#ifndef PAT_HOST_SOURCES_SOURCE_KINDS_H
#define PAT_HOST_SOURCES_SOURCE_KINDS_H

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sources/device_id_source.h"

namespace pathost {

// Empty when the text is a good value, else what is wrong ("must be ...").
using ValueCheck = std::function<std::string(const std::string &text)>;

// One setting: --PREFIX-NAME on the command line, NAME in the kind's object
// of a targets-file entry.
struct SourceSetting {
    std::string name;  // "port"
    std::string typeName;
    std::string help;
    std::string fallback;  // the value when unset, shown by --help
    ValueCheck check;
    std::string checkText;  // what --help says of the values taken ("INT in [1 - 65535]")
    bool number = false;  // a number in the targets file, not a string
};

// What a kind is made from: the value of the option that chose it, whether
// it was named explicitly, and its settings by name.
struct SourceConfig {
    std::string value;
    bool required = false;
    std::map<std::string, std::string> settings;
    const std::string &Setting(const std::string &name) const;
};

struct SourceKind {
    std::string name;  // "text", "file", "usb", "snmp"
    bool network = false;  // offered only where a printer has a host (poll, serve)
    // How it is chosen: an option carrying its value (--device-id TEXT) and
    // the same field in a targets-file entry ("deviceId"), or, when `option`
    // is empty, its name as a value of --device-id-source / "deviceIdSource".
    std::string option, typeName, help, field;
    ValueCheck valueCheck;  // of that option's value, on the command line and in the file
    // Chosen by name: what it does as auto's choice, and as its own name.
    std::string autoHelp, namedHelp;
    // Its settings, under one help group and one targets-file object.
    std::string prefix;  // "snmp": --snmp-port, "snmp": {"port": ...}
    std::string group;
    std::vector<SourceSetting> settings;
    std::function<SourcePtr(const SourceConfig &)> make;
};

// Every kind, in the order the help text lists them.
const std::vector<SourceKind> &SourceKinds();
// Adds a kind (a test's own source); its names must be new.
void RegisterSourceKind(SourceKind kind);
const SourceKind *FindSourceKind(const std::string &name);

// The values of --device-id-source and "deviceIdSource": auto (every kind
// chosen by name, not required), none, and each such kind by name.
std::vector<std::string> SourceNames(bool network);

// What a command line or a targets-file entry chose: a kind by name with its
// value, or "auto", or "none"; and every kind's settings given.
struct SourceChoice {
    std::string name = "auto";
    std::string value;
    std::map<std::string, std::map<std::string, std::string>> settings;  // kind prefix: name: value
};

// The source a choice makes; null for "none".
Expected<SourcePtr> MakeSource(const SourceChoice &choice);

// Checks shared by the kinds' settings.
ValueCheck PortCheck();
ValueCheck SecondsCheck();
ValueCheck OneOf(std::vector<std::string> values);
ValueCheck AnyText();
ValueCheck NonEmptyText();

}  // namespace pathost

#endif
