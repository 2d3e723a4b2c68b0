// kelpack's writer: what it writes reads back through the archive component.
#include "tests/support/ArchiveFixture.h"

#include <system_error>


#include "platform/FileSystem.h"
#include "tools/kelpack/ArchiveWriter.h"
#include "tools/kelpack/Deflater.h"
#include "tools/kelpack/PackSources.h"
#include "tools/kelpack/StreamedPacking.h"

using WriterTest = ArchiveFixture;

namespace {

void MakeSampleFolder(const std::string& root) {
    ASSERT_TRUE(platform::ForceDirectories(root + "\\docs\\en"));
    ASSERT_TRUE(platform::ForceDirectories(root + "\\bin"));
    WriteFile(root + "\\Setup.ini", "Object Setup\r\nend\r\n");
    WriteFile(root + "\\docs\\en\\readme.txt", TextData(50000));
    WriteFile(root + "\\bin\\app.exe", NoiseData(30000));
    WriteFile(root + "\\bin\\empty.dat", "");
}

// Spelled out with append: GCC 12 warns falsely about "f" + std::to_string(i).
std::string NumberedName(int i) { return std::string("f").append(std::to_string(i)); }

}  // namespace

TEST_F(WriterTest, FolderRoundTripsWithPathsAtEveryLevel) {
    const std::string source = scratch / "product";
    MakeSampleFolder(source);
    std::vector<std::string> warnings;
    const std::vector<TPackItem> items = CollectPackItems({source}, warnings);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_TRUE(warnings.empty());
    for (const TFileCompressionLevel level : {fcNone, fcFastest, fcDefault, fcMaximum})
        for (const bool compressTable : {true, false}) {
            TPackOptions options;
            options.Level = DeflateLevelOf(level);
            options.CompressTable = compressTable;
            const TPackResult result = WriteArchive(archiveName, items, options);
            EXPECT_EQ(result.Entries, 4);
            EXPECT_EQ(result.InputBytes, 50000 + 30000 + 19);

            archive.ExtractWithPath = true;
            archive.CheckCRC = true;
            ASSERT_TRUE(archive.OpenArchive(archiveName));
            EXPECT_EQ(archive.Trailer().TableCompressed != 0, compressTable);
            const std::string out = scratch / ("out" + std::to_string(level) + std::to_string(compressTable) + "\\");
            archive.ExtractFiles(out);
            EXPECT_EQ(ReadFile(out + "Setup.ini"), "Object Setup\r\nend\r\n");
            EXPECT_EQ(ReadFile(out + "docs\\en\\readme.txt"), TextData(50000));
            EXPECT_EQ(ReadFile(out + "bin\\app.exe"), NoiseData(30000));
            EXPECT_EQ(ReadFile(out + "bin\\empty.dat"), "");
        }
}

TEST_F(WriterTest, DataThatDoesNotShrinkIsStored) {
    WriteFile(scratch / "noise.bin", NoiseData(10000));
    WriteFile(scratch / "text.txt", TextData(10000));
    std::vector<std::string> warnings;
    const TPackResult result =
        WriteArchive(archiveName, CollectPackItems({scratch / "noise.bin", scratch / "text.txt"}, warnings), {});
    EXPECT_EQ(result.Stored, 1);
    archive.OpenArchive(archiveName);
    TArchiveEntry noise, text;
    archive.GetFileEntry(0, noise);
    archive.GetFileEntry(1, text);
    EXPECT_EQ(noise.FileName, "noise.bin");
    EXPECT_EQ(noise.FilePath, "");
    EXPECT_TRUE(noise.IsStored());
    EXPECT_FALSE(text.IsStored());
    EXPECT_LT(result.ArchiveBytes, 10000 + 10000);
}

