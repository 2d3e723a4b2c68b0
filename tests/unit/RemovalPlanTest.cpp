// The uninstaller's plan: which log is accepted, what is removed in which
// order, which lines are left alone, and how the outcome is worded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "samples/uninstall/RemovalPlan.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"

namespace {

constexpr const char* kLog = "C:\\Program Files\\Larkspur\\Notes\\setup.log";
constexpr const char* kProgram = "C:\\Program Files\\Larkspur\\Notes\\Uninstall.exe";

TStringList Lines(const std::vector<std::string>& lines) {
    TStringList list;
    for (const std::string& line : lines) list.Add(line);
    return list;
}

TRemovalPlan PlanOf(const std::vector<std::string>& lines) { return MakeRemovalPlan(Lines(lines), kLog, kProgram); }

// The steps as "kind path" lines, for whole-plan comparisons.
std::vector<std::string> StepsOf(const TRemovalPlan& plan) {
    std::vector<std::string> steps;
    for (const TRemovalStep& step : plan.Steps) {
        const char* kind = "";
        switch (step.Kind) {
            case TRemovalKind::File: kind = "file"; break;
            case TRemovalKind::FileAtRestart: kind = "restart"; break;
            case TRemovalKind::Folder: kind = "folder"; break;
            case TRemovalKind::RegistryKey: kind = "key"; break;
            case TRemovalKind::Log: kind = "log"; break;
        }
        steps.push_back(std::string(kind) + " " + step.Path);
    }
    return steps;
}

std::vector<std::string> SkippedOf(const TRemovalPlan& plan) {
    std::vector<std::string> skipped;
    for (const TLeftOver& item : plan.Skipped) skipped.push_back(item.Item + " (" + item.Reason + ")");
    return skipped;
}

}  // namespace

TEST(RemovalPlan, ATypicalLogIsUndoneNewestFirstWithTheLogFoldersLast) {
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
        "DIRECTORY=C:\\Program Files\\Larkspur\\Notes\\",
        "DIRECTORY=C:\\Program Files\\Larkspur",
    });
    EXPECT_EQ(plan.Name, "Larkspur Notes");
    EXPECT_EQ(StepsOf(plan), (std::vector<std::string>{
                                 "file C:\\Users\\Me\\Desktop\\Larkspur Notes.lnk",
                                 "file C:\\Menu\\Larkspur Notes\\Uninstall.lnk",
                                 "file C:\\Menu\\Larkspur Notes\\Larkspur Notes.lnk",
                                 "folder C:\\Menu\\Larkspur Notes",
                                 "restart C:\\Program Files\\Larkspur\\Notes\\UNINSTALL.EXE",
                                 "file C:\\Program Files\\Larkspur\\Notes\\Data\\Help.txt",
                                 "folder C:\\Program Files\\Larkspur\\Notes\\Data",
                                 "file C:\\Program Files\\Larkspur\\Notes\\LarkNotes.exe",
                                 "key SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Larkspur Notes",
                                 std::string("log ") + kLog,
                                 "folder C:\\Program Files\\Larkspur\\Notes",
                                 "folder C:\\Program Files\\Larkspur",
                             }));
    EXPECT_TRUE(plan.Skipped.empty());
}

TEST(RemovalPlan, OnlyASetupLogIsAccepted) {
    for (const std::vector<std::string>& lines : std::vector<std::vector<std::string>>{
             {}, {"setuplog", "NAME=x"}, {"SetupLOG "}, {"", "SetupLOG"}, {"[Setup]", "NAME=x"}})
        EXPECT_EQ(MessageOf([&] { PlanOf(lines); }), std::string(kLog) + " is not a setup log.")
            << (lines.empty() ? "" : lines[0]);
    EXPECT_NO_THROW(PlanOf({"SetupLOG"}));
}

TEST(RemovalPlan, ReadsTheLogFileAndExplainsAMissingOne) {
    ScratchFolder scratch;
    const std::string log = scratch / "setup.log";
    EXPECT_EQ(MessageOf([&] { ReadRemovalPlan(log, scratch / "uninstall.exe"); }),
              "The setup log " + log + " is missing, so nothing can be removed.");

    WriteFile(log, "SetupLOG\r\nNAME=Tool\r\nKEY=Tool\r\nCOPYFILE=C:\\Tool\\a.txt\r\n\r\n");
    const TRemovalPlan plan = ReadRemovalPlan(log, scratch / "uninstall.exe");
    EXPECT_EQ(plan.Name, "Tool");
    EXPECT_EQ(StepsOf(plan), (std::vector<std::string>{"file C:\\Tool\\a.txt",
                                                       "key SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tool",
                                                       "log " + log}));

    WriteFile(log, std::string("MZ\x90\0\x03\0", 6));
    EXPECT_EQ(MessageOf([&] { ReadRemovalPlan(log, scratch / "uninstall.exe"); }), log + " is not a setup log.");
}

