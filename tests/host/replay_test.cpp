// Captured answers run through the module, as a support engineer replays a
// customer's capture; and the command line around it.
#include <gtest/gtest.h>
#include <stdio.h>

#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "outcome/exit_codes.h"
#include "snapshot/snapshot_json.h"

namespace pathost {
namespace {

std::string Fixture(const char *name) { return std::string(PAT_HOST_FIXTURES) + "/" + name; }

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

CliRun RunPatHost(std::vector<std::string> args) {
    args.insert(args.begin(), "pat-host");
    std::vector<const char *> argv;
    for (const std::string &arg : args) argv.push_back(arg.c_str());
    std::ostringstream out, err;
    int code = RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
}

Json ReplayJson(std::vector<std::string> args, int expectedExit) {
    args.insert(args.begin(), "replay");
    args.push_back("--json");
    CliRun run = RunPatHost(args);
    EXPECT_EQ(run.exitCode, expectedExit) << run.out << run.err;
    return Json::parse(run.out);
}

TEST(Replay, AnOfficePrinterCaptureIsCleanedOfPaddingAndEndOfJobMarks) {
    Json j = ReplayJson({"--answer", Fixture("office-a4.pjl")}, kExitOk);
    const Json &r = j["PrnInfoEx"];
    EXPECT_EQ(j["cleaning"]["pjl"], Json::parse(R"({"nulsRemoved":4,"ctrlDsRemoved":7})"));
    EXPECT_EQ(r["dwMemoryKB"], 65536);
    EXPECT_EQ(r["pSYSVersion"], "1.08.3");
    EXPECT_EQ(r["pMainProgVersion"], "2.01");
    EXPECT_EQ(r["pTrayInfo"], Json::parse(R"([{"wTray":3,"wPaperSize":9,"wLevel":40,"wMedia":0,"dwAttributes":0},
                                              {"wTray":4,"wPaperSize":0,"wLevel":0,"wMedia":0,"dwAttributes":0},
                                              {"wTray":1,"wPaperSize":22,"wLevel":0,"wMedia":0,"dwAttributes":1}])"));
    EXPECT_EQ(r["pOutBinInfo"], Json::parse(R"([{"wBin":1,"wState":2}])"));
}

TEST(Replay, RawBytesShowWhyCleaningIsNeeded) {
    // The NUL padding ends the module's zero-terminated text before any answer.
    Json j = ReplayJson({"--answer", Fixture("office-a4.pjl"), "--raw"}, kExitIncomplete);
    EXPECT_EQ(j["lastError"], PAT_ERROR_REPLY_MISMATCH);
    EXPECT_EQ(j["cleaning"]["pjl"], nullptr);
    EXPECT_EQ(j["PrnInfoEx"]["dwTrayInfoCount"], 0);
}

TEST(Replay, TandemTraysAndTheZoltAnswer) {
    std::string id = "MANUFACTURER:Acme;MODEL:Acme Tandem 9;STS:10001/30005,4,Toner low;";
    Json j = ReplayJson({"--answer", Fixture("tandem-trays.pjl"), "--device-id", id}, kExitOk);
    const Json &r = j["PrnInfoEx"];
    std::vector<unsigned> trays;
    for (const Json &tray : r["pTrayInfo"]) trays.push_back(tray["wTray"]);
    EXPECT_EQ(trays, (std::vector<unsigned>{3, 4, 11, 1})) << "the tandem tray 1001 is gone after post-processing";
    std::vector<unsigned> devices;
    for (const Json &device : r["pDeviceInfo"]) devices.push_back(device["wDevice"]);
    EXPECT_EQ(devices, (std::vector<unsigned>{1002, 104}));
    EXPECT_EQ(r["pOutBinInfo"], Json::parse(R"([{"wBin":1,"wState":0},{"wBin":27,"wState":1}])"));
    EXPECT_EQ(r["pEmulUniqInfo"],
              Json::parse(R"([{"wEmulation":15,"dwMemoryUsage":1,"szOther":"STAPLER K1","dwImageRotation":2}])"));
    EXPECT_EQ(j["calls"].size(), 2u) << "the ZOLT answer goes in its own reply tree";
    EXPECT_EQ(j["calls"][1]["tree"], "ZOLT answer");
    EXPECT_EQ(r["pMakerName"], "Acme");
    EXPECT_EQ(r["pModelName"], "Acme Tandem 9");
    EXPECT_EQ(r["bStatus"], 4);
    EXPECT_EQ(r["pEngineStatus"][1]["szText"], "Toner low");
    EXPECT_EQ(j["PrnInfo"]["dwEngineStatus"], 107u + 65536u * ((10001u + 30005u) % 65536u));
}

TEST(Replay, ACutOffCaptureNamesWhatNeverEndedAndLenientAppliesTheRest) {
    Json strict = ReplayJson({"--answer", Fixture("cut-off-bins.pjl")}, kExitIncomplete);
    EXPECT_EQ(strict["missingCategories"], Json::array({"OUTBINSTATUS"}));
    EXPECT_EQ(strict["lastError"], PAT_ERROR_REPLY_MISMATCH);
    EXPECT_EQ(strict["PrnInfoEx"]["dwMemoryKB"], 0);

    Json lenient = ReplayJson({"--answer", Fixture("cut-off-bins.pjl"), "--lenient"}, kExitIncomplete);
    EXPECT_EQ(lenient["moduleResult"], 1);
    EXPECT_EQ(lenient["PrnInfoEx"]["dwMemoryKB"], 32768);
    EXPECT_EQ(lenient["PrnInfoEx"]["pSYSVersion"], "3.2");
    EXPECT_EQ(lenient["PrnInfoEx"]["pTrayInfo"][0]["wPaperSize"], 21);
    EXPECT_EQ(lenient["PrnInfoEx"]["pOutBinInfo"].size(), 1u) << "the bin line that did arrive";
    EXPECT_NE(lenient["notes"].dump().find("lenient"), std::string::npos);
}

TEST(Replay, ADeviceIdFileWithALittleEndianPrefix) {
    std::string text = "MANUFACTURER:Acme;MDL:Acme 1;";
    std::string bytes;
    bytes += static_cast<char>(text.size() + 2);
    bytes += '\0';
    bytes += text;
    std::string file = testing::TempDir() + "device-id-le.bin";
    std::ofstream(file, std::ios::binary) << bytes;
    Json j = ReplayJson({"--answer", Fixture("office-a4.pjl"), "--device-id-file", file, "--mask", "identity,config"},
                        kExitOk);
    EXPECT_EQ(j["PrnInfoEx"]["pMakerName"], "Acme");
    EXPECT_EQ(j["PrnInfoEx"]["pModelName"], "Acme 1");
    EXPECT_EQ(j["cleaning"]["deviceId"]["littleEndian"], true);
    remove(file.c_str());
}

TEST(Cli, UsageErrorsAndMissingInputsHaveTheirOwnStatus) {
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char *says;
    } cases[] = {
        {{}, kExitUsage, "subcommand"},
        {{"poll"}, kExitUsage, "pat-host poll: printer is required"},
        {{"poll", "[::1"}, kExitUsage, "missing ']'"},
        {{"poll", "p", "--mask", "trays,colour"}, kExitUsage, "--mask"},
        {{"poll", "p", "--timeout", "0"}, kExitUsage, "--timeout: must be above 0"},
        {{"poll", "p", "--idle-timeout", "-1"}, kExitUsage, "--idle-timeout"},
        {{"poll", "p", "--max-bytes", "10"}, kExitUsage, "--max-bytes"},
        {{"poll", "p", "--concurrency", "0"}, kExitUsage, "--concurrency"},
        {{"poll", "p", "--watch-count", "3"}, kExitUsage, "--watch-count requires --watch"},
        {{"poll", "p", "q", "--capture", "x"}, kExitUsage, "--capture takes one printer"},
        {{"poll", "p", "--device-id", "MFG:A;", "--usb", "/dev/usb/lp0"}, kExitUsage, "excludes"},
        {{"replay"}, kExitUsage, "--answer is required"},
        {{"replay", "--answer", Fixture("office-a4.pjl"), "--max-bytes", "300"}, kExitDataError, "larger than"},
        {{"replay", "--answer", Fixture("office-a4.pjl"), "--device-id-file", "/nonexistent/id"}, kExitNoInput,
         "device ID file"},
        {{"replay", "--answer", Fixture("office-a4.pjl"), "--tray", "70000"}, kExitUsage, "16-bit tray code"},
        {{"simulate", "--listen", "printer.example:9100"}, kExitUsage, "not an IP address"},
        {{"simulate", "--fault", "sneeze"}, kExitUsage, "--fault"},
        {{"simulate", "--profile", "/nonexistent/profile.json"}, kExitNoInput, "cannot open the profile"},
    };
    for (const auto &c : cases) {
        CliRun run = RunPatHost(c.args);
        std::string said = run.out + run.err;
        std::string line;
        for (const std::string &arg : c.args) line += arg + " ";
        EXPECT_EQ(run.exitCode, c.exitCode) << line << "\n" << said;
        EXPECT_NE(said.find(c.says), std::string::npos) << line << "\n" << said;
    }
}

TEST(Cli, QueryShowsTheTreeWithVisibleControlCharacters) {
    CliRun run = RunPatHost({"query", "--mask", "trays", "--tray", "13", "--tray", "11"});
    EXPECT_EQ(run.exitCode, kExitOk);
    EXPECT_NE(run.out.find("tag 1000  PJL query text"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("<ESC>%-12345X@PJL<CR><LF>"), std::string::npos);
    size_t first = run.out.find("@PJL INQUIRE INTRAYLCTSIZE");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(run.out.find("@PJL INQUIRE INTRAYLCTSIZE", first + 1), std::string::npos) << "asked once per listed tray";
    EXPECT_EQ(run.out.find("tag 1002"), std::string::npos) << "trays need no device ID";
    EXPECT_EQ(run.out.find("EmulUniqQueryInfo"), std::string::npos);
}

TEST(Cli, SimulatePrintsItsBuiltInProfile) {
    CliRun run = RunPatHost({"simulate", "--print-profile"});
    EXPECT_EQ(run.exitCode, kExitOk);
    EXPECT_NO_THROW(Json::parse(run.out));
}

}  // namespace
}  // namespace pathost
