// Entries that would write outside the destination folder are refused
// before anything is written; wild sizes and offsets fail cleanly.
#include "tests/support/ArchiveFixture.h"

#include "archive/EntryNames.h"
#include "platform/FileSystem.h"

using UnsafeInputTest = ArchiveFixture;

TEST(EntryNames, BareFileNamesOnly) {
    for (const std::string name : {"a.txt", "Setup.ini", ".hidden", "a..b", "x y", "CONSOLE", "con-1.txt", "NULL",
                                   "COM0", "COM10", "LPT", "xAUX", "COM1x.txt"})
        EXPECT_TRUE(IsSafeFileName(name)) << name;
    for (const std::string& name : std::vector<std::string>{"", ".", "..", "...", ". .", "..\\evil", "a\\b", "a/b", "C:evil", "file:stream",
                                   std::string("a\0b", 3), "CON", "con.txt", "Nul", "aux.tar.gz", "PRN ", "CON .txt",
                                   "COM1", "com9.log", "LPT1", "lpt9.txt", "COM¹", "lpt².txt"})
        EXPECT_FALSE(IsSafeFileName(name)) << name;
}

TEST(EntryNames, RelativeFoldersThatStayInside) {
    for (const std::string path : {"", "sub", "sub\\deeper", "sub\\", ".\\sub", "a..b\\c", "sub/deeper"})
        EXPECT_TRUE(IsSafeRelativePath(path)) << path;
    for (const std::string path : {"..", "..\\x", "sub\\..\\..", "sub\\..", "\\abs", "/abs", "\\\\server\\share",
                                   "C:\\x", "C:x", "sub\\...\\x", "sub/../x", "sub\\.. \\x", "CON", "sub\\nul\\x",
                                   "sub/Com3.d"})
        EXPECT_FALSE(IsSafeRelativePath(path)) << path;
}

TEST_F(UnsafeInputTest, ClimbingNamesAreRefusedBeforeAnythingIsWritten) {
    for (const std::string name : {"..\\escaped.txt", "../escaped.txt", "..", "C:escaped.txt"}) {
        ArchiveBuilder builder;
        builder.Add("harmless.txt", "x");
        builder.Add(name, "payload");
        builder.WriteTo(archiveName);
        archive.OpenArchive(archiveName);
        RecordProgress();
        reports.clear();
        EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(destination); }),
                  "File (1) would be written outside the destination folder (" + name + ")");
        EXPECT_FALSE(platform::DirectoryExists(destination)) << name;  // not even the harmless entry
        EXPECT_FALSE(platform::FileExists(scratch / "escaped.txt"));
        EXPECT_EQ(reports, (Reports{{archiveName, 0}}));
    }
}

TEST_F(UnsafeInputTest, DeviceNamesAreRefusedBeforeAnythingIsWritten) {
    struct Case {
        const char* Name;
        const char* Path;
        const char* Shown;
    };
    for (const Case& c : {Case{"NUL.txt", "", "NUL.txt"}, Case{"a.txt", "docs\\aux", "docs\\aux\\a.txt"}}) {
        ArchiveBuilder builder;
        builder.Add("harmless.txt", "x");
        builder.Add(c.Name, "payload", c.Path);
        builder.WriteTo(archiveName);
        archive.OpenArchive(archiveName);
        archive.ExtractWithPath = true;
        EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(destination); }),
                  std::string("File (1) has a name that Windows reserves for a device (") + c.Shown + ")");
        EXPECT_FALSE(platform::DirectoryExists(destination)) << c.Shown;
    }
}

TEST_F(UnsafeInputTest, ClimbingPathsMatterOnlyWhenPathsAreUsed) {
    ArchiveBuilder builder;
    builder.Add("escaped.txt", "payload", "..\\..");
    builder.WriteTo(archiveName);
    archive.OpenArchive(archiveName);
    archive.ExtractWithPath = true;
    EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(destination); }),
              "File (0) would be written outside the destination folder (..\\..\\escaped.txt)");
    EXPECT_FALSE(platform::FileExists(scratch / "escaped.txt"));

    archive.ExtractWithPath = false;  // the folder is ignored, so the file lands inside
    archive.ExtractFiles(destination);
    EXPECT_EQ(Extracted("escaped.txt"), "payload");
}

TEST_F(UnsafeInputTest, AbsolutePathsAreRefused) {
    for (const std::string path : {"\\tmp", "/tmp", "C:\\Windows"}) {
        ArchiveBuilder builder;
        builder.Add("a.txt", "payload", path);
        builder.WriteTo(archiveName);
        archive.OpenArchive(archiveName);
        archive.ExtractWithPath = true;
        EXPECT_NE(MessageOf([&] { archive.ExtractFiles(destination); }).find("outside the destination folder"),
                  std::string::npos)
            << path;
    }
}

TEST_F(UnsafeInputTest, NegativeOffsetIsACorruptFileAndNegativeSizeAnEmptyOne) {
    ArchiveBuilder builder;
    builder.Add("negative-size.txt", "abc").FileSize = -5;
    builder.Add("negative-offset.txt", "abc").DataOffset = -100;
    builder.WriteTo(archiveName);
    archive.OpenArchive(archiveName);
    EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(destination); }), "File (1) is corrupt");
    EXPECT_EQ(Extracted("negative-size.txt"), "");
}

TEST_F(UnsafeInputTest, OffsetBeyondTheFileIsACorruptOrShortFile) {
    ArchiveBuilder builder;
    builder.Add("stored.bin", "abc", "", true).DataOffset = 1 << 30;
    builder.Add("packed.txt", "abc").DataOffset = 1 << 30;
    builder.WriteTo(archiveName);
    archive.OpenArchive(archiveName);
    EXPECT_EQ(MessageOf([&] { archive.ExtractFiles(destination); }), "File (1) is corrupt");
    EXPECT_EQ(Extracted("stored.bin"), "");
}
