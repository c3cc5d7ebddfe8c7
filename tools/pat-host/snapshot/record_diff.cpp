#include "snapshot/record_diff.h"

#include <map>
#include <utility>

namespace pathost {

namespace {

bool IsListCount(const std::string &key, const Json &record) {
    // "dwTrayInfoCount" counts "pTrayInfo".
    const std::string suffix = "Count";
    if (key.size() <= 2 + suffix.size() || key.compare(0, 2, "dw") != 0 ||
        key.compare(key.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    std::string list = "p" + key.substr(2, key.size() - 2 - suffix.size());
    return record.contains(list) && record[list].is_array();
}

// Items keyed "field=code", with "#n" for the n-th repeat of one code.
std::vector<std::pair<std::string, Json>> Keyed(const Json &list) {
    std::vector<std::pair<std::string, Json>> keyed;
    std::map<std::string, int> seen;
    for (const Json &item : list) {
        std::string key;
        if (!item.empty()) {
            auto first = item.begin();
            key = first.key() + "=" + first.value().dump();
        }
        int repeat = seen[key]++;
        if (repeat > 0) key += "#" + std::to_string(repeat + 1);
        keyed.emplace_back(key, item);
    }
    return keyed;
}

const Json *Find(const std::vector<std::pair<std::string, Json>> &keyed, const std::string &key) {
    for (const auto &[k, item] : keyed)
        if (k == key) return &item;
    return nullptr;
}

void DiffList(const std::string &name, const Json &before, const Json &after, std::vector<Change> &changes) {
    auto old = Keyed(before);
    auto now = Keyed(after);
    for (const auto &[key, item] : old) {
        const Json *match = Find(now, key);
        std::string path = name + "[" + key + "]";
        if (match == nullptr) {
            changes.push_back({path, item, nullptr});
            continue;
        }
        for (auto field = item.begin(); field != item.end(); ++field)
            if (!match->contains(field.key()) || (*match)[field.key()] != field.value())
                changes.push_back({path + "." + field.key(), field.value(), match->value(field.key(), Json())});
    }
    for (const auto &[key, item] : now)
        if (Find(old, key) == nullptr) changes.push_back({name + "[" + key + "]", nullptr, item});
}

}  // namespace

std::vector<Change> DiffRecords(const Json &before, const Json &after) {
    std::vector<Change> changes;
    for (auto field = after.begin(); field != after.end(); ++field) {
        const std::string &key = field.key();
        Json old = before.value(key, Json());
        if (field.value().is_array())
            DiffList(key, old.is_array() ? old : Json::array(), field.value(), changes);
        else if (old != field.value() && !IsListCount(key, after))
            changes.push_back({key, old, field.value()});
    }
    return changes;
}

std::vector<Change> DiffSnapshots(const PrinterSnapshot &before, const PrinterSnapshot &after) {
    return DiffRecords(RecordJson(before), RecordJson(after));
}

std::vector<Change> DiffFlat(const FlatSnapshot *before, const FlatSnapshot *after) {
    std::vector<Change> changes;
    if (before == nullptr || after == nullptr) return changes;
    Json a = FlatJson(*before), b = FlatJson(*after);
    for (auto field = a.begin(); field != a.end(); ++field)
        if (field.value() != b.value(field.key(), Json()))
            changes.push_back({"PrnInfo." + field.key(), field.value(), b.value(field.key(), Json())});
    for (auto field = b.begin(); field != b.end(); ++field)
        if (!a.contains(field.key())) changes.push_back({"PrnInfo." + field.key(), nullptr, field.value()});
    return changes;
}

std::string FormatChange(const Change &change) {
    auto show = [](const Json &value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); };
    if (change.before.is_null() && change.after.is_object()) return change.path + " added " + show(change.after);
    if (change.after.is_null() && change.before.is_object()) return change.path + " removed " + show(change.before);
    return change.path + ": " + show(change.before) + " -> " + show(change.after);
}

}  // namespace pathost
