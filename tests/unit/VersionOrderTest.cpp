#include <gtest/gtest.h>

#include "app/VersionOrder.h"

namespace {

struct OrderCase {
    const char* a;
    const char* b;
    int order;  // of a against b
};

}  // namespace

TEST(VersionOrder, DottedNumbersWithMissingPartsAsZeroAndTextAsText) {
    const OrderCase cases[] = {
        {"1.10", "1.9", 1},
        {"2", "2.0.0", 0},
        {"2.0.1", "2", 1},
        {"1.0", "1.0.0.0.1", -1},
        {"007", "7", 0},
        {"1.2", " 1 . 2 ", 0},
        {"99999999999999999999.1", "99999999999999999998.9", 1},  // beyond any integer type
        {"1.0b", "1.0a", 1},    // text against text
        {"1.0a", "1.0", 1},     // "0a" is text: after "0"
        {"1.x", "1.10", 1},     // "x" against "10" as text
        {"1.2.", "1.2", 0},     // an empty last part is missing
        {"", "0", 0},
        {"", "", 0},
    };
    for (const OrderCase& c : cases) {
        EXPECT_EQ(CompareVersions(c.a, c.b), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(CompareVersions(c.b, c.a), -c.order) << c.b << " vs " << c.a;
    }
}

TEST(VersionOrder, AMeetingIsAnUpgradeUnlessBothVersionsSayOtherwise) {
    using enum TVersionMeeting;
    EXPECT_EQ(MeetVersions(std::nullopt, "2.0"), vmFresh);
    EXPECT_EQ(MeetVersions("1.9", "1.10"), vmUpgrade);
    EXPECT_EQ(MeetVersions("1.10", "1.10.0"), vmRepair);
    EXPECT_EQ(MeetVersions("1.10", "1.9"), vmDowngrade);
    EXPECT_EQ(MeetVersions("", "1.0"), vmUpgrade);
    EXPECT_EQ(MeetVersions("3.0", " "), vmUpgrade);
}
