// The request the module builds for a mask and a tray list, as a tree with
// its PJL text made readable, and what the host adds to it when polling.
#include <stdio.h>

#include "cli/commands.h"
#include "module/module.h"
#include "report/report.h"
#include "report/visible_text.h"

namespace pathost {

namespace {

const char *TagMeaning(uint32_t tag) {
    switch (tag) {
        case PAT_TAG_QUERY_ROOT: return "root";
        case PAT_TAG_PJL_TEXT: return "PJL query text";
        case PAT_TAG_DEVICE_ID: return "device ID request";
        default: return "unknown tag";
    }
}

void PrintShown(std::ostream &out, const std::string &bytes, int indent) {
    std::string shown = ShowPjl(bytes);
    size_t start = 0;
    while (start < shown.size()) {
        size_t end = shown.find('\n', start);
        out << std::string(indent, ' ') << shown.substr(start, end - start) << '\n';
        if (end == std::string::npos) break;
        start = end + 1;
    }
}

void PrintTree(std::ostream &out, const DataNode *node, int depth) {
    for (; node != nullptr; node = node->nextSibling) {
        out << std::string(2 * depth, ' ') << "tag " << node->tag << "  " << TagMeaning(node->tag) << "  ("
            << node->payloadLength << " bytes)\n";
        if (node->tag == PAT_TAG_PJL_TEXT && node->payloadLength != 0)
            PrintShown(out, std::string(reinterpret_cast<const char *>(node + 1), node->payloadLength), 2 * depth + 4);
        PrintTree(out, node->firstChild, depth + 1);
    }
}

std::string Hex(uint32_t value) {
    char text[16];
    snprintf(text, sizeof text, "0x%X", value);
    return text;
}

}  // namespace

OutcomeKind RunQuery(const Module &module, const QueryCommand &command, std::ostream &out, std::ostream &err) {
    HostRecord record(module);
    for (uint16_t tray : command.trays) record.AddTray(tray);
    Expected<QueryPlan> built = BuildQueryPlan(module, record.get(), command.mask, "PATHOST-XXXXXXXX");
    if (!built) {
        err << "pat-host: " << built.error().message << '\n';
        return built.error().kind;
    }
    const QueryPlan &plan = *built;
    out << "module: " << ModuleLine(module.identity) << '\n';
    std::string trays;
    for (uint16_t tray : command.trays) trays += (trays.empty() ? "" : ", ") + std::to_string(tray);
    out << "QueryInfo from PatCreateQueryInfo (mask " << Hex(command.mask) << ", trays "
        << (trays.empty() ? "none listed" : trays) << "):\n";
    PrintTree(out, plan.request.get(), 1);
    if (plan.zoltRequest.get() != nullptr) {
        out << "EmulUniqQueryInfo from PatCreateEmulUniqQueryInfo (kind 15, asked because the mask has emulations):\n";
        PrintTree(out, plan.zoltRequest.get(), 1);
    }
    if (plan.sendsPjl()) {
        out << "pat-host sends, in this order: the QueryInfo text"
            << (plan.zoltRequest.get() != nullptr ? ", the EmulUniqQueryInfo text" : "")
            << ((command.mask & PAT_CAT_OPTIONS) ? ", its own inquiries for marking type and function package" : "")
            << ", and a closing echo (a fresh word each poll):\n";
        PrintShown(out, plan.text.substr(plan.moduleText.size()), 4);
        out << "Reading stops when every category above has ended with a form feed, or the echo is back.\n";
    } else {
        out << "Nothing goes to the PJL channel for this mask.\n";
    }
    return OutcomeKind::Ok;
}

}  // namespace pathost
