// The values the command line takes apart: printer addresses and masks.
#include <gtest/gtest.h>

#include "module/mask.h"
#include "poll/query_plan.h"
#include "transport/target.h"

namespace pathost {
namespace {

TEST(ParseTarget, HostsPortsAndIpv6) {
    const struct {
        const char *text;
        const char *host;
        uint16_t port;
        const char *label;
    } good[] = {
        {"printer", "printer", 9100, "printer:9100"},
        {"10.0.0.7:515", "10.0.0.7", 515, "10.0.0.7:515"},
        {"[::1]:9101", "::1", 9101, "[::1]:9101"},
        {"[fe80::1]", "fe80::1", 9100, "[fe80::1]:9100"},
        {"fe80::2", "fe80::2", 9100, "[fe80::2]:9100"},
    };
    for (const auto &c : good) {
        std::string error;
        std::optional<Target> target = ParseTarget(c.text, kRawPrintPort, &error);
        ASSERT_TRUE(target.has_value()) << c.text << ": " << error;
        EXPECT_EQ(target->host, c.host);
        EXPECT_EQ(target->port, c.port);
        EXPECT_EQ(target->Label(), c.label);
    }
    for (const char *bad : {"", ":9100", "printer:", "printer:0", "printer:65536", "printer:-1", "printer:9x", "[::1",
                            "[::1]9100", "[]:1"}) {
        std::string error;
        EXPECT_FALSE(ParseTarget(bad, kRawPrintPort, &error).has_value()) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    std::string error;
    EXPECT_EQ(ParseTarget("127.0.0.1:0", kRawPrintPort, &error, true)->port, 0) << "a listener may ask for any port";
}

TEST(ParseMask, NumbersAndNames) {
    const struct {
        const char *text;
        std::optional<uint32_t> mask;
    } cases[] = {
        {"0x8", PAT_CAT_INTRAYS},
        {"24", PAT_CAT_INTRAYS | PAT_CAT_OUTBINS},
        {"trays,bins", PAT_CAT_INTRAYS | PAT_CAT_OUTBINS},
        {"all", kAllCategories},
        {"identity,engine,status", kDeviceIdCategories},
        {"0", 0u},
        {"trays,", std::nullopt},
        {"Trays", std::nullopt},
        {"0x100000000", std::nullopt},
        {"12abc", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &c : cases) EXPECT_EQ(ParseMask(c.text), c.mask) << c.text;
}

}  // namespace
}  // namespace pathost
