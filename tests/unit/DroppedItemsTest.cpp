#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DroppedItems.h"
#include "app/InstallationFiles.h"

namespace {

TRemovalPlan PlanOf(const std::string& location, const std::vector<std::string>& items) {
    TStringList log;
    for (const char* line : {"SetupLOG", "NAME=Lark", "KEY=Lark"}) log.Add(line);
    for (const std::string& item : items) log.Add(item);
    return PlanOfLog(log, LogFileIn(location), UninstallerIn(location)).value();
}

std::vector<std::string> PathsOf(const std::vector<TRemovalStep>& steps) {
    std::vector<std::string> paths;
    for (const TRemovalStep& step : steps) paths.push_back(step.Path);
    return paths;
}

const std::vector<std::string> kVersion1 = {
    "LINK=C:\\Desk\\Lark.lnk",
    "LINK=C:\\Start\\Lark\\Uninstall.lnk",
    "LINK=C:\\Start\\Lark\\Lark.lnk",
    "DIRECTORY=C:\\Start\\Lark",
    "COPYFILE=C:\\P\\Lark\\old.dll",
    "COPYFILE=C:\\P\\Lark\\plugins\\a.dll",
    "DIRECTORY=C:\\P\\Lark\\plugins",
    "COPYFILE=C:\\P\\Lark\\uninstall.exe",
    "COPYFILE=C:\\P\\Lark\\Lark.exe",
    "DIRECTORY=C:\\P\\Lark\\Graphics",
    "DIRECTORY=C:\\P\\Lark",
};

}  // namespace

TEST(DroppedItems, WhatTheEarlierLogListsAndTheNewDoesNotFoldersAfterTheirContents) {
    const struct {
        const char* what;
        std::string location;
        std::vector<std::string> now;
        std::vector<std::string> dropped;
    } cases[] = {
        {"the same folder, two files, the desktop and a group it found already",
         "C:\\P\\Lark",
         {"LINK=C:\\Start\\Lark\\Uninstall.lnk", "LINK=C:\\Start\\Lark\\Lark.lnk", "COPYFILE=C:\\P\\Lark\\\\Lark.exe",
          "COPYFILE=C:\\p\\lark\\UNINSTALL.EXE", "DIRECTORY=C:\\P\\Lark\\Graphics", "DIRECTORY=C:\\P\\Lark\\"},
         {"C:\\Desk\\Lark.lnk", "C:\\Start\\Lark", "C:\\P\\Lark\\old.dll", "C:\\P\\Lark\\plugins\\a.dll",
          "C:\\P\\Lark\\plugins"}},
        {"the same again: nothing", "C:\\P\\Lark", kVersion1, {}},
        {"another folder: everything but the entry, the old log and its folder last",
         "D:\\Lark",
         {"LINK=C:\\Start\\Lark\\Lark.lnk", "COPYFILE=D:\\Lark\\Lark.exe", "DIRECTORY=D:\\Lark"},
         {"C:\\Desk\\Lark.lnk", "C:\\Start\\Lark\\Uninstall.lnk", "C:\\Start\\Lark", "C:\\P\\Lark\\old.dll",
          "C:\\P\\Lark\\plugins\\a.dll", "C:\\P\\Lark\\plugins", "C:\\P\\Lark\\Lark.exe", "C:\\P\\Lark\\Graphics",
          "C:\\P\\Lark\\setup.log", "C:\\P\\Lark\\uninstall.exe", "C:\\P\\Lark"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PathsOf(DroppedItems(PlanOf("C:\\P\\Lark", kVersion1), PlanOf(c.location, c.now))), c.dropped)
            << c.what;
}
