// The setup description reader: block structure, file order, and what the
// "Setup" block's keys do to the settings.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/SetupIni.h"
#include "app/SetupKeys.h"
#include "app/SetupSettings.h"
#include "app/SetupValueBounds.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"

namespace {

// Reads the lines and records every handed-over line as "<block>:<line>".
std::vector<std::string> Blocks(const std::string& text) {
    std::vector<std::string> seen;
    TSetupIniHandlers handlers;
    handlers.Setup = [&](const std::string& line) { seen.push_back("Setup:" + line); };
    handlers.Toolweb = [&](const std::string& line) { seen.push_back("Toolweb:" + line); };
    handlers.Panel = [&](const std::string& line) { seen.push_back("Panel:" + line); };
    handlers.Button = [&](TButtonRole role, const std::string& line) {
        const char* names[] = {"Cancel", "Forward", "Back"};
        seen.push_back(std::string(names[int(role)]) + ":" + line);
    };
    TStringList lines;
    lines.SetText(text);
    ApplySetupLines(lines, handlers);
    return seen;
}

using Lines = std::vector<std::string>;

std::unique_ptr<TSetupSettings> SettingsFrom(const std::vector<std::string>& entries) {
    auto settings = std::make_unique<TSetupSettings>();
    for (const std::string& line : entries) ApplySetupEntry(*settings, line);
    return settings;
}

}  // namespace

TEST(SetupIniReader, ReadsBlocksInFileOrderAndSkipsTopLevelLines) {
    EXPECT_EQ(Blocks("[Setup Description]\r\n"
                     "Top=1\r\n"
                     "Object=Panel\r\nBitmap=Graphics\\Window.bmp\r\nend\r\n"
                     "Comment=between\r\n"
                     "Object=Setup\r\nSiteletTitle=Tool\r\nAddfile=a\r\nend\r\n"
                     "Object=Toolweb\nTop=20\nend\n"
                     "Object=Setup\rAddfile=b\rend"),
              (Lines{"Panel:Bitmap=Graphics\\Window.bmp", "Setup:SiteletTitle=Tool", "Setup:Addfile=a", "Toolweb:Top=20",
                     "Setup:Addfile=b"}));
}

TEST(SetupIniReader, NeverExaminesTheFirstLine) {
    EXPECT_EQ(Blocks("Object=Setup\r\nSiteletTitle=Lost\r\nend\r\n"), Lines{});
    EXPECT_EQ(Blocks("anything\r\nObject=Setup\r\nSiteletTitle=Kept\r\nend\r\n"), Lines{"Setup:SiteletTitle=Kept"});
}

TEST(SetupIniReader, ComparesKeysTypesAndEndExactly) {
    // Blanks around "=", lower case and unknown types open nothing; their lines are top-level lines.
    EXPECT_EQ(Blocks("x\nObject = Setup\nTop=1\nend\nobject=Setup\nTop=2\nend\nObject=setup\nTop=3\nend\n"
                     "Object=Window\nObject=Panel\nBitmap=a\nend\n"),
              Lines{"Panel:Bitmap=a"});
    // Only a line that is exactly "end" closes a block; " end" and "End" are entries.
    EXPECT_EQ(Blocks("x\nObject=Setup\n end\nEnd\nend \nend\n"), (Lines{"Setup: end", "Setup:End", "Setup:end "}));
}

TEST(SetupIniReader, ButtonBlocksTakeTheirRoleFromTheSecondLine) {
    EXPECT_EQ(Blocks("x\nObject=Button\nName=b1\nRole=Forward\nTop=5\nend\n"
                     "Object=Button\nName=b2\nWhatever=Back\nLeft=7\nend\n"
                     "Object=Button\nName=b3\nKind=Cancel\nend\n"),
              (Lines{"Forward:Name=b1", "Forward:Role=Forward", "Forward:Top=5", "Back:Name=b2", "Back:Whatever=Back",
                     "Back:Left=7", "Cancel:Name=b3", "Cancel:Kind=Cancel"}));
    // An unknown role opens nothing: its lines are scanned as top-level lines.
    EXPECT_EQ(Blocks("x\nObject=Button\nName=b\nRole=Help\nObject=Panel\nBitmap=p\nend\n"), Lines{"Panel:Bitmap=p"});
}

