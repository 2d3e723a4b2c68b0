// The folders below the destination that the copy phase makes for a file:
// only those plainly below it.
#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <optional>
#include <string>
#include <vector>
#include <utility>

#include "app/PayloadCopy.h"
#include "app/WorkFolder.h"
#include "platform/FileSystem.h"
#include "tests/support/ScratchFolder.h"

TEST(PayloadCopy, TheFolderOfAnEntryCountsOnlyWhenItLiesPlainlyBelowTheDestination) {
    const std::pair<const char*, const char*> cases[] = {
        {"a.txt", ""},
        {"plugins\\a.dll", "D\\plugins"},
        {"plugins/de\\x.txt", "D\\plugins\\de"},
        {"..\\x.txt", ""},
        {"a\\..\\..\\x.txt", ""},
        {"a\\.\\x.txt", ""},
        {"\\x.txt", ""},
        {"a\\\\x.txt", ""},
        {"C:\\x.txt", ""},
        {"a:b\\x.txt", ""},
    };
    for (const auto& [entry, folder] : cases) EXPECT_EQ(TargetFolderBelow("D", entry), folder) << entry;
}

// A file of the working folder that changed after unpacking does not reach
// the destination: the copy that was made of it goes again, with a reason.
TEST(PayloadCopy, EachCopyMustHoldTheCrcTheArchiveGave) {
    ScratchFolder scratch;
    const uint32_t crcOfSame = TCrc32().Of("same", 4);
    const struct {
        const char* Name;
        const char* Bytes;
        std::optional<uint32_t> Crc;
        bool Copied;
    } cases[] = {
        {"kept.dll", "same", crcOfSame, true},
        {"changed.dll", "evil", crcOfSame, false},
        {"unchecked.txt", "anything", std::nullopt, true},
    };
    std::vector<TCopyJob> jobs;
    for (const auto& c : cases) {
        WriteFile(scratch / c.Name, c.Bytes);
        WriteFile(scratch / (std::string("to-") + c.Name), "what was there");
        jobs.push_back({scratch / c.Name, scratch / (std::string("to-") + c.Name), "", c.Crc});
    }
    TPayloadCopy copy(std::move(jobs));
    while (copy.WaitForAll(std::chrono::milliseconds(100)) < copy.Count()) {
    }
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const std::string target = scratch / (std::string("to-") + c.Name);
        EXPECT_EQ(copy.Outcome(i).Copied, c.Copied) << c.Name;
        if (c.Copied) EXPECT_EQ(ReadFile(target), c.Bytes) << c.Name;
        else EXPECT_FALSE(platform::FileExists(target)) << c.Name;
        EXPECT_EQ(copy.Outcome(i).Reason, c.Copied ? "" : kCopyDiffersReason) << c.Name;
    }
}

// The payload's CRCs are found by the name an Addfile entry gives, in any
// letter case and with either separator; the last of two entries wins.
TEST(PayloadCopy, TheArchivesCrcIsFoundByTheEntrysName) {
    const TPayloadCrcs crcs = {{"PLUGINS\\DE\\X.DLL", 1}, {"TOOL.EXE", 2}, {"TOOL.EXE", 3}};
    const std::pair<const char*, std::optional<uint32_t>> cases[] = {
        {"plugins\\de\\x.dll", 1}, {"Plugins/De/X.dll", 1}, {"tool.exe", 3}, {"x.dll", std::nullopt},
        {"plugins\\x.dll", std::nullopt},
    };
    for (const auto& [name, crc] : cases) EXPECT_EQ(PayloadCrcOf(crcs, name), crc) << name;
}

// The copy tells the changes each group's targets before copying any of
// them, after making the group's folders, so that a journal can record a
// group with one flush and still undo the files before their folders.
TEST(PayloadCopy, EachGroupOfTargetsIsToldAfterItsFoldersAndBeforeItsCopies) {
    struct TRecordingChanges : TFileChanges {
        std::vector<std::string> Events;
        std::vector<std::string> MakeFolderLevels(const std::string& folder) override {
            Events.push_back("folder " + folder);
            return {folder};
        }
        bool CopyFile(const std::string&, const std::string& target) override {
            Events.push_back("copy " + target);
            return true;
        }
        void ExpectCopies(const std::vector<std::string>& targets) override {
            for (const std::string& target : targets) Events.push_back("expect " + target);
        }
    } changes;
    std::vector<TCopyJob> jobs;
    for (int i = 0; i < 70; ++i)
        jobs.push_back({"s", "D\\f" + std::to_string(i / 40) + "\\" + std::to_string(i), "D\\f" + std::to_string(i / 40), {}});
    TPayloadCopy copy(std::move(jobs), changes);
    while (copy.WaitForAll(std::chrono::milliseconds(100)) < copy.Count()) {
    }
    std::vector<std::string> expected;
    for (const auto& [start, end] : {std::pair{0, 64}, std::pair{64, 70}}) {
        for (int i = start; i < end; ++i) {
            const std::string folder = "folder D\\f" + std::to_string(i / 40);
            if (i == 0 || i == 40) expected.push_back(folder);
        }
        for (int i = start; i < end; ++i) expected.push_back("expect D\\f" + std::to_string(i / 40) + "\\" + std::to_string(i));
        for (int i = start; i < end; ++i) expected.push_back("copy D\\f" + std::to_string(i / 40) + "\\" + std::to_string(i));
    }
    EXPECT_EQ(changes.Events, expected);
    EXPECT_EQ(copy.Outcome(40).MadeFolders, std::vector<std::string>{"D\\f1"});
}
