// What --watch reports between two snapshots of a record.
#include <gtest/gtest.h>

#include "snapshot/record_diff.h"

namespace pathost {
namespace {

std::vector<std::string> Changes(const char *before, const char *after) {
    std::vector<std::string> lines;
    for (const Change &change : DiffRecords(Json::parse(before), Json::parse(after))) lines.push_back(FormatChange(change));
    return lines;
}

TEST(RecordDiff, FieldsAndItemsMatchedByTheirCode) {
    const struct {
        const char *before;
        const char *after;
        std::vector<std::string> changes;
    } cases[] = {
        {R"({"dwMemoryKB":1})", R"({"dwMemoryKB":1})", {}},
        {R"({"pModelName":null})", R"({"pModelName":"M"})", {"pModelName: null -> \"M\""}},
        {R"({"dwTrayInfoCount":1,"pTrayInfo":[{"wTray":3,"wLevel":20}]})",
         R"({"dwTrayInfoCount":2,"pTrayInfo":[{"wTray":4,"wLevel":0},{"wTray":3,"wLevel":40}]})",
         {"pTrayInfo[wTray=3].wLevel: 20 -> 40", "pTrayInfo[wTray=4] added {\"wTray\":4,\"wLevel\":0}"}},
        {R"({"pOutBinInfo":[{"wBin":1,"wState":0},{"wBin":1,"wState":2}]})",
         R"({"pOutBinInfo":[{"wBin":1,"wState":0}]})",
         {"pOutBinInfo[wBin=1#2] removed {\"wBin\":1,\"wState\":2}"}},
        {R"({"pEngineStatus":[{"wStatus":1,"szText":"a"}]})", R"({"pEngineStatus":[{"wStatus":1,"szText":"b"}]})",
         {"pEngineStatus[wStatus=1].szText: \"a\" -> \"b\""}},
    };
    for (const auto &c : cases) EXPECT_EQ(Changes(c.before, c.after), c.changes) << c.before << " -> " << c.after;
}

}  // namespace
}  // namespace pathost