TEST(SetupIniReader, RunningPastTheLastLineIsTheListIndexError) {
    const std::string pastTheEnd = "Der Index der Liste überschreitet das Maximum (4)";
    EXPECT_EQ(MessageOf([] { Blocks("x\nObject=Setup\nTop=1\nLeft=2\n"); }), pastTheEnd);
    EXPECT_THROW(Blocks("x\nObject=Setup\nTop=1\nLeft=2\n"), EListError);
    // The role line of a "Button" block two lines below its "Object" line.
    EXPECT_EQ(MessageOf([] { Blocks("x\ny\nz\nObject=Button\nName=b\n"); }), "Der Index der Liste überschreitet das Maximum (5)");
    // A "Button" line with its role line present but no "end".
    EXPECT_EQ(MessageOf([] { Blocks("x\nObject=Button\nName=b\nRole=Back\n"); }), pastTheEnd);
}

TEST(SetupIniReader, TellsTheNumberAndKindOfEveryLineItActsOn) {
    // "<number><T|O|E>" for top-level, "Object" and entry lines, and the handler's line after an entry.
    std::string told;
    TSetupIniHandlers handlers;
    handlers.Setup = [&](const std::string& line) { told += "(" + line + ")"; };
    handlers.Button = [&](TButtonRole, const std::string& line) { told += "(" + line + ")"; };
    handlers.Examine = [&](int32_t number, TSetupIniLineKind kind) {
        told += " " + std::to_string(number) + "TOE"[int(kind)];
    };
    TStringList lines;
    lines.SetText("Object=Setup\r\nA=1\rend\nObject=Setup\nB=2\nend\n"
                  "Object=Button\nName=x\nRole=Help\nend\nObject=Button\nName=y\nRole=Back\nend\n");
    ApplySetupLines(lines, handlers);
    EXPECT_EQ(told, " 2T 3T 4O 5E(B=2) 7O 8T 9T 10T 11O 12E(Name=y) 13E(Role=Back)");
}

TEST(SetupIniReader, MissingFileIsTheFrameworksOpenError) {
    ScratchFolder scratch;
    const std::string name = scratch / "Setup.ini";
    EXPECT_EQ(MessageOf([&] { ReadSetupIni(name, {}); }), "Datei " + name + " kann nicht geöffnet werden");
    WriteFile(name, "x\r\nObject=Setup\r\nSiteletTitle=From file\r\nend\r\n");
    std::string title;
    TSetupIniHandlers handlers;
    handlers.Setup = [&](const std::string& line) { title = line; };
    ReadSetupIni(name, handlers);
    EXPECT_EQ(title, "SiteletTitle=From file");
}

// Setup.ini and the licence are Windows-1252 as kelpack packs Western texts,
// or UTF-8 after a byte-order mark; either way the wizard gets the same UTF-8.
TEST(SetupIniReader, TheDescriptionAndTheLicenceAreWindows1252OrMarkedUtf8) {
    const struct {
        const char* What;
        std::string Title;  // as the file holds it
        std::string Utf8;
    } cases[] = {
        {"Windows-1252", "Gr\xFC\xDF" "e \x80 Caf\xE9", "Grüße € Café"},
        {"UTF-8 after a mark", "\xEF\xBB\xBFЗаметки 日本 😀", "Заметки 日本 😀"},
        {"Western UTF-8 after a mark", "\xEF\xBB\xBFGrüße", "Grüße"},
        {"UTF-8 without a mark is taken for Windows-1252", "Gr\xC3\xBC", "GrÃ¼"},
    };
    for (const auto& c : cases) {
        ScratchFolder scratch;
        const std::string mark = c.Title.starts_with("\xEF\xBB\xBF") ? "\xEF\xBB\xBF" : "";
        WriteFile(scratch / "Setup.ini", mark + "title\r\nObject=Setup\r\nSiteletTitle=" + c.Title.substr(mark.size()) + "\r\nend\r\n");
        std::string title;
        TSetupIniHandlers handlers;
        handlers.Setup = [&](const std::string& line) { title = line; };
        ReadSetupIni(scratch / "Setup.ini", handlers);
        EXPECT_EQ(title, "SiteletTitle=" + c.Utf8) << c.What;
        WriteFile(scratch / "Licence.txt", c.Title + "\r\n");
        EXPECT_EQ(ReadText8File(scratch / "Licence.txt", 1000), c.Utf8 + "\r\n") << c.What;
    }
}

