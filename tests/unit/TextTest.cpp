// Integer reading and line lists: the framework's conversions that the setup
// description relies on.
#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"

TEST(StrToInt, ReadsDecimalAndBothHexadecimalForms) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("368"), 368);
    EXPECT_EQ(StrToInt("  -12"), -12);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("$20"), 32);
    EXPECT_EQ(StrToInt("0x20"), 32);
    EXPECT_EQ(StrToInt("$00FF00ff"), 0xFF00FF);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
}

TEST(StrToInt, RejectsEverythingElseNamingTheText) {
    for (const char* text : {"", " ", "20 ", "1e3", "$", "0x", "-", "12a", "2147483648", "$100000000", "\t5", "5\r"})
        EXPECT_EQ(MessageOf([&] { StrToInt(text); }), std::string("'") + text + "' ist kein gültiger Integerwert")
            << text;
}

TEST(StringList, SplitsAtEveryKindOfLineBreak) {
    TStringList list;
    list.SetText("a\r\nb\rc\nd");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a", "b", "c", "d"}));
    list.SetText("a\r\n\r\nb\n");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a", "", "b"}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(MessageOf([&] { list.Get(0); }), "Der Index der Liste überschreitet das Maximum (0)");
}

TEST(StringList, SavesWithCrLfAfterEveryLineAndReplacesTheFile) {
    ScratchFolder scratch;
    const std::string name = scratch / "list.txt";
    WriteFile(name, "old content that is longer than the new one");
    TStringList list;
    list.Add("first");
    list.Add("");
    list.Add("last");
    list.SaveToFile(name);
    EXPECT_EQ(ReadFile(name), "first\r\n\r\nlast\r\n");
    TStringList back;
    back.LoadFromFile(name);
    EXPECT_EQ(back.Lines(), list.Lines());
}