TEST_F(WriterTest, ManySmallFilesKeepTheirOrderAcrossThreads) {
    std::vector<TPackItem> items;
    ASSERT_TRUE(platform::CreateDir(scratch / "many"));
    for (int i = 0; i < 300; ++i) {
        const std::string name = NumberedName(i);
        WriteFile(scratch / ("many\\" + name), TextData(static_cast<size_t>(i * 37), static_cast<unsigned>(i)));
        items.push_back({scratch / ("many\\" + name), name, "", i * 37});
    }
    TPackOptions options;
    options.Threads = 4;
    WriteArchive(archiveName, items, options);
    archive.CheckCRC = true;
    archive.OpenArchive(archiveName);
    archive.ExtractFiles(destination);
    for (int i = 0; i < 300; i += 17) {
        TArchiveEntry entry;
        archive.GetFileEntry(i, entry);
        EXPECT_EQ(entry.FileName, NumberedName(i));
        EXPECT_EQ(Extracted(entry.FileName), TextData(static_cast<size_t>(i * 37), static_cast<unsigned>(i)));
    }
}

// One worker packs files of falling and rising sizes with the same compressor
// and buffers: each block is what a fresh compressor makes of the file alone,
// or the file as it is when that is not shorter.
TEST_F(WriterTest, EachBlockIsTheFilesOwnStreamOrTheFileItself) {
    const std::vector<std::string> contents{TextData(200000), TextData(3000, 7), "x", NoiseData(5000), TextData(64, 3), ""};
    std::vector<TPackItem> items;
    for (size_t i = 0; i < contents.size(); ++i) {
        const std::string name = NumberedName(static_cast<int>(i));
        WriteFile(scratch / name, contents[i]);
        items.push_back({scratch / name, name, "", static_cast<int64_t>(contents[i].size())});
    }
    for (const TFileCompressionLevel level : {fcFastest, fcDefault, fcMaximum}) {
        TPackOptions options;
        options.Level = DeflateLevelOf(level);
        options.Threads = 1;
        WriteArchive(archiveName, items, options);
        const std::string bytes = ReadFile(archiveName);
        ASSERT_TRUE(archive.OpenArchive(archiveName));
        for (size_t i = 0; i < contents.size(); ++i) {
            TArchiveEntry entry, next;
            archive.GetFileEntry(static_cast<int>(i), entry);
            const int64_t end = i + 1 < contents.size() ? (archive.GetFileEntry(static_cast<int>(i + 1), next), next.DataOffset)
                                                        : archive.Trailer().TableOffset;
            std::string alone(DeflateBound(contents[i].size()), '\0');
            alone.resize(NewDeflater(options.Library, options.Level)
                             ->Compress(reinterpret_cast<const uint8_t*>(contents[i].data()), contents[i].size(),
                                        reinterpret_cast<uint8_t*>(alone.data()), alone.size()));
            const std::string expected = alone.size() < contents[i].size() ? alone : contents[i];
            EXPECT_EQ(bytes.substr(entry.DataOffset, end - entry.DataOffset), expected) << "file " << i << ", level " << level;
            EXPECT_EQ(entry.IsStored(), expected == contents[i]);
        }
        archive.CloseArchive();
    }
}

// Large files are sampled at their start, middle and end before they are
// deflated: only a file that shrinks in none of them is stored untried.
TEST_F(WriterTest, LargeFilesAreStoredUntriedOnlyWhenNoSampleShrinks) {
    const size_t kLarge = 2 << 20;
    const struct {
        const char* What;
        std::string Contents;
        bool Stored;
    } cases[] = {
        {"noise throughout", NoiseData(kLarge), true},
        {"noise at the start only", NoiseData(128 << 10) + TextData(kLarge), false},
        {"noise but at the end", NoiseData(kLarge) + TextData(128 << 10), false},
    };
    std::vector<TPackItem> items;
    for (const auto& c : cases) {
        WriteFile(scratch / c.What, c.Contents);
        items.push_back({scratch / c.What, c.What, "", static_cast<int64_t>(c.Contents.size())});
    }
    WriteArchive(archiveName, items, TPackOptions{});
    ASSERT_TRUE(archive.OpenArchive(archiveName));
    for (size_t i = 0; i < std::size(cases); ++i) {
        TArchiveEntry entry;
        archive.GetFileEntry(static_cast<int>(i), entry);
        EXPECT_EQ(entry.IsStored(), cases[i].Stored) << cases[i].What;
    }
    archive.CloseArchive();
}

