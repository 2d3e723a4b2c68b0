// The copy phase's writing of the product's files: straight from the
// payload, checked as they are written, into folders plainly below the
// destination, with each group's targets told before they are written.
#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <optional>
#include <string>
#include <vector>
#include <utility>

#include "app/PayloadEntries.h"
#include "app/ProductCopy.h"
#include "archive/ZLIBArchive.h"
#include "platform/FileSystem.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/ScratchFolder.h"

namespace {

TPayloadEntries EntriesOf(const std::string& archiveFile) {
    TZLBArchive archive;
    archive.OpenArchive(archiveFile);
    return TPayloadEntries(archive.Entries());
}

void WaitForAll(TProductCopy& copy) {
    while (copy.WaitForAll(std::chrono::milliseconds(100)) < copy.Count()) {
    }
}

}  // namespace

TEST(ProductCopy, TheFolderOfAnEntryCountsOnlyWhenItLiesPlainlyBelowTheDestination) {
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

// The entries are found by the name an Addfile line gives, in any letter
// case and with either separator; the last of two entries wins.
TEST(ProductCopy, TheEntryIsFoundByTheNameTheDescriptionGives) {
    std::vector<TArchiveEntry> entries(3);
    entries[0].FilePath = "plugins\\de", entries[0].FileName = "x.dll";
    entries[1].FileName = "tool.exe";
    entries[2].FileName = "TOOL.exe";
    const TPayloadEntries payload(entries);
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"plugins\\de\\x.dll", 0}, {"Plugins/De/X.dll", 0}, {"tool.exe", 2}, {"x.dll", std::nullopt},
        {"plugins\\x.dll", std::nullopt},
    };
    for (const auto& [name, index] : cases) EXPECT_EQ(payload.IndexOf(name), index) << name;
}

// A file whose bytes do not match the payload's table never reaches its
// place, and nothing of it stays beside it either; what was there stays.
// A file that cannot be written takes none of the next file's bytes.
TEST(ProductCopy, EachFileMustHoldWhatThePayloadsTableGives) {
    ScratchFolder scratch;
    ArchiveBuilder builder;
    const std::string contents[] = {"same", "evil", std::string(3 << 20, 'b'),
                                    std::string(TEntryPipeline::BlockSize * 2, 'h') + "end"};
    builder.Add("kept.dll", contents[0]);
    builder.Add("damaged.dll", contents[1]).FileCRC = ArchiveBuilder::Crc("good");
    builder.Add("big.bin", contents[2]);
    builder.Add("huge.bin", contents[3]);
    builder.WriteTo(scratch / "Data.Kel");
    const TPayloadEntries entries = EntriesOf(scratch / "Data.Kel");
    const struct {
        const char* Name;
        std::optional<int> Entry;
        bool Copied;
    } cases[] = {{"kept.dll", 0, true},           {"damaged.dll", 1, false}, {"missing.dll", std::nullopt, false},
                 {"no folder\\big.bin", 2, false}, {"huge.bin", 3, true},     {"big.bin", 2, true}};
    std::vector<TProductFile> files;
    uint64_t total = 0;
    for (const auto& c : cases) {
        const std::string target = scratch / (std::string("to-") + c.Name);
        if (c.Entry < 2) WriteFile(target, "what was there");
        const uint64_t size = c.Entry ? uint64_t(entries[*c.Entry].FileSize) : 0;
        total += size;
        files.push_back({target, "", c.Entry, size});
    }
    TProductCopy copy(std::move(files), scratch / "Data.Kel", entries);
    WaitForAll(copy);
    EXPECT_EQ(copy.BytesDone(), total);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const std::string target = scratch / (std::string("to-") + c.Name);
        EXPECT_EQ(copy.Outcome(i).Copied, c.Copied) << c.Name;
        if (c.Copied) {
            EXPECT_TRUE(ReadFile(target) == contents[*c.Entry]) << c.Name;
        } else if (c.Entry < 2) {
            EXPECT_EQ(ReadFile(target), "what was there") << c.Name;
        }
        EXPECT_FALSE(platform::FileExists(PartFileOf(target))) << c.Name;
    }
    EXPECT_EQ(copy.Outcome(1).Reason, std::string(kDamagedPayloadReason) + "File (1) is corrupt");
    EXPECT_EQ(copy.Outcome(2).ErrorCode, 2) << "a file the payload lacks is one not found";
}

// The copy tells the changes each group's folders and targets before making
// or writing any of them, so that a journal can record a group with one
// flush and still undo the files before their folders.
TEST(ProductCopy, EachGroupsFoldersAndTargetsAreToldBeforeAnyIsMade) {
    struct TRecordingChanges : TFileChanges {
        std::vector<std::string> Events;
        std::vector<std::string> MakeFolderLevels(const std::string& folder) override {
            Events.push_back("folder " + folder);
            return {folder};
        }
        bool WriteFile(const std::string& target, const TFileWriter&) override {
            Events.push_back("write " + target);
            return true;
        }
        void ExpectCopies(const std::vector<std::string>& folders, const std::vector<std::string>& targets) override {
            for (const std::string& folder : folders) Events.push_back("expect folder " + folder);
            for (const std::string& target : targets) Events.push_back("expect " + target);
        }
    } changes;
    ScratchFolder scratch;
    ArchiveBuilder builder;
    builder.Add("s", "s");
    builder.WriteTo(scratch / "Data.Kel");
    const TPayloadEntries entries = EntriesOf(scratch / "Data.Kel");
    const int group = int(TProductCopy::GroupSize), split = group - 20, count = group + 6;
    const auto folderOf = [&](int i) { return "D\\f" + std::to_string(i < split ? 0 : 1); };
    const auto targetOf = [&](int i) { return folderOf(i) + "\\" + std::to_string(i); };
    std::vector<TProductFile> files;
    for (int i = 0; i < count; ++i) files.push_back({targetOf(i), folderOf(i), 0, 1});
    TProductCopy copy(std::move(files), scratch / "Data.Kel", entries, changes);
    WaitForAll(copy);
    std::vector<std::string> expected;
    for (const auto& [start, end] : {std::pair{0, group}, std::pair{group, count}}) {
        for (const int i : {0, split})
            if (i >= start && i < end) expected.push_back("expect folder " + folderOf(i));
        if (start == group) expected.push_back("expect folder " + folderOf(start));
        for (int i = start; i < end; ++i) expected.push_back("expect " + targetOf(i));
        for (const int i : {0, split})
            if (i >= start && i < end) expected.push_back("folder " + folderOf(i));
        for (int i = start; i < end; ++i) expected.push_back("write " + targetOf(i));
    }
    EXPECT_EQ(changes.Events, expected);
    EXPECT_EQ(copy.Outcome(split).MadeFolders, std::vector<std::string>{folderOf(split)});
}
