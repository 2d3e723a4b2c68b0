// StreamCRC, CollectFolderFiles and MakeTempFileName.
#include "tests/support/ArchiveFixture.h"

#include <algorithm>

#include "platform/FileSystem.h"

using HelpersTest = ArchiveFixture;

TEST_F(HelpersTest, StreamCrcLeavesOutTheTailAndKeepsThePosition) {
    const std::string data = TextData(25000);  // more than two CRC pieces
    TMemoryStream stream(std::vector<uint8_t>(data.begin(), data.end()));
    stream.SetPosition(777);
    EXPECT_EQ(archive.StreamCRC(stream, 0), ArchiveBuilder::Crc(data));
    EXPECT_EQ(archive.StreamCRC(stream, 36), ArchiveBuilder::Crc(data.substr(0, data.size() - 36)));
    EXPECT_EQ(stream.Position(), 777);
    EXPECT_EQ(archive.StreamCRC(stream, 25000), 0u);
    EXPECT_EQ(archive.StreamCRC(stream, 99999), 0u);
}

TEST_F(HelpersTest, CollectFolderFilesPutsSubfolderContentsFirst) {
    ASSERT_TRUE(platform::ForceDirectories(scratch / "top\\sub\\deeper"));
    WriteFile(scratch / "top\\a.txt", "");
    WriteFile(scratch / "top\\sub\\b.txt", "");
    WriteFile(scratch / "top\\sub\\deeper\\c.txt", "");
    const std::string top = scratch / "top";

    std::vector<std::string> flat;
    archive.CollectFolderFiles(top + "\\", flat);
    EXPECT_EQ(flat, (std::vector<std::string>{top + "\\a.txt"}));

    archive.RecursePaths = true;
    std::vector<std::string> files;
    archive.CollectFolderFiles(top, files);
    EXPECT_EQ(files, (std::vector<std::string>{top + "\\sub\\deeper\\c.txt", top + "\\sub\\b.txt", top + "\\a.txt"}));

    archive.SavePaths = true;
    std::vector<std::string> withFolders;
    archive.CollectFolderFiles(top, withFolders);
    const auto at = [&](const std::string& name) {
        return std::find(withFolders.begin(), withFolders.end(), name) - withFolders.begin();
    };
    ASSERT_EQ(withFolders.size(), 5u);
    EXPECT_LT(at(top + "\\sub\\deeper\\c.txt"), at(top + "\\sub\\deeper"));
    EXPECT_LT(at(top + "\\sub\\deeper"), at(top + "\\sub"));
    EXPECT_LT(at(top + "\\sub\\b.txt"), at(top + "\\a.txt"));
}

TEST_F(HelpersTest, CollectFolderFilesAppendsToWhatTheListHolds) {
    WriteFile(scratch / "only.txt", "");
    std::vector<std::string> list{"kept"};
    archive.CollectFolderFiles(scratch.Path(), list);
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list[0], "kept");
}

TEST_F(HelpersTest, MakeTempFileNameCreatesAFreshFile) {
    std::string first, second;
    archive.MakeTempFileName(first);
    archive.MakeTempFileName(second);
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_TRUE(platform::FileExists(first));
    const std::string base = first.substr(first.find_last_of("\\/") + 1);
    EXPECT_EQ(base.substr(0, 3), "ZLB");
    platform::RemoveFile(first);
    platform::RemoveFile(second);
}
