// Extracting entries: content, placement, replacing, CRC checks and failures.
#include "tests/support/ArchiveFixture.h"

#include "platform/FileSystem.h"

using ExtractTest = ArchiveFixture;

TEST_F(ExtractTest, StoredAndCompressedEntriesComeOutByteForByte) {
    ArchiveBuilder builder;
    builder.Add("text.txt", TextData(100000));
    builder.Add("noise.bin", NoiseData(70000), "", true);
    builder.Add("empty.txt", "");
    builder.Add("big.txt", TextData(300000, 3));  // more than one 64 KiB input buffer of compressed data
    builder.CompressTable = true;
    builder.WriteTo(archiveName);
    std::vector<std::string> extracted;
    archive.OnFileExtracted = [&](const std::string& name) { extracted.push_back(name); };

    ASSERT_TRUE(archive.OpenArchive(archiveName));
    archive.ExtractFiles(destination);

    EXPECT_EQ(Extracted("text.txt"), TextData(100000));
    EXPECT_EQ(Extracted("noise.bin"), NoiseData(70000));
    EXPECT_EQ(Extracted("empty.txt"), "");
    EXPECT_EQ(Extracted("big.txt"), TextData(300000, 3));
    // The folder as passed in, directly followed by the bare name.
    EXPECT_EQ(extracted, (std::vector<std::string>{destination + "text.txt", destination + "noise.bin",
                                                   destination + "empty.txt", destination + "big.txt"}));
    // Extraction leaves the component open and may be repeated.
    archive.ExtractFiles(scratch / "again\\");
    EXPECT_EQ(ReadFile(scratch / "again\\big.txt"), TextData(300000, 3));
}

TEST_F(ExtractTest, PathsAreUsedOnlyWhenAskedFor) {
    ArchiveBuilder builder;
    builder.Add("same.txt", "first", "one");
    builder.Add("same.txt", "second", "two\\deeper");
    builder.WriteTo(archiveName);
    archive.OpenArchive(archiveName);

    archive.ExtractFiles(destination);
    EXPECT_EQ(Extracted("same.txt"), "second");  // the later entry wins
    EXPECT_FALSE(platform::DirectoryExists(destination + "one"));

    archive.ExtractWithPath = true;
    archive.ExtractFiles(destination);
    EXPECT_EQ(Extracted("one\\same.txt"), "first");
    EXPECT_EQ(Extracted("two\\deeper\\same.txt"), "second");
}

TEST_F(ExtractTest, ReplaceHandlerDecidesOnlyForExistingFiles) {
    ArchiveBuilder builder;
    builder.Add("keep.txt", "new");
    builder.Add("fresh.txt", "new");
    builder.Add("replace.txt", "new");
    builder.WriteTo(archiveName);
    ASSERT_TRUE(platform::ForceDirectories(destination));
    WriteFile(destination + "keep.txt", "old");
    WriteFile(destination + "replace.txt", "old");
    std::vector<std::string> asked;
    std::vector<std::string> extracted;
    archive.OnReplaceFile = [&](const std::string& name, bool& replace) {
        EXPECT_FALSE(replace);
        asked.push_back(name);
        replace = name.find("replace") != std::string::npos;
    };
    archive.OnFileExtracted = [&](const std::string& name) { extracted.push_back(name); };
    RecordProgress();
    archive.OpenArchive(archiveName);
    reports.clear();
    archive.ExtractFiles(destination);

    const std::string folder = scratch / "out";
    EXPECT_EQ(asked, (std::vector<std::string>{folder + "\\keep.txt", folder + "\\replace.txt"}));
    EXPECT_EQ(Extracted("keep.txt"), "old");
    EXPECT_EQ(Extracted("fresh.txt"), "new");
    EXPECT_EQ(Extracted("replace.txt"), "new");
    // A skipped file has no progress and no OnFileExtracted.
    EXPECT_EQ(extracted, (std::vector<std::string>{destination + "fresh.txt", destination + "replace.txt"}));
    EXPECT_EQ(reports, (Reports{{"Extracting fresh.txt", 100}, {"Extracting replace.txt", 100}, {archiveName, 0}}));
}

TEST_F(ExtractTest, ExistingFilesAreOverwrittenWithoutAHandler) {
    ArchiveBuilder builder;
    builder.Add("a.txt", "new");
    builder.WriteTo(archiveName);
    ASSERT_TRUE(platform::ForceDirectories(destination));
    WriteFile(destination + "a.txt", "a much longer old content");
    archive.OpenArchive(archiveName);
    archive.ExtractFiles(destination);
    EXPECT_EQ(Extracted("a.txt"), "new");
}

