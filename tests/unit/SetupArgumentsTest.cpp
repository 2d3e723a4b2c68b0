#include <gtest/gtest.h>

#include "app/SetupArguments.h"

namespace {

struct ArgumentsCase {
    const char* line;  // without the program's name
    bool silent;
    const char* logFile;
    const char* destination;  // null: none given
    const char* unknown;
};

std::string Shown(const TSetupArguments& a) {
    return std::string(a.Silent ? "silent" : "wizard") + " log[" + a.LogFile + "] dest[" +
           (a.Destination ? *a.Destination : "-") + "] unknown[" + a.Unknown + "]";
}

std::string Shown(const ArgumentsCase& c) {
    return std::string(c.silent ? "silent" : "wizard") + " log[" + c.logFile + "] dest[" +
           (c.destination ? c.destination : "-") + "] unknown[" + c.unknown + "]";
}

}  // namespace

TEST(SetupArguments, AllowDowngradeInAnyCaseBeforeTheDestination) {
    EXPECT_TRUE(ParseSetupArguments("/S /allowDowngrade /D=C:\\X").AllowDowngrade);
    EXPECT_FALSE(ParseSetupArguments("/S /D=C:\\X /ALLOWDOWNGRADE").AllowDowngrade);  // part of the path
    EXPECT_EQ(ParseSetupArguments("/ALLOWDOWNGRADE=1").Unknown, "/ALLOWDOWNGRADE=1");
}

TEST(SetupArguments, SwitchesInAnyCaseWithTheDestinationTakingTheRestOfTheLine) {
    const ArgumentsCase cases[] = {
        {"", false, "", nullptr, ""},
        {"   ", false, "", nullptr, ""},
        {"/S", true, "", nullptr, ""},
        {"/s /log=C:\\setup.log", true, "C:\\setup.log", nullptr, ""},
        {"/LOG=\"C:\\my logs\\setup.log\" /S", true, "C:\\my logs\\setup.log", nullptr, ""},
        {"/S /D=C:\\Program Files\\My Product", true, "", "C:\\Program Files\\My Product", ""},
        {"/D=C:\\a  b\\ /S  ", false, "", "C:\\a  b\\ /S", ""},  // the rest as it stands, trailing blanks cut
        {"/S \"/D=C:\\Program Files\\X\"", true, "", "C:\\Program Files\\X", ""},
        {"/S /D=\"C:\\Program Files\\X\"", true, "", "C:\\Program Files\\X", ""},
        {"/S /D=", true, "", nullptr, "/D="},
        {"/X /S /LOG=f.log", true, "f.log", nullptr, "/X"},  // the log still hears of it
        {"/LOG=", false, "", nullptr, "/LOG="},
        {"/SILENT", false, "", nullptr, "/SILENT"},
        {"S", false, "", nullptr, "S"},
    };
    for (const ArgumentsCase& c : cases) EXPECT_EQ(Shown(ParseSetupArguments(c.line)), Shown(c)) << c.line;
}

TEST(SetupArguments, TheProgramsNameIsLeftOutQuotedOrNot) {
    EXPECT_EQ(ArgumentsOf("\"C:\\My CD\\Setup.exe\" /S /D=C:\\x y"), "/S /D=C:\\x y");
    EXPECT_EQ(ArgumentsOf("Setup.exe   /S"), "/S");
    EXPECT_EQ(ArgumentsOf("Setup.exe"), "");
    EXPECT_EQ(UnknownArgumentText("/X").rfind("Unknown argument: /X\r\n", 0), 0u);
}

TEST(SetupArguments, TheDestinationIsADriveOrShareWithoutItsTrailingBackslash) {
    const struct {
        const char* Full;       // as the system resolved "/D="
        const char* Canonical;  // null: not understood
    } cases[] = {
        {"C:\\Program Files\\X\\", "C:\\Program Files\\X"}, {"C:\\X\\\\", "C:\\X"},
        {"C:\\", "C:\\"},                                   {"\\\\server\\share\\X\\", "\\\\server\\share\\X"},
        {"\\\\server\\share", "\\\\server\\share"},         {"", nullptr},
        {"\\\\?\\C:\\X", nullptr},                          {"\\\\.\\COM1", nullptr},
        {"\\\\server", nullptr},                            {"C:\\X\\a:b", nullptr},
        {"C:\\X\\a|b", nullptr},                            {"C:\\X\\a\"b", nullptr},
        {"X\\Y", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> canonical = CanonicalDestination(c.Full);
        EXPECT_EQ(canonical.value_or("(none)"), c.Canonical ? c.Canonical : "(none)") << c.Full;
    }
}

TEST(SetupArguments, LangNamesTheWizardsLanguage) {
    EXPECT_EQ(ParseSetupArguments("/lang=French /S").Language, "French");
    EXPECT_EQ(ParseSetupArguments("\"/LANG=Portuguese (Brazil)\" /D=C:\\x").Language, "Portuguese (Brazil)");
    const TSetupArguments empty = ParseSetupArguments("/LANG=");
    EXPECT_EQ(empty.Language, "");
    EXPECT_EQ(empty.Unknown, "/LANG=");
}
