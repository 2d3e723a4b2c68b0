#include <gtest/gtest.h>

#include "shell/ComponentNames.h"
#include "shell/IniLine.h"

TEST(IniLine, SplitsAtTheFirstEqualsSignAndTrimsNothing) {
    EXPECT_EQ(IniKeyOf("Top=12"), "Top");
    EXPECT_EQ(IniValueOf("Top=12"), "12");
    EXPECT_EQ(IniKeyOf("a=b=c"), "a");
    EXPECT_EQ(IniValueOf("a=b=c"), "b=c");
    EXPECT_EQ(IniKeyOf(" Left = 3 "), " Left ");
    EXPECT_EQ(IniValueOf(" Left = 3 "), " 3 ");
    EXPECT_EQ(IniKeyOf("=x"), "");
    EXPECT_EQ(IniValueOf("x="), "");
}

TEST(IniLine, LineWithoutEqualsSignIsAllValue) {
    EXPECT_EQ(IniKeyOf("[Section]"), "");
    EXPECT_EQ(IniValueOf("[Section]"), "[Section]");
    EXPECT_EQ(IniKeyOf(""), "");
    EXPECT_EQ(IniValueOf(""), "");
}

TEST(ComponentNames, CountUpFromOneAcrossTheProcess) {
    const std::string first = NewComponentName();
    ASSERT_EQ(first.rfind("Tarnwick", 0), 0u);
    const int n = std::stoi(first.substr(8));
    EXPECT_GE(n, 1);
    EXPECT_EQ(NewComponentName(), "Tarnwick" + std::to_string(n + 1));
    EXPECT_EQ(NewComponentName(), "Tarnwick" + std::to_string(n + 2));
}