TEST(SetupEntries, FillTheSettingsAndLaterEntriesWin) {
    const auto s = SettingsFrom({"SiteletTitle=Tool", "SiteletTitle=Tool 2", "TargetFile=bin\\tool.exe",
                                           "Language=German", "Licence=Licence.txt", "Destination=Maker\\Tool",
                                           "Folder=Maker Tool", "ReadMe=ReadMe.txt", "Description=a=b=c",
                                           "Method=zip", "Icon=x.ico", "Encrypted=1", "SetupName=S", "ControlPanel=c",
                                           "Unknown=1"});
    EXPECT_EQ(s->SiteletTitle, "Tool 2");
    EXPECT_EQ(s->TargetFile, "bin\\tool.exe");
    EXPECT_EQ(s->Language, "German");
    EXPECT_EQ(s->Licence, "Licence.txt");
    EXPECT_EQ(s->Destination, "Maker\\Tool");
    EXPECT_EQ(s->Folder, "Maker Tool");
    EXPECT_EQ(s->ReadMe, "ReadMe.txt");
    EXPECT_EQ(SettingsFrom({"Folder=a=b"})->Folder, "a=b");
    EXPECT_EQ(SettingsFrom({"SiteletTitle =x"})->SiteletTitle, "");
}

TEST(SetupEntries, AddfileAddsOneFilePerEntryInOrder) {
    const auto s = SettingsFrom({"Addfile=tool.exe", "Addfile=Graphics\\logo.bmp", "Addfile=tool.exe"});
    EXPECT_EQ(s->AddFiles.Lines(), (Lines{"tool.exe", "Graphics\\logo.bmp", "tool.exe"}));
}

TEST(SetupEntries, FlagsAreTrueOnlyForOne) {
    for (const char* value : {"yes", "true", "", " 1", "2", "01"}) {
        EXPECT_FALSE(SettingsFrom({std::string("LaunchProg=") + value})->LaunchProg) << value;
        EXPECT_FALSE(SettingsFrom({std::string("DesktopIcon=") + value})->DesktopIcon) << value;
    }
    EXPECT_TRUE(SettingsFrom({"LaunchProg=1"})->LaunchProg);
    EXPECT_TRUE(SettingsFrom({"DesktopIcon=1"})->DesktopIcon);
    EXPECT_FALSE(SettingsFrom({"LaunchProg=1", "LaunchProg=0"})->LaunchProg);
}

