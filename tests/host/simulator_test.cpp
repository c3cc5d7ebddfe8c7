// The simulated printer's own parts: its command reader, its answers and its
// profile checks.
#include <gtest/gtest.h>

#include "simulator/answers.h"
#include "simulator/command_reader.h"
#include "simulator/profile.h"

namespace pathost::sim {
namespace {

TEST(CommandReader, CommandLinesAcrossChunksWithExitSequencesAndDataAround) {
    CommandReader reader;
    std::vector<Command> commands = reader.Feed("\x1B%-12345X@PJL\r\n@pjl info con");
    EXPECT_TRUE(commands.empty());
    commands = reader.Feed("fig\r\nprint data, not a command\r\n  @PJL INQUIRE INTRAY1SIZE  \n@PJL ECHO Hello There\r\n");
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].verb, "INFO");
    EXPECT_EQ(commands[0].argument, "CONFIG");
    EXPECT_EQ(commands[1].argument, "INTRAY1SIZE");
    EXPECT_EQ(commands[2].verb, "ECHO");
    EXPECT_EQ(commands[2].argument, "Hello There");
    EXPECT_TRUE(reader.Feed("@PJLX INFO CONFIG\r\n").empty());
}

TEST(CommandReader, AnEndlessLineIsNotKept) {
    CommandReader reader;
    EXPECT_TRUE(reader.Feed(std::string(1 << 20, 'A')).empty());
    EXPECT_EQ(reader.Feed("\n@PJL INFO ZOLT\n").size(), 1u);
}

TEST(SimulatedAnswers, OneBlockPerCommandFromTheProfile) {
    Profile p = DefaultProfile();
    const struct {
        Command command;
        const char *answer;
    } cases[] = {
        {{"INQUIRE", "INTRAY2SIZE"}, "@PJL INQUIRE INTRAY2SIZE\r\nLETTERSRT\r\n\f"},
        {{"INQUIRE", "INTRAY2QUANT"}, "@PJL INQUIRE INTRAY2QUANT\r\n3/5\r\n\f"},
        {{"INQUIRE", "INTRAY2"}, "@PJL INQUIRE INTRAY2\r\nLOCKED\r\n\f"},
        {{"INQUIRE", "INTRAYMSIZE"}, "@PJL INQUIRE INTRAYMSIZE\r\nA5LONG\r\n\f"},
        {{"INQUIRE", "INTRAYMULTI"}, "@PJL INQUIRE INTRAYMULTI\r\nUNLOCKED\r\n\f"},
        {{"INQUIRE", "INTRAY7SIZE"}, "@PJL INQUIRE INTRAY7SIZE\r\n?\r\n\f"},
        {{"INQUIRE", "PRINTERMARKINGTYPE"}, "@PJL INQUIRE PRINTERMARKINGTYPE\r\nCOPYGUARD\r\n\f"},
        {{"INFO", "OUTBINSTATUS"}, "@PJL INFO OUTBINSTATUS\r\nUPPER=READY\r\nLOWER=PAPEREXIST\r\nFINISHERSHIFT=FULL\r\n\f"},
        {{"INFO", "ZOLT"}, "@PJL INFO ZOLT\r\nMEMORYUSAGE=USER\r\nOTHER=\"DUPLEX UNIT\"\r\nIMAGEROTATION=POSSIBLE\r\n\f"},
        {{"INFO", "PAGECOUNT"}, "@PJL INFO PAGECOUNT\r\n?\r\n\f"},
        {{"ECHO", "PATHOST-1"}, "@PJL ECHO PATHOST-1\r\n\f"},
        {{"ENTER", "LANGUAGE"}, ""},
    };
    for (const auto &c : cases) EXPECT_EQ(AnswerTo(c.command, p), c.answer) << c.command.argument;
    std::string config = AnswerTo({"INFO", "CONFIG"}, p);
    EXPECT_NE(config.find("IN TRAYS [5 ENUMERATED]\r\n\tINTRAY1\r\n"), std::string::npos) << config;
    EXPECT_NE(config.find("IN TRAYS ATTRIBUTE [2 ENUMERATED]\r\n\tINTRAY3 STANDARD\r\n\tINTRAYLCT STANDARD\r\n"),
              std::string::npos);
    EXPECT_NE(config.find("\tFIRMWARE 2.14.1\r\n"), std::string::npos);
    EXPECT_NE(config.find("MEMORY=268435456\r\n\f"), std::string::npos);
}

TEST(Profile, EveryMistakeNamesItsField) {
    const struct {
        const char *json;
        const char *field;
    } cases[] = {
        {"[1]", "profile: must be an object"},
        {"{\"colour\": 1}", "colour: is not a profile field"},
        {"{\"trays\": [{\"name\": \"INTRAY9\", \"paper\": \"A4SRT\"}]}", "trays[0].name"},
        {"{\"trays\": [{\"name\": \"INTRAY1\"}]}", "trays[0].paper"},
        {"{\"trays\": [{\"name\": \"INTRAY1\", \"paper\": \"A4SRT\", \"level\": 55}]}", "trays[0].level"},
        {"{\"trays\": [{\"name\": \"INTRAY1\", \"paper\": \"A4SRT\", \"locked\": 1}]}", "trays[0].locked"},
        {"{\"trays\": [{\"name\": \"INTRAY1\", \"paper\": \"A4 SRT\"}]}", "trays[0].paper"},
        {"{\"trays\": [{\"name\": \"INTRAY1\", \"paper\": \"A4\"}, {\"name\": \"INTRAY1\", \"paper\": \"A4\"}]}",
         "trays[1].name"},
        {"{\"model\": \"a\\r\\nb\"}", "model: must not hold control characters"},
        {"{\"bins\": [{\"name\": \"UPPER\"}]}", "bins[0].state"},
        {"{\"memoryBytes\": 5000000000}", "memoryBytes"},
        {"{\"status\": {\"codes\": [-1]}}", "status.codes"},
        {"{\"versions\": [{\"version\": \"1\"}]}", "versions[0].name"},
        {"{", "not JSON"},
        {"{\"zolt\": {\"memoryUsag\": \"USER\"}}", "zolt.memoryUsag: is not a profile field"},
        {"{\"trays\": [{\"name\": \"INTRAY1\", \"paper\": \"A4\", \"levle\": 20}]}", "trays[0].levle: is not"},
        {"{\"model\": \"a\", \"model\": \"b\"}", "model: is given twice"},
        {"{\"deviceId\": \"MFG:A;\\u0000MDL:B;\"}", "deviceId: holds a NUL byte"},
        {"{\"status\": {\"state\": 1e999}}", "status.state: the number is out of range"},
    };
    for (const auto &c : cases) {
        auto parsed = ParseProfile(c.json);
        ASSERT_FALSE(parsed) << c.json << " was accepted";
        EXPECT_EQ(parsed.error().kind, OutcomeKind::DataError);
        EXPECT_NE(parsed.error().message.find(c.field), std::string::npos) << parsed.error().message;
    }
}

TEST(Profile, DeviceIdCarriesItsLengthAndTheLongKeys) {
    Profile p = DefaultProfile();
    std::string bytes = DeviceIdBytes(p);
    ASSERT_GT(bytes.size(), 2u);
    EXPECT_EQ((static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]), bytes.size());
    EXPECT_EQ(bytes.substr(2, 18), "MANUFACTURER:Acme;");
    p.deviceId = "MFG:X;";
    EXPECT_EQ(DeviceIdBytes(p), std::string("\x00\x08MFG:X;", 8));
}

}  // namespace
}  // namespace pathost::sim