TEST_F(WriterTest, FailuresLeaveNoArchiveBehind) {
    std::vector<std::string> warnings;
    EXPECT_EQ(MessageOf([&] { CollectPackItems({scratch / "missing"}, warnings); }),
              "No such file or folder: " + scratch / "missing");

    WriteFile(scratch / "a.txt", "x");
    std::vector<TPackItem> items{{scratch / "a.txt", "a.txt", "", 1}, {scratch / "gone.txt", "gone.txt", "", 1}};
    EXPECT_EQ(MessageOf([&] { WriteArchive(archiveName, items, {}); }), "Cannot read " + scratch / "gone.txt");
    EXPECT_FALSE(platform::FileExists(archiveName));

    // The limit counts bytes as stored: 128 "é" fit in Windows-1252, not in UTF-8.
    const std::string accents = [] {
        std::string name;
        for (int i = 0; i < 128; ++i) name += "é";
        return name;
    }();
    for (const std::vector<TPackItem>& overlong :
         {std::vector<TPackItem>{{scratch / "a.txt", std::string(256, 'n'), "", 1}},
          std::vector<TPackItem>{{scratch / "a.txt", "a", std::string(256, 'p'), 1}},
          std::vector<TPackItem>{{scratch / "a.txt", accents, "", 1}, {scratch / "a.txt", "Ω", "", 1}},
          std::vector<TPackItem>{{scratch / "a.txt", "F\xFCr", "", 1}}}) {
        const std::string message = MessageOf([&] { WriteArchive(archiveName, overlong, {}); });
        EXPECT_EQ(message.find(scratch / "a.txt: "), 0u) << message;
        EXPECT_FALSE(platform::FileExists(archiveName)) << message;
    }
    items = {{scratch / "a.txt", accents, "", 1}};
    EXPECT_NO_THROW(WriteArchive(archiveName, items, {}));
}

// Names are stored in Windows-1252 while every one fits, as archives always
// were, and otherwise all in UTF-8 under the trailer's tag; the reader gives
// them back in UTF-8 either way. Every table carries the entries' digests.
TEST_F(WriterTest, NamesAreWindows1252WhenAllFitAndTaggedUtf8Otherwise) {
    WriteFile(scratch / "a.txt", "x");
    const struct {
        const char* What;
        std::string Name, Path;        // in UTF-8
        std::string StoredName;        // as the record holds it
        bool Tagged;
    } cases[] = {
        {"ASCII", "a.txt", "bin", "a.txt", false},
        {"Western", "Übersicht €.txt", "Straße", "\xDC" "bersicht \x80.txt", false},
        {"Cyrillic", "Файл.txt", "Папка", "Файл.txt", true},
        {"CJK and beyond the Basic Multilingual Plane", "日本 😀.txt", "", "日本 😀.txt", true},
        {"a Western name beside a Greek folder", "Grüße", "Ωmega", "Grüße", true},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        WriteArchive(archiveName, {{scratch / "a.txt", "plain.txt", "", 1}, {scratch / "a.txt", c.Name, c.Path, 1}},
                     TPackOptions{kDefaultDeflateLevel, false, 1, {}});
        const std::string bytes = ReadFile(archiveName);
        const std::string trailer = bytes.substr(bytes.size() - ArchiveTrailerSize);
        EXPECT_EQ(trailer.substr(21, 11), (c.Tagged ? std::string("\0\0\0UTF8", 7) : std::string(7, '\0')) + "SHA2")
            << c.What;
        // The plain table: two records, then two digests.
        const size_t table = bytes.size() - ArchiveTrailerSize - 2 * (ArchiveEntrySize + ArchiveDigestSize);
        const TArchiveEntry stored =
            TArchiveEntry::Decode(reinterpret_cast<const uint8_t*>(bytes.data()) + table + ArchiveEntrySize);
        EXPECT_EQ(stored.FileName, c.StoredName) << c.What;

        ASSERT_TRUE(archive.OpenArchive(archiveName)) << c.What;
        TArchiveEntry entry;
        archive.GetFileEntry(1, entry);
        EXPECT_EQ(entry.FileName, c.Name) << c.What;
        EXPECT_EQ(entry.FilePath, c.Path) << c.What;
        archive.ExtractWithPath = true;
        const std::string out = scratch / NumberedName(static_cast<int>(i));
        archive.ExtractFiles(out + "\\");
        EXPECT_EQ(ReadFile(c.Path.empty() ? out + "\\" + c.Name : out + "\\" + c.Path + "\\" + c.Name), "x") << c.What;
        archive.CloseArchive();
    }
}

