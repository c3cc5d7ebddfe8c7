#include "simulator/answers.h"

namespace pathost::sim {

namespace {

constexpr const char *kEnd = "\r\n";

std::string Quoted(const std::string &value) {
    return value.find(' ') == std::string::npos && !value.empty() ? value : "\"" + value + "\"";
}

std::string Block(const std::string &commandLine, const std::string &body) {
    return "@PJL " + commandLine + kEnd + body + "\f";
}

std::string List(const std::string &key, const std::vector<std::string> &items) {
    std::string text = key + " [" + std::to_string(items.size()) + " ENUMERATED]" + kEnd;
    for (const std::string &item : items) text += "\t" + item + kEnd;
    return text;
}

std::string InfoConfig(const Profile &p) {
    std::vector<std::string> trays, attributes, bins, versions;
    for (const Tray &tray : p.trays) {
        trays.push_back(tray.name);
        if (!tray.attribute.empty()) attributes.push_back(tray.name + " " + tray.attribute);
    }
    for (const Bin &bin : p.bins) bins.push_back(bin.name);
    for (const Version &version : p.versions) versions.push_back(version.name + " " + Quoted(version.version));
    std::string body = List("IN TRAYS", trays);
    if (!attributes.empty()) body += List("IN TRAYS ATTRIBUTE", attributes);
    body += List("OUTPUT BINS", bins);
    body += List("LANGUAGES", p.commandSet);
    body += List("VERSION", versions);
    body += "MEMORY=" + std::to_string(p.memoryBytes) + kEnd;
    if (!p.punch.empty()) body += List("PUNCH", p.punch);
    return Block("INFO CONFIG", body);
}

std::string InfoOutBinStatus(const Profile &p) {
    std::string body;
    for (const Bin &bin : p.bins) body += bin.name + "=" + bin.state + kEnd;
    return Block("INFO OUTBINSTATUS", body);
}

std::string InfoZolt(const Profile &p) {
    if (!p.zolt) return Block("INFO ZOLT", std::string("?") + kEnd);
    const Zolt &z = *p.zolt;
    return Block("INFO ZOLT", "MEMORYUSAGE=" + z.memoryUsage + kEnd + "OTHER=" + Quoted(z.other) + kEnd +
                                  "IMAGEROTATION=" + z.imageRotation + kEnd);
}

const Tray *FindTray(const Profile &p, const std::string &name) {
    for (const Tray &tray : p.trays)
        if (tray.name == name) return &tray;
    return nullptr;
}

// The value of a tray variable: INTRAYnSIZE, INTRAYnQUANT, INTRAYn (the lock);
// the bypass tray answers INTRAYMSIZE and INTRAYMULTI.
std::string TrayValue(const Profile &p, const std::string &variable) {
    auto ends = [&](const std::string &suffix) {
        return variable.size() > suffix.size() && variable.compare(variable.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    std::string name = variable;
    enum { Lock, Size, Quantity } what = Lock;
    if (variable == "INTRAYMSIZE") {
        name = "INTRAYMANUAL";
        what = Size;
    } else if (variable == "INTRAYMULTI") {
        name = "INTRAYMANUAL";
    } else if (ends("SIZE")) {
        name = variable.substr(0, variable.size() - 4);
        what = Size;
    } else if (ends("QUANT")) {
        name = variable.substr(0, variable.size() - 5);
        what = Quantity;
    }
    const Tray *tray = FindTray(p, name);
    if (tray == nullptr || (what == Quantity && name == "INTRAYMANUAL")) return "?";
    switch (what) {
        case Size: return tray->paper;
        case Quantity: return LevelWord(tray->level);
        case Lock: return tray->locked ? "LOCKED" : "UNLOCKED";
    }
    return "?";
}

std::string Inquire(const Profile &p, const std::string &variable) {
    std::string value;
    if (variable == "PRINTERMARKINGTYPE")
        value = p.markingType;
    else if (variable == "REFRESHCOPYPLUGINSTATUS")
        value = p.functionPackage;
    else if (variable.compare(0, 6, "INTRAY") == 0)
        value = TrayValue(p, variable);
    if (value.empty()) value = "?";
    return Block("INQUIRE " + variable, value + kEnd);
}

}  // namespace

std::string AnswerTo(const Command &command, const Profile &profile) {
    if (command.verb == "ECHO") return Block("ECHO " + command.argument, "");
    if (command.verb == "INQUIRE" && !command.argument.empty()) return Inquire(profile, command.argument);
    if (command.verb != "INFO" || command.argument.empty()) return {};
    if (command.argument == "CONFIG") return InfoConfig(profile);
    if (command.argument == "OUTBINSTATUS") return InfoOutBinStatus(profile);
    if (command.argument == "ZOLT") return InfoZolt(profile);
    return Block("INFO " + command.argument, std::string("?") + kEnd);
}

}  // namespace pathost::sim
