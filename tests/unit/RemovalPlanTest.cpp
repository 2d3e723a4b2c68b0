// The plan of removal read from a setup log: which log is accepted, what is
// removed in which order and what waits for the uninstaller's end, which
// lines are left alone; how the uninstaller words the outcome and what is
// wrong with a log in either language, which language is chosen, and which
// arguments are understood.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/RemovalPlan.h"
#include "uninstall/UninstallArguments.h"
#include "uninstall/UninstallTexts.h"
#include "tests/support/ScratchFolder.h"

#ifndef _WIN32
#include <unistd.h>

#include "platform/FileSystem.h"
#include "platform/posix/NativePath.h"
#endif

void PrintTo(const TLeftOver& item, std::ostream* out) { *out << item.Item << " (reason " << int(item.Reason) << ")"; }

namespace {

constexpr const char* kLog = "C:\\Program Files\\Larkspur\\Notes\\setup.log";
constexpr const char* kProgram = "C:\\Program Files\\Larkspur\\Notes\\Uninstall.exe";

TStringList Lines(const std::vector<std::string>& lines) {
    TStringList list;
    for (const std::string& line : lines) list.Add(line);
    return list;
}

TRemovalPlan PlanOf(const std::vector<std::string>& lines) { return PlanOfLog(Lines(lines), kLog, kProgram).value(); }

// The steps as "kind path" lines, for whole-plan comparisons.
std::vector<std::string> StepsOf(const std::vector<TRemovalStep>& steps) {
    std::vector<std::string> lines;
    for (const TRemovalStep& step : steps) {
        const char* kind = "";
        switch (step.Kind) {
            case TRemovalKind::File: kind = "file"; break;
            case TRemovalKind::Folder: kind = "folder"; break;
            case TRemovalKind::RegistryKey: kind = "key"; break;
            case TRemovalKind::Log: kind = "log"; break;
        }
        lines.push_back(std::string(kind) + " " + step.Path);
    }
    return lines;
}
std::vector<std::string> StepsOf(const TRemovalPlan& plan) { return StepsOf(plan.Steps); }

}  // namespace

TEST(RemovalPlan, ATypicalLogIsUndoneNewestFirstAndTheUninstallersPlaceWhenItHasEnded) {
    const TRemovalPlan plan = PlanOf({
        "SetupLOG",
        "NAME=Larkspur Notes",
        "KEY=Larkspur Notes",
        "LINK=C:\\Users\\Me\\Desktop\\Larkspur Notes.lnk",
        "LINK=C:\\Menu\\Larkspur Notes\\Uninstall.lnk",
        "LINK=C:\\Menu\\Larkspur Notes\\Larkspur Notes.lnk",
        "DIRECTORY=C:\\Menu\\Larkspur Notes",
        "COPYFILE=C:\\Program Files\\Larkspur\\Notes\\UNINSTALL.EXE",
        "COPYFILE=C:\\Program Files\\Larkspur\\Notes\\Data\\Help.txt",
        "DIRECTORY=C:\\Program Files\\Larkspur\\Notes\\Data",
        "COPYFILE=C:\\Program Files\\Larkspur\\Notes\\LarkNotes.exe",
        "DIRECTORY=c:\\program files\\larkspur\\notes\\",
        "DIRECTORY=C:\\Program Files\\Larkspur\\Notes2",
        "DIRECTORY=C:\\Program Files\\Larkspur",
    });
    EXPECT_EQ(plan.Name, "Larkspur Notes");
    EXPECT_EQ(StepsOf(plan), (std::vector<std::string>{
                                 "file C:\\Users\\Me\\Desktop\\Larkspur Notes.lnk",
                                 "file C:\\Menu\\Larkspur Notes\\Uninstall.lnk",
                                 "file C:\\Menu\\Larkspur Notes\\Larkspur Notes.lnk",
                                 "folder C:\\Menu\\Larkspur Notes",
                                 "file C:\\Program Files\\Larkspur\\Notes\\Data\\Help.txt",
                                 "folder C:\\Program Files\\Larkspur\\Notes\\Data",
                                 "file C:\\Program Files\\Larkspur\\Notes\\LarkNotes.exe",
                                 "folder C:\\Program Files\\Larkspur\\Notes2",  // beside the log's folder, not above it
                                 "key SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Larkspur Notes",
                                 std::string("log ") + kLog,
                             }));
    EXPECT_EQ(StepsOf(plan.AfterExit), (std::vector<std::string>{
                                           "file C:\\Program Files\\Larkspur\\Notes\\UNINSTALL.EXE",
                                           "folder c:\\program files\\larkspur\\notes",
                                           "folder C:\\Program Files\\Larkspur",
                                       }));
    EXPECT_TRUE(plan.Skipped.empty());
}