TEST(RemovalPlan, PathsThatAreNotFullAndUnknownLinesAreLeftAlone) {
    const TRemovalPlan plan = PlanOf({
        "SetupLOG",
        "NAME=Tool",
        "KEY=Tool",
        "COPYFILE=ReadMe.txt",
        "COPYFILE=..\\..\\Windows\\win.ini",
        "LINK=\\Windows\\notepad.exe",
        "DIRECTORY=",
        "DIRECTORY=C:",
        "REGISTRY=HKLM\\Software\\Tool",
        "   ",
        "just words",
        "COPYFILE=\\\\server\\share\\Tool\\a.dll",
        "COPYFILE=d:\\Tool\\b.dll",
    });
    EXPECT_EQ(StepsOf(plan), (std::vector<std::string>{"file \\\\server\\share\\Tool\\a.dll", "file d:\\Tool\\b.dll",
                                                       "key SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tool",
                                                       std::string("log ") + kLog}));
    EXPECT_EQ(SkippedOf(plan), (std::vector<std::string>{
                                   "ReadMe.txt (not a full path)",
                                   "..\\..\\Windows\\win.ini (not a full path)",
                                   "\\Windows\\notepad.exe (not a full path)",
                                   " (not a full path)",
                                   "C: (not a full path)",
                                   "REGISTRY=HKLM\\Software\\Tool (not understood)",
                                   "just words (not understood)",
                               }));
}

TEST(RemovalPlan, OnlyAKeyOneLevelBelowTheListOfProgramsIsDeleted) {
    // An empty key would name the whole list, one with a separator another program's entry.
    for (const char* line : {"KEY=", "KEY=  ", "KEY=Other\\Tool", "KEY=\\", "KEY=Tab\there"}) {
        const TRemovalPlan plan = PlanOf({"SetupLOG", "NAME=Tool", line});
        EXPECT_EQ(StepsOf(plan), (std::vector<std::string>{std::string("log ") + kLog})) << line;
        ASSERT_EQ(plan.Skipped.size(), 1u) << line;
        EXPECT_EQ(plan.Skipped[0].Reason, "not a valid key name") << line;
    }
    const TRemovalPlan unnamed = PlanOf({"SetupLOG", "NAME=Tool"});
    ASSERT_EQ(unnamed.Skipped.size(), 1u);
    EXPECT_EQ(unnamed.Skipped[0].Reason, "the log names no key");
}

TEST(RemovalPlan, TheNameFallsBackToTheKey) {
    EXPECT_EQ(PlanOf({"SetupLOG", "KEY=ToolKey"}).Name, "ToolKey");
    EXPECT_EQ(PlanOf({"SetupLOG"}).Name, "Unnamed program");
    EXPECT_EQ(PlanOf({"SetupLOG", "name= Tool ", "NAME=Second"}).Name, "Tool");
}

TEST(RemovalPlan, ASiblingFolderOfTheLogsFolderIsNotDeferred) {
    // "Notes2" starts like "Notes" but does not hold the log.
    const TRemovalPlan plan = PlanOf({"SetupLOG", "KEY=K", "DIRECTORY=C:\\Program Files\\Larkspur\\Notes2",
                                      "DIRECTORY=c:\\program files\\larkspur\\notes"});
    EXPECT_EQ(StepsOf(plan), (std::vector<std::string>{
                                 "folder C:\\Program Files\\Larkspur\\Notes2",
                                 "key SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K",
                                 std::string("log ") + kLog,
                                 "folder c:\\program files\\larkspur\\notes",
                             }));
}

TEST(RemovalSummary, SaysWhatWasRemovedAndWhatStayed) {
    const TRemovalPlan plan = PlanOf({"SetupLOG", "NAME=Larkspur Notes", "KEY=K"});
    EXPECT_EQ(RemovalQuestion(plan), "Remove Larkspur Notes and all of its components?");

    TRemovalResult result;
    EXPECT_EQ(RemovalSummary(plan, result), "Larkspur Notes was removed.");
    result.RestartPending = true;
    EXPECT_EQ(RemovalSummary(plan, result),
              "Larkspur Notes was removed.\r\n\r\n"
              "The uninstaller's own file, and its folder once empty, are deleted when Windows next starts.");

    result.RestartPending = false;
    result.LeftOvers = {{"C:\\P\\Notes", "holds other files"}, {"C:\\P\\a.dll", "in use or protected"}};
    EXPECT_EQ(RemovalSummary(plan, result),
              "Larkspur Notes was removed, except for these items:\r\n\r\n"
              "C:\\P\\Notes (holds other files)\r\nC:\\P\\a.dll (in use or protected)");
}

TEST(RemovalSummary, ALongListIsCutShort) {
    const TRemovalPlan plan = PlanOf({"SetupLOG", "NAME=Tool", "KEY=K"});
    TRemovalResult result;
    for (size_t i = 0; i < kMaxListedLeftOvers; ++i) result.LeftOvers.push_back({std::string("f").append(std::to_string(i)), "r"});
    std::string text = RemovalSummary(plan, result);
    EXPECT_NE(text.find("f11 (r)"), std::string::npos) << "as many as fit are all listed";
    EXPECT_EQ(text.find("more."), std::string::npos);

    result.LeftOvers.push_back({"f12", "r"});
    text = RemovalSummary(plan, result);
    EXPECT_NE(text.find("f10 (r)\r\n... and 2 more."), std::string::npos) << text;
    EXPECT_EQ(text.find("f11"), std::string::npos);
}