TEST(SetupEntries, FontKeysChangeTheTextFontFromItsDefaults) {
    const TSetupSettings plain;
    EXPECT_EQ(plain.TextFont.Name(), "MS Sans Serif");
    EXPECT_EQ(plain.TextFont.Size(), 8);
    EXPECT_EQ(plain.TextFont.Style(), 0);
    EXPECT_EQ(plain.TextFont.Color(), clWindowText);
    EXPECT_EQ(plain.TextBoxColor, 0);

    const auto s = SettingsFrom({"Fontname=Tahoma", "Fontheight=-16", "Fontcolor=$00FF0000",
                                           "TextBoxColor=0xFFFFFF", "Fontstyle=Bold", "Fontstyle=Italic"});
    EXPECT_EQ(s->TextFont.Name(), "Tahoma");
    EXPECT_EQ(s->TextFont.Height(), -16);
    EXPECT_EQ(s->TextFont.Color(), 0xFF0000);
    EXPECT_EQ(s->TextBoxColor, 0xFFFFFF);
    EXPECT_EQ(s->TextFont.Style(), fsItalic) << "a later style replaces an earlier one";
    EXPECT_EQ(SettingsFrom({"Fontstyle=Underline"})->TextFont.Style(), fsUnderline);
    EXPECT_EQ(SettingsFrom({"Fontstyle=StrikeOut"})->TextFont.Style(), fsStrikeOut);
    EXPECT_EQ(SettingsFrom({"Fontstyle=Bold", "Fontstyle=bold"})->TextFont.Style(), 0);
    EXPECT_EQ(SettingsFrom({"Fontcolor=-2147483640"})->TextFont.Color(), SystemColor(8));
}

TEST(SetupEntries, NumbersThatAreNotNumbersEndTheStartUp) {
    EXPECT_EQ(MessageOf([] { SettingsFrom({"TextBoxColor=20 "}); }), "'20 ' ist kein gültiger Integerwert");
    EXPECT_EQ(MessageOf([] { SettingsFrom({"AlphaColor=pink"}); }), "'pink' ist kein gültiger Integerwert");
    EXPECT_THROW(SettingsFrom({"Fontheight="}), EConvertError);
    EXPECT_NO_THROW(SettingsFrom({"AlphaColor=$FF00FF"}));
}

TEST(SetupEntries, PlacesOutsideTheirFolderEndTheStartUp) {
    const struct {
        const char* Line;
        bool Refused;
    } cases[] = {
        {"Addfile=..\\evil.dll", true},        {"Addfile=bin\\..\\x.dll", true}, {"Addfile=C:\\Windows\\x.dll", true},
        {"Addfile=\\Windows\\x.dll", true},   {"Addfile=/etc/x", true},           {"Addfile=x.dll:stream", true},
        {"Folder=..\\..\\Startup", true},      {"Folder=\\Startup", true},         {"Folder=D:Group", true},
        {"Folder=Vendor\\..\\..\\Up", true},   {"Addfile=bin\\tool.exe", false},   {"Addfile=bin/tool.exe", false},
        {"Folder=Vendor\\Product", false},      {"Folder=Vendor\\..\\Product", false}, {"Addfile=..x.dll", false},
        {"Scope=Everyone", true},               {"Scope=user", true},                {"Scope=", true},
        {"Scope=User", false},                  {"Scope=Machine", false},
    };
    for (const auto& c : cases) {
        if (c.Refused) EXPECT_THROW(SettingsFrom({c.Line}), Exception) << c.Line;
        else EXPECT_NO_THROW(SettingsFrom({c.Line})) << c.Line;
    }
}

TEST(SetupEntries, TheKeyTableKnowsWhichSetupKeysAreNumbers) {
    for (const TSetupKey& key : SetupKeysOf(TSetupBlock::Setup)) {
        const std::string line = std::string(key.Name) + "=not a number";
        if (key.Value == TSetupValue::Number) {
            EXPECT_THROW(SettingsFrom({line}), EConvertError) << key.Name;
        } else if (RefusedSetupValue(key.Name, "not a number").empty()) {
            EXPECT_NO_THROW(SettingsFrom({line})) << key.Name;
        }
    }
}

TEST(SetupSettings, BlankLicenceAndReadMeMeanNone) {
    EXPECT_FALSE(SettingsFrom({"Licence=   "})->HasLicence());
    EXPECT_TRUE(SettingsFrom({"Licence= a "})->HasLicence());
    EXPECT_FALSE(SettingsFrom({"ReadMe= "})->HasReadMe());
    EXPECT_TRUE(SettingsFrom({"ReadMe=ReadMe.txt"})->HasReadMe());
}
