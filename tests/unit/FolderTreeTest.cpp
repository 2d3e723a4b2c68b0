#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "shell/FolderTree.h"
#include "tests/support/ArchiveFixture.h"

#ifndef _WIN32
#include <unistd.h>

#include <utility>

#include "platform/posix/NativePath.h"
#endif

namespace {

// Clears read-only marks left by a test so the scratch folder can go.
struct ReadOnlyFile {
    std::string path;
    explicit ReadOnlyFile(std::string p) : path(std::move(p)) { platform::SetReadOnly(path, true); }
    ~ReadOnlyFile() { platform::SetReadOnly(path, false); }
};

}  // namespace

TEST(DeleteFolderTree, RemovesEverythingDepthFirst) {
    ScratchFolder scratch;
    const std::string tree = scratch / "tree";
    ASSERT_TRUE(platform::ForceDirectories(tree + "\\a\\b\\c"));
    ASSERT_TRUE(platform::CreateDir(tree + "\\empty"));
    WriteFile(tree + "\\top.txt", "x");
    WriteFile(tree + "\\.hidden", "x");
    WriteFile(tree + "\\a\\b\\c\\deep.txt", "x");
    DeleteFolderTree(tree);
    EXPECT_FALSE(platform::DirectoryExists(tree));
    EXPECT_TRUE(platform::DirectoryExists(scratch.Path()));
}

TEST(DeleteFolderTree, MissingFolderIsNothingToDo) {
    ScratchFolder scratch;
    EXPECT_NO_THROW(DeleteFolderTree(scratch / "none"));
}

TEST(DeleteFolderTree, ReadOnlyFileStopsItWithTheFolderAndTheFileNamed) {
    ScratchFolder scratch;
    const std::string tree = scratch / "tree";
    ASSERT_TRUE(platform::CreateDir(tree));
    WriteFile(tree + "\\locked.txt", "x");
    ReadOnlyFile locked(tree + "\\locked.txt");
    EXPECT_EQ(MessageOf([&] { DeleteFolderTree(tree); }), "Aborted deleting Directory: " + tree + "file: locked.txt");
    EXPECT_TRUE(platform::FileExists(tree + "\\locked.txt"));
}

TEST(DeleteFolderTree, FailureDeepDownNamesTheTopFolderAndItsSubfolder) {
    ScratchFolder scratch;
    const std::string tree = scratch / "tree";
    ASSERT_TRUE(platform::ForceDirectories(tree + "\\level1\\level2"));
    WriteFile(tree + "\\level1\\level2\\locked.txt", "x");
    ReadOnlyFile locked(tree + "\\level1\\level2\\locked.txt");
    EXPECT_EQ(MessageOf([&] { DeleteFolderTree(tree); }), "Aborted deleting Directory: " + tree + "file: level1");
    EXPECT_TRUE(platform::DirectoryExists(tree + "\\level1\\level2"));
}

#ifndef _WIN32
// Links inside go as links; what they point to stays. (Under Wine the
// wizard's own test makes the link, since Windows programs cannot.)
TEST(DeleteFolderTree, RemovesLinksWithoutFollowingThem) {
    ScratchFolder scratch;
    const std::string tree = scratch / "tree", outside = scratch / "outside";
    ASSERT_TRUE(platform::CreateDir(tree));
    ASSERT_TRUE(platform::CreateDir(outside));
    WriteFile(outside + "\\keep.txt", "x");
    for (const auto& [link, target] : {std::pair<std::string, std::string>{"folder-link", outside},
                                       {"file-link", outside + "\\keep.txt"}})
        ASSERT_EQ(::symlink(platform::NativePath(target).c_str(), platform::NativePath(tree + "\\" + link).c_str()), 0);
    DeleteFolderTree(tree);
    EXPECT_FALSE(platform::DirectoryExists(tree));
    EXPECT_EQ(ReadFile(outside + "\\keep.txt"), "x");
    // A top that is a link goes as a link too.
    ASSERT_EQ(::symlink(platform::NativePath(outside).c_str(), platform::NativePath(tree).c_str()), 0);
    DeleteFolderTree(tree);
    EXPECT_FALSE(platform::PathTaken(tree));
    EXPECT_EQ(ReadFile(outside + "\\keep.txt"), "x");
}
#endif
