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
                                 "restart C:\\Program Files\\Larkspur\\Notes\\UNINSTALL.EXE",
                                 "file C:\\Program Files\\Larkspur\\Notes\\Data\\Help.txt",
                                 "folder C:\\Program Files\\Larkspur\\Notes\\Data",
                                 "file C:\\Program Files\\Larkspur\\Notes\\LarkNotes.exe",
                                 "folder C:\\Program Files\\Larkspur\\Notes2",  // beside the log's folder, not above it
                                 "key SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Larkspur Notes",
                                 std::string("log ") + kLog,
                                 "folder c:\\program files\\larkspur\\notes",
                                 "folder C:\\Program Files\\Larkspur",
                             }));
    EXPECT_TRUE(plan.Skipped.empty());
}

TEST(RemovalPlan, OnlyASetupLogThatIsThereIsAccepted) {
    ScratchFolder scratch;
    const std::string log = scratch / "setup.log";
    EXPECT_EQ(MessageOf([&] { ReadRemovalPlan(log, scratch / "uninstall.exe"); }),
              "The setup log " + log + " is missing, so nothing can be removed.");
    for (const std::string& bytes : {std::string(), std::string("MZ\x90\0\x03\0", 6), std::string("setuplog\r\n"),
                                     std::string("\r\nSetupLOG\r\n"), std::string("SetupLOG \r\n")}) {
        WriteFile(log, bytes);
        EXPECT_EQ(MessageOf([&] { ReadRemovalPlan(log, scratch / "uninstall.exe"); }), log + " is not a setup log.");
    }
    WriteFile(log, "SetupLOG\r\nKEY=Tool\r\n\r\nCOPYFILE=C:\\Tool\\a.txt\r\n");
    const TRemovalPlan plan = ReadRemovalPlan(log, scratch / "uninstall.exe");
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
    EXPECT_EQ(SkippedOf(plan), (std::vector<std::string>{
                                   "..\\..\\Windows\\win.ini (not a full path)",
                                   "\\Windows\\notepad.exe (not a full path)",
                                   "C: (not a full path)",
                                   "REGISTRY=HKLM\\Software\\Tool (not understood)",
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

TEST(RemovalSummary, SaysWhatWasRemovedAndListsWhatStayed) {
    const TRemovalPlan plan = PlanOf({"SetupLOG", "NAME=Larkspur Notes", "KEY=K"});
    EXPECT_EQ(RemovalQuestion(plan), "Remove Larkspur Notes and all of its components?");
    TRemovalResult result;
    EXPECT_EQ(RemovalSummary(plan, result), "Larkspur Notes was removed.");

    result.RestartPending = true;
    result.LeftOvers = {{"C:\\P\\Notes", "holds other files"}, {"C:\\P\\a.dll", "in use or protected"}};
    EXPECT_EQ(RemovalSummary(plan, result),
              "Larkspur Notes was removed, except for these items:\r\n\r\n"
              "C:\\P\\Notes (holds other files)\r\nC:\\P\\a.dll (in use or protected)\r\n\r\n"
              "The uninstaller itself is deleted when Windows next starts.");

    // A list that would not fit on the screen is cut short.
    result.LeftOvers.clear();
    for (size_t i = 0; i <= kMaxListedLeftOvers; ++i)
        result.LeftOvers.push_back({std::string("f").append(std::to_string(i)), "r"});
    const std::string text = RemovalSummary(plan, result);
    EXPECT_NE(text.find("f10 (r)\r\n... and 2 more."), std::string::npos) << text;
    EXPECT_EQ(text.find("f11"), std::string::npos);
}