TEST(RemovalPlan, AFolderGoesAfterWhatIsInItWhateverOrderTheLogGives) {
    const TRemovalPlan plan = PlanOf({
        "SetupLOG",
        "KEY=K",
        "DIRECTORY=C:\\Menu\\Larkspur",
        "DIRECTORY=C:\\Menu\\Larkspur\\Notes",
        "LINK=C:\\Menu\\Larkspur\\Notes\\Notes.lnk",
        "DIRECTORY=C:\\Menu\\Larkspur Tools",
        "DIRECTORY=C:\\Program Files\\Larkspur",
        "DIRECTORY=C:\\Program Files\\Larkspur\\Notes",
    });
    EXPECT_EQ(StepsOf(plan), (std::vector<std::string>{
                                 "file C:\\Menu\\Larkspur\\Notes\\Notes.lnk",
                                 "folder C:\\Menu\\Larkspur\\Notes",
                                 "folder C:\\Menu\\Larkspur",
                                 "folder C:\\Menu\\Larkspur Tools",
                                 "key SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K",
                                 std::string("log ") + kLog,
                             }));
    EXPECT_EQ(StepsOf(plan.AfterExit), (std::vector<std::string>{"folder C:\\Program Files\\Larkspur\\Notes",
                                                                "folder C:\\Program Files\\Larkspur"}));
}

// A destination picked in the folder chooser ends in a separator, and the
// setup joins each name to it with another one.
TEST(RemovalPlan, DoubledSeparatorsOfAChosenFolderMeanTheSamePlaces) {
    const TRemovalPlan plan = PlanOf({
        "SetupLOG",
        "KEY=K",
        "DIRECTORY=C:\\Program Files\\Larkspur\\Notes\\",
        "COPYFILE=C:\\Program Files\\Larkspur\\Notes\\\\Uninstall.exe",
        "COPYFILE=C:\\Program Files\\Larkspur\\Notes\\\\Data\\Help.txt",
        "LINK=\\\\server\\share\\\\Notes.lnk",
    });
    EXPECT_EQ(StepsOf(plan), (std::vector<std::string>{
                                 "file C:\\Program Files\\Larkspur\\Notes\\Data\\Help.txt",
                                 "file \\\\server\\share\\Notes.lnk",
                                 "key SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K",
                                 std::string("log ") + kLog,
                             }));
    EXPECT_EQ(StepsOf(plan.AfterExit), (std::vector<std::string>{"file C:\\Program Files\\Larkspur\\Notes\\Uninstall.exe",
                                                                "folder C:\\Program Files\\Larkspur\\Notes"}));
}

// A log that is missing or no setup log gives no plan but what is wrong,
// which the uninstaller words.
TEST(RemovalPlan, OnlyASetupLogThatIsThereIsAccepted) {
    ScratchFolder scratch;
    const std::string log = scratch / "setup.log", program = scratch / "uninstall.exe";
    const auto problem = [&] {
        const TLogReading reading = ReadSetupLog(log, program);
        EXPECT_FALSE(PlanOfLogFile(log, program).has_value());
        return reading.Plan ? std::string("(a plan)") : LogProblemText("English", reading.Problem, log, reading.Detail);
    };
    EXPECT_EQ(problem(), "The setup log " + log + " is missing, so nothing can be removed.");
    for (const std::string& bytes : {std::string(), std::string("MZ\x90\0\x03\0", 6), std::string("setuplog\r\n"),
                                     std::string("\r\nSetupLOG\r\n"), std::string("SetupLOG \r\n")}) {
        WriteFile(log, bytes);
        EXPECT_EQ(problem(), log + " is not a setup log.");
    }
    EXPECT_EQ(LogProblemText("German", TLogProblem::Unreadable, "C:\\P\\setup.log", "Zugriff verweigert."),
              "Das Setup-Protokoll C:\\P\\setup.log kann nicht gelesen werden: Zugriff verweigert.");
    WriteFile(log, "SetupLOG\r\nKEY=Tool\r\n\r\nCOPYFILE=C:\\Tool\\a.txt\r\n");
    const TRemovalPlan plan = ReadSetupLog(log, program).Plan.value();
    EXPECT_EQ(plan.Name, "Tool") << "without NAME the key names the product";
    EXPECT_EQ(StepsOf(plan), (std::vector<std::string>{"file C:\\Tool\\a.txt",
                                                       "key SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tool",
                                                       "log " + log}));
}

