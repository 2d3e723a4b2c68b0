#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "shell/DirTreeRules.h"

namespace {

uint32_t Bit(char letter) { return 1u << (letter - 'A'); }

// A machine with one drive of every kind the system knows, and one it does not.
const std::map<char, uint32_t> kDrives = {
    {'A', platform::dkRemovable}, {'C', platform::dkFixed},   {'D', platform::dkCDRom},
    {'E', platform::dkRemote},    {'F', platform::dkRamDisk}, {'G', platform::dkUnknown},
    {'H', platform::dkNoRootDir}, {'Z', 7},
};

uint32_t Present() {
    uint32_t mask = 0;
    for (const auto& [letter, kind] : kDrives) mask |= Bit(letter);
    return mask;
}

uint32_t KindOf(char letter) {
    const auto found = kDrives.find(letter);
    return found == kDrives.end() ? uint32_t(platform::dkFixed) : found->second;
}

}  // namespace

TEST(DirTreeRules, DialogDrivesAreFixedRemoteAndUnknownPlusThoseAlwaysShown) {
    const uint32_t shown = ShownDrives(Present(), drtUnknown | drtFixed | drtRemote, KindOf);
    EXPECT_EQ(shown, Bit('C') | Bit('E') | Bit('G') | Bit('H') | Bit('Z'));
    EXPECT_EQ(ShownDrives(Present(), drtAllDrives, KindOf), Present());
    // A drive without a root folder and a kind without a name survive any filter.
    EXPECT_EQ(ShownDrives(Present(), 0, KindOf), Bit('H') | Bit('Z'));
    EXPECT_EQ(ShownDrives(Present(), drtCDRom | drtRamDisk | drtRemovable, KindOf),
              Bit('A') | Bit('D') | Bit('F') | Bit('H') | Bit('Z'));
    // Only present letters are asked about; KindOf calls every other one fixed.
    EXPECT_EQ(ShownDrives(0, drtAllDrives, KindOf), 0u);
}

TEST(DirTreeRules, EachSpecialAttributeNeedsItsTypeUnlessAllAreListed) {
    using namespace platform;
    const uint32_t plain = faDirectory, readOnly = faDirectory | faReadOnly;
    const uint32_t hidden = faDirectory | faHidden, system = faDirectory | faSysFile;
    const uint32_t archive = faDirectory | faArchive, hiddenArchive = hidden | faArchive;

    for (uint32_t attributes : {plain, readOnly, hidden, system, archive, hiddenArchive})
        EXPECT_TRUE(DirTypeAllowed(attributes, dtNormal | dtAll)) << attributes;

    EXPECT_TRUE(DirTypeAllowed(plain, dtNormal));
    EXPECT_TRUE(DirTypeAllowed(readOnly, dtNormal));
    EXPECT_FALSE(DirTypeAllowed(hidden, dtNormal));
    EXPECT_FALSE(DirTypeAllowed(system, dtNormal));
    EXPECT_FALSE(DirTypeAllowed(archive, dtNormal));

    // A folder with a special attribute needs no dtNormal; a plain one does.
    EXPECT_TRUE(DirTypeAllowed(hidden, dtHidden));
    EXPECT_FALSE(DirTypeAllowed(plain, dtHidden));
    EXPECT_FALSE(DirTypeAllowed(readOnly, dtReadOnly));
    EXPECT_FALSE(DirTypeAllowed(hiddenArchive, dtHidden));
    EXPECT_TRUE(DirTypeAllowed(hiddenArchive, dtHidden | dtArchive));
    EXPECT_TRUE(DirTypeAllowed(system, dtSystem | dtNormal));
}

TEST(DirTreeRules, RecycleFolderIsListedButNothingBelowIt) {
    EXPECT_FALSE(BelowRecycleFolder("C:\\RECYCLED\\"));
    EXPECT_FALSE(BelowRecycleFolder("C:\\Recycler\\"));
    EXPECT_TRUE(BelowRecycleFolder("C:\\Recycled\\Inner\\"));
    EXPECT_TRUE(BelowRecycleFolder("C:\\RECYCLER\\S-1-5-21\\"));
    EXPECT_TRUE(BelowRecycleFolder("D:\\Old\\recycled\\Deep\\"));
    EXPECT_TRUE(BelowRecycleFolder("C:\\Recycler\\Recycled\\"));
    // Only a whole folder name counts.
    EXPECT_FALSE(BelowRecycleFolder("C:\\MyRecycled\\Inner\\"));
    EXPECT_FALSE(BelowRecycleFolder("C:\\Recycled.old\\Inner\\"));
    EXPECT_FALSE(BelowRecycleFolder(""));
}

TEST(DirTreeRules, NewFolderTakesTheFirstFreeNumberFromTwo) {
    std::set<std::string> existing;
    std::vector<std::string> asked;
    auto exists = [&](const std::string& path) {
        asked.push_back(path);
        return existing.count(path) > 0;
    };
    EXPECT_EQ(NewFolderName("C:\\Work\\", exists), "New Folder");
    EXPECT_EQ(asked, std::vector<std::string>{"C:\\Work\\New Folder"});

    existing = {"C:\\Work\\New Folder"};
    EXPECT_EQ(NewFolderName("C:\\Work\\", exists), "New Folder 2");
    existing = {"C:\\Work\\New Folder", "C:\\Work\\New Folder 2", "C:\\Work\\New Folder 3", "C:\\Work\\New Folder 5"};
    EXPECT_EQ(NewFolderName("C:\\Work\\", exists), "New Folder 4");
    // Names taken in another folder do not count.
    EXPECT_EQ(NewFolderName("C:\\Other\\", exists), "New Folder");
}