TEST_F(ExtractTest, DoubledBackslashesCollapseAndTheTrailingOneGoes) {
    ArchiveBuilder builder;
    builder.Add("a.txt", "new");
    builder.Add("b.txt", "deep", "sub\\\\");
    builder.WriteTo(archiveName);
    const std::string doubled = scratch.Path() + "\\\\x\\\\y\\\\";
    ASSERT_TRUE(platform::ForceDirectories(scratch / "x\\y\\sub"));
    WriteFile(scratch / "x\\y\\a.txt", "old");
    WriteFile(scratch / "x\\y\\sub\\b.txt", "old");
    std::vector<std::string> asked;
    archive.OnReplaceFile = [&](const std::string& name, bool& replace) {
        asked.push_back(name);
        replace = true;
    };
    archive.ExtractWithPath = true;
    archive.OpenArchive(archiveName);
    archive.ExtractFiles(doubled);
    EXPECT_EQ(asked, (std::vector<std::string>{scratch / "x\\y\\a.txt", scratch / "x\\y\\sub\\b.txt"}));
    EXPECT_EQ(ReadFile(scratch / "x\\y\\sub\\b.txt"), "deep");
}

TEST_F(ExtractTest, StoredEntryRunningPastTheEndGivesAShorterFile) {
    ArchiveBuilder builder;
    builder.Add("short.bin", "0123456789", "", true).FileSize = 5000;
    builder.TableFirst = true;  // the stored data is the last thing before the trailer
    builder.WriteTo(archiveName);
    archive.OpenArchive(archiveName);
    archive.ExtractFiles(destination);
    // It reads on into the trailer: what the file holds, never more than is there.
    const std::string extracted = Extracted("short.bin");
    EXPECT_EQ(extracted.substr(0, 10), "0123456789");
    EXPECT_EQ(extracted.size(), 10u + 36u);

    archive.CheckCRC = true;
    EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(destination); }), "File (0) is corrupt");
}

TEST_F(ExtractTest, CheckCrcStopsAtTheFlippedEntryAndKeepsTheEarlierOnes) {
    ArchiveBuilder builder;
    builder.Add("first.txt", "intact");
    builder.Add("second.bin", "flipped!", "", true).FileCRC = ArchiveBuilder::Crc("flipped?");
    builder.Add("third.txt", "never reached");
    builder.WriteTo(archiveName);
    archive.OpenArchive(archiveName);

    archive.ExtractFiles(destination);  // without the check the damage goes unnoticed
    EXPECT_EQ(Extracted("second.bin"), "flipped!");

    archive.CheckCRC = true;
    ScratchFolder other;
    const std::string target = other.Path() + "\\";
    EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(target); }), "File (1) is corrupt");
    EXPECT_EQ(ReadFile(other / "first.txt"), "intact");
    EXPECT_EQ(ReadFile(other / "second.bin"), "flipped!");  // stays as far as it was written
    EXPECT_FALSE(platform::FileExists(other / "third.txt"));
}

TEST_F(ExtractTest, DamagedCompressedDataIsACorruptFile) {
    ArchiveBuilder builder;
    builder.Add("good.txt", "fine");
    BuilderEntry& bad = builder.Add("bad.txt", TextData(20000));
    bad.FileSize = 40000;  // the stream ends before that many bytes came out
    builder.WriteTo(archiveName);
    archive.OpenArchive(archiveName);
    EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(destination); }), "File (1) is corrupt");
    EXPECT_EQ(Extracted("bad.txt"), TextData(20000).substr(0, 4 * 4096));  // the whole pieces before the end

    ArchiveBuilder garbage;
    garbage.Add("noise.txt", "x").DataOffset = 0;  // points at "JUNK", not a zlib stream
    garbage.WriteTo(archiveName);
    archive.OpenArchive(archiveName);
    EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(destination); }), "File (0) is corrupt");
}

TEST_F(ExtractTest, DestinationThatCannotBeAFolder) {
    ArchiveBuilder builder;
    builder.Add("a.txt", "x");
    builder.WriteTo(archiveName);
    WriteFile(scratch / "blocker", "a file where a folder should be");
    archive.OpenArchive(archiveName);
    EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(scratch / "blocker\\sub\\"); }), "Unable to create destination path");
    EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(""); }), "Unable to create destination path");
}

TEST_F(ExtractTest, TargetThatCannotBeCreatedGivesTheFileCreationError) {
    ArchiveBuilder builder;
    builder.Add("taken", "x");
    builder.WriteTo(archiveName);
    ASSERT_TRUE(platform::ForceDirectories(destination + "taken"));  // a folder holds the name
    archive.OpenArchive(archiveName);
    const std::string target = scratch / "out\\taken";
    EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(destination); }), "Datei " + target + " kann nicht erstellt werden");
}