TEST(RemovalPlan, PathsThatAreNotFullAndUnknownLinesAreLeftAlone) {
    const TRemovalPlan plan = PlanOf({
        "SetupLOG",
        "KEY=Tool",
        "COPYFILE=..\\..\\Windows\\win.ini",
        "LINK=\\Windows\\notepad.exe",
        "DIRECTORY=C:",
        "REGISTRY=HKLM\\Software\\Tool",
        "   ",
        "COPYFILE=\\\\server\\share\\Tool\\a.dll",
    });
    EXPECT_EQ(StepsOf(plan), (std::vector<std::string>{"file \\\\server\\share\\Tool\\a.dll",
                                                       "key SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tool",
                                                       std::string("log ") + kLog}));
    EXPECT_EQ(plan.Skipped, (std::vector<TLeftOver>{
                                {"..\\..\\Windows\\win.ini", TStayReason::NotFullPath},
                                {"\\Windows\\notepad.exe", TStayReason::NotFullPath},
                                {"C:", TStayReason::NotFullPath},
                                {"REGISTRY=HKLM\\Software\\Tool", TStayReason::NotUnderstood},
                            }));
}

// Only the product's own paths are acted on: below the installed location,
// its shortcuts and program folder below the shortcut folders, and the
// levels above the installed location that the log says were made.
TEST(RemovalPlan, WhatIsNotTheProductsIsLeftAlone) {
    TRemovalPlan plan = PlanOf({
        "SetupLOG",
        "KEY=Notes",
        "COPYFILE=C:\\Windows\\System32\\kernel32.dll",
        "COPYFILE=C:\\Program Files\\Larkspur\\Notes2\\x.dll",
        "COPYFILE=C:\\Menu\\Notes\\evil.exe",
        "LINK=C:\\Menu\\Notes\\Notes.lnk",
        "LINK=C:\\Program Files\\Larkspur\\Notes\\Help.lnk",
        "LINK=C:\\Menu.lnk",
        "DIRECTORY=C:\\Menu\\Notes",
        "DIRECTORY=C:\\Menu",
        "DIRECTORY=C:\\Windows",
        "COPYFILE=C:\\Program Files\\Larkspur\\Notes\\Notes.exe",
        "DIRECTORY=C:\\Program Files\\Larkspur\\Notes\\Data",
        "COPYFILE=C:\\Program Files\\Larkspur\\Notes\\Uninstall.exe",
        "DIRECTORY=C:\\Program Files\\Larkspur\\Notes",
        "DIRECTORY=C:\\Program Files\\Larkspur",
        "DIRECTORY=C:\\",
    });
    ConfinePlan(plan, {"C:\\Program Files\\Larkspur\\Notes", {"C:\\Menu", "C:\\Users\\Me\\Desktop"}});
    EXPECT_EQ(StepsOf(plan), (std::vector<std::string>{
                                 "file C:\\Menu\\Notes\\Notes.lnk",
                                 "file C:\\Program Files\\Larkspur\\Notes\\Help.lnk",
                                 "folder C:\\Menu\\Notes",
                                 "file C:\\Program Files\\Larkspur\\Notes\\Notes.exe",
                                 "folder C:\\Program Files\\Larkspur\\Notes\\Data",
                                 "key SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Notes",
                                 std::string("log ") + kLog,
                             }));
    EXPECT_EQ(StepsOf(plan.AfterExit), (std::vector<std::string>{"file C:\\Program Files\\Larkspur\\Notes\\Uninstall.exe",
                                                                "folder C:\\Program Files\\Larkspur\\Notes",
                                                                "folder C:\\Program Files\\Larkspur"}));
    std::vector<std::string> left;
    for (const TLeftOver& item : plan.Skipped) {
        EXPECT_EQ(item.Reason, TStayReason::OutsideProduct) << item.Item;
        left.push_back(item.Item);
    }
    EXPECT_EQ(left, (std::vector<std::string>{"C:\\Windows\\System32\\kernel32.dll",
                                              "C:\\Program Files\\Larkspur\\Notes2\\x.dll", "C:\\Menu\\Notes\\evil.exe",
                                              "C:\\Menu.lnk", "C:\\Menu", "C:\\Windows", "C:\\"}));
}

// The uninstall entry's location is trusted only where it holds the
// uninstaller; otherwise the uninstaller's own folder bounds the removal.
TEST(RemovalPlan, TheInstalledLocationMustHoldTheUninstaller) {
    const std::string own = "C:\\Program Files\\Notes";
    const std::pair<const char*, std::string> cases[] = {
        {"C:\\Program Files\\Notes\\", own}, {"C:\\Program Files", "C:\\Program Files"}, {"C:\\", own},
        {"C:\\Windows", own},                 {"", own},                                   {"Notes", own},
    };
    for (const auto& [entry, trusted] : cases) EXPECT_EQ(TrustedLocation(entry, own), trusted) << entry;
}