// The n-th of four worker threads cannot be started: those started before it
// are stopped and joined, and the failure is reported like any other, with
// no archive left behind. A fifth start is never asked for.
TEST_F(WriterTest, AWorkerThatCannotStartEndsThePackingAsAFailure) {
    std::vector<TPackItem> items;
    for (int i = 0; i < 12; ++i) {
        WriteFile(scratch / NumberedName(i), TextData(20000, static_cast<unsigned>(i)));
        items.push_back({scratch / NumberedName(i), NumberedName(i), "", 20000});
    }
    for (const int failing : {1, 2, 3, 4, 5}) {
        int starts = 0;
        TPackOptions options;
        options.Threads = 4;
        options.StartThread = [&](std::function<void()> work) {
            if (++starts == failing) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
            return std::thread(std::move(work));
        };
        const std::string message = MessageOf([&] { WriteArchive(archiveName, items, options); });
        if (failing <= 4) {
            EXPECT_EQ(message.rfind("Cannot start a worker thread (", 0), 0u) << failing << ": " << message;
            EXPECT_FALSE(platform::FileExists(archiveName)) << failing;
        } else {
            EXPECT_EQ(message, "");
            EXPECT_TRUE(platform::FileExists(archiveName));
        }
    }
}

TEST_F(WriterTest, EmptySubfoldersAreNamedAsNotKept) {
    ASSERT_TRUE(platform::ForceDirectories(scratch / "src\\hollow"));
    WriteFile(scratch / "src\\a.txt", "x");
    std::vector<std::string> warnings;
    EXPECT_EQ(CollectPackItems({scratch / "src"}, warnings).size(), 1u);
    EXPECT_EQ(warnings, (std::vector<std::string>{"empty folder not kept: " + scratch / "src\\hollow"}));
}

// Files from StreamedFileBytes on go through in blocks rather than whole: the
// same bytes come back, a file that does not shrink is stored, and the
// archive stays in the narrow form.
TEST_F(WriterTest, FilesAtAndAboveTheStreamingSizeRoundTrip) {
    const size_t kStreamed = static_cast<size_t>(StreamedFileBytes);
    const struct {
        const char* Name;
        std::string Contents;
        bool Stored;
    } files[] = {
        {"below.txt", TextData(kStreamed - 1, 2), false},
        {"at.bin", NoiseData(kStreamed, 3), true},
        {"above.txt", TextData(kStreamed + (1 << 20) + 123, 4), false},
        {"small.txt", TextData(5000, 5), false},
    };
    std::vector<TPackItem> items;
    for (const auto& file : files) {
        WriteFile(scratch / file.Name, file.Contents);
        items.push_back({scratch / file.Name, file.Name, "", static_cast<int64_t>(file.Contents.size())});
    }
    TPackOptions options;
    options.Threads = 2;
    WriteArchive(archiveName, items, options);

    archive.CheckCRC = true;
    ASSERT_TRUE(archive.OpenArchive(archiveName));
    EXPECT_FALSE(archive.Trailer().Wide);
    archive.ExtractFiles(destination);
    for (size_t i = 0; i < std::size(files); ++i) {
        EXPECT_TRUE(Extracted(files[i].Name) == files[i].Contents) << files[i].Name;
        EXPECT_EQ(archive.Entries()[i].IsStored(), files[i].Stored) << files[i].Name;
    }
    EXPECT_LT(ReadFile(archiveName).size(), kStreamed * 2) << "the text files were deflated";
}