#ifndef _WIN32
// A path that leads through a link below its bound is never acted on; the
// installed location counts itself, a shortcut folder does not.
TEST(RemovalPlan, APathThroughALinkIsNeverFollowed) {
    ScratchFolder scratch;
    const std::string install = scratch / "Product", menu = scratch / "Menu", outside = scratch / "Outside";
    for (const std::string& folder : {install, menu + "\\Group", outside}) ASSERT_TRUE(platform::ForceDirectories(folder));
    const auto link = [&](const std::string& path) {
        ASSERT_EQ(::symlink(platform::NativePath(outside).c_str(), platform::NativePath(path).c_str()), 0) << path;
    };
    link(install + "\\Data");
    link(scratch / "Programs");
    const TRemovalBounds bounds{install, {menu, scratch / "Programs"}};
    const std::pair<std::string, bool> cases[] = {
        {install + "\\Data\\x.dll", true},       {install + "\\Data", false},  // the link itself goes as a link
        {install + "\\x.dll", false},              {menu + "\\Group\\x.lnk", false},
        {scratch / "Programs\\Group\\x.lnk", false},  // the shortcut folder may itself be a link
        {scratch / "Other\\x.dll", false},
    };
    for (const auto& [path, through] : cases) EXPECT_EQ(LeadsThroughLink(bounds, path), through) << path;
    link(scratch / "Linked");
    EXPECT_TRUE(LeadsThroughLink({scratch / "Linked", {}}, scratch / "Linked\\x.dll")) << "the installed location itself";
}
#endif

TEST(RemovalPlan, OnlyAKeyOneLevelBelowTheListOfProgramsIsDeleted) {
    // An empty key would name the whole list, one with a separator another program's entry.
    for (const char* line : {"KEY=", "KEY=  ", "KEY=Other\\Tool", "KEY=\\", "KEY=Tab\there"}) {
        const TRemovalPlan plan = PlanOf({"SetupLOG", "NAME=Tool", line});
        EXPECT_EQ(StepsOf(plan), (std::vector<std::string>{std::string("log ") + kLog})) << line;
        ASSERT_EQ(plan.Skipped.size(), 1u) << line;
        EXPECT_EQ(plan.Skipped[0].Reason, TStayReason::InvalidKeyName) << line;
    }
    const TRemovalPlan unnamed = PlanOf({"SetupLOG", "NAME=Tool"});
    ASSERT_EQ(unnamed.Skipped.size(), 1u);
    EXPECT_EQ(unnamed.Skipped[0], (TLeftOver{"", TStayReason::NoKeyNamed}));
}

TEST(UninstallTexts, TheQuestionAndTheSummaryInEitherLanguage) {
    const TRemovalPlan plan = PlanOf({"SetupLOG", "NAME=Larkspur Notes", "KEY=K"});
    TRemovalResult stayed;
    stayed.RestartPending = true;
    stayed.LeftOvers = {{"C:\\P\\Notes", TStayReason::HoldsOtherFiles},
                        {"C:\\P\\a.dll", TStayReason::InUse},
                        {"", TStayReason::NoKeyNamed}};
    const struct {
        TUninstallLanguage Language;
        const char* Caption;
        const char* Question;
        const char* Removed;
        const char* Stayed;
    } cases[] = {
        {"English", "Uninstall Larkspur Notes", "Remove Larkspur Notes and all of its components?",
         "Larkspur Notes was removed.",
         "Larkspur Notes was removed, except for these items:\r\n\r\n"
         "C:\\P\\Notes (holds other files)\r\nC:\\P\\a.dll (in use or protected)\r\n"
         "The entry in the list of installed programs (the log names no key)\r\n\r\n"
         "The uninstaller itself is deleted when Windows next starts."},
        {"German", "Larkspur Notes deinstallieren",
         "Möchten Sie Larkspur Notes und alle zugehörigen Komponenten entfernen?", "Larkspur Notes wurde entfernt.",
         "Larkspur Notes wurde entfernt, bis auf diese Elemente:\r\n\r\n"
         "C:\\P\\Notes (enthält weitere Dateien)\r\nC:\\P\\a.dll (in Verwendung oder geschützt)\r\n"
         "Der Eintrag in der Liste der installierten Programme (das Protokoll nennt keinen Schlüssel)\r\n\r\n"
         "Das Deinstallationsprogramm selbst wird beim nächsten Start von Windows gelöscht."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UninstallCaption(c.Language, plan.Name), c.Caption);
        EXPECT_EQ(RemovalQuestion(c.Language, plan), c.Question);
        EXPECT_EQ(RemovalSummary(c.Language, plan, TRemovalResult{}), c.Removed);
        EXPECT_EQ(RemovalSummary(c.Language, plan, stayed), c.Stayed);
    }
    // Before the log is read, and for a log that names nothing.
    EXPECT_EQ(UninstallCaption("German", ""), "Deinstallation");
    EXPECT_EQ(RemovalQuestion("English", PlanOf({"SetupLOG"})),
              "Remove Unnamed program and all of its components?");
}

TEST(UninstallTexts, ALongListOfLeftOversIsCutShort) {
    TRemovalResult result;
    for (size_t i = 0; i <= kMaxListedLeftOvers; ++i)
        result.LeftOvers.push_back({std::string("f").append(std::to_string(i)), TStayReason::InUse});
    const std::string text = RemovalSummary("German", PlanOf({"SetupLOG"}), result);
    EXPECT_NE(text.find("f10 (in Verwendung oder geschützt)\r\n... und 2 weitere."), std::string::npos) << text;
    EXPECT_EQ(text.find("f11"), std::string::npos);
}

TEST(UninstallTexts, TheInterfaceLanguageChoosesABuiltInOneOrEnglish) {
    const struct {
        uint16_t LanguageId;
        const char* Expected;
    } cases[] = {
        {0x0407, "German"},  {0x0807, "German"},   {0x0007, "German"},  {0x0409, "English"},
        {0x0809, "English"}, {0x040C, "French"},   {0x0C0C, "French"},  {0x0413, "Dutch"},
        {0x0416, "Portuguese (Brazil)"}, {0x0816, "Portuguese (Brazil)"}, {0x0415, "Polish"},
        {0x0405, "Czech"},   {0x0419, "Russian"},  {0x0411, "Japanese"}, {0x0804, "Chinese (Simplified)"},
        {0x0410, "Italian"}, {0x0C0A, "Spanish"},  {0x041D, "English"}, {0x0000, "English"}, {0x0C00, "English"},
    };
    for (const auto& c : cases) EXPECT_EQ(UninstallLanguageOf(c.LanguageId), c.Expected) << std::hex << c.LanguageId;
    // The installation's own language wins over the interface's, unless the uninstaller lacks it.
    EXPECT_EQ(UninstallLanguageOf("French", "English"), "French");
    EXPECT_EQ(UninstallLanguageOf("Swedish", "German"), "German");
    EXPECT_EQ(UninstallLanguageOf("", "English"), "English");
    EXPECT_EQ(RemovalQuestion("French", PlanOf({"SetupLOG", "NAME=Lark"})), "Supprimer Lark et tous ses composants ?");
}

TEST(UninstallArguments, SilentAndTheCopysArgumentAreUnderstoodNothingElse) {
    const TOriginal original{12, 34, "C:\\Program Files\\Lark spur\\uninstall.exe"};
    const struct {
        std::vector<std::string> Arguments;
        bool Silent;
        const char* NotUnderstood;
        std::optional<TOriginal> Original;
    } cases[] = {
        {{}, false, "", std::nullopt},
        {{"/S"}, true, "", std::nullopt},
        {{"/s"}, true, "", std::nullopt},
        {{"/X", "/S", "/Y"}, true, "/X", std::nullopt},  // silent all the same: no box for the refusal
        {{"/SILENT"}, false, "/SILENT", std::nullopt},
        {{""}, false, "\"\"", std::nullopt},
        {{"/S", CopyOfArgument(original)}, true, "", original},
        {{"/copyof=1,2,C:\\a"}, false, "", TOriginal{1, 2, "C:\\a"}},
        {{"/COPYOF=x,2,C:\\a"}, false, "/COPYOF=x,2,C:\\a", std::nullopt},
        {{"/COPYOF=1,2,"}, false, "/COPYOF=1,2,", std::nullopt},
    };
    for (const auto& c : cases) {
        const TUninstallArguments parsed = ParseUninstallArguments(c.Arguments);
        const std::string shown = c.Arguments.empty() ? "(none)" : c.Arguments[0];
        EXPECT_EQ(parsed.Silent, c.Silent) << shown;
        EXPECT_EQ(parsed.NotUnderstood, c.NotUnderstood) << shown;
        EXPECT_EQ(parsed.Original, c.Original) << shown;
    }
}
