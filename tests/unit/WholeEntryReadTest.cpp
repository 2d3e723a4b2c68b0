// The whole-entry reader against the piece-by-piece reader, and archives of
// either compression library read by either: the files, errors and progress
// must be the same whichever way an archive is read.
#include "tests/support/ArchiveFixture.h"

#include <map>
#include <memory>

#include "archive/WholeEntryArchive.h"
#include "platform/FileSystem.h"
#include "tests/support/FileTree.h"
#include "tools/kelpack/ArchiveWriter.h"
#include "tools/kelpack/Deflater.h"

namespace {

// What one extraction leaves behind and tells.
struct Outcome {
    std::map<std::string, std::string> Files;
    std::string Error;
    Reports Progress;
    bool operator==(const Outcome&) const = default;
};

// The ways an archive is read: piece by piece (as the setup does), and whole
// with each library.
struct Reader {
    const char* Name;
    std::unique_ptr<TZLBArchive> (*Make)();
};
const Reader kReaders[] = {
    {"pieces", [] { return std::make_unique<TZLBArchive>(); }},
    {"whole-zlib", []() -> std::unique_ptr<TZLBArchive> { return std::make_unique<TWholeEntryArchive>(TCodecLibrary::Zlib); }},
    {"whole-libdeflate",
     []() -> std::unique_ptr<TZLBArchive> { return std::make_unique<TWholeEntryArchive>(TCodecLibrary::Libdeflate); }},
};

// Extracts the archive with paths into a new folder; a progress handler
// that fails at report failAt (0: never).
Outcome ExtractWith(const Reader& reader, const std::string& archiveName, const std::string& folder, bool checkCRC,
                    size_t failAt = 0) {
    std::unique_ptr<TZLBArchive> archive = reader.Make();
    archive->ExtractWithPath = true;
    archive->CheckCRC = checkCRC;
    Outcome outcome;
    archive->OnProgress = [&](const std::string& message, int percentage) {
        outcome.Progress.emplace_back(message, percentage);
        if (outcome.Progress.size() == failAt) throw Exception("stop");
    };
    outcome.Error = MessageOf([&] {
        archive->OpenArchive(archiveName);
        archive->ExtractFiles(folder);
    });
    if (platform::DirectoryExists(folder)) outcome.Files = FileTree(folder);
    return outcome;
}

// The archive with one byte of it changed, its archive CRC made right again.
void FlipByte(const std::string& archiveName, size_t at) {
    std::string bytes = ReadFile(archiveName);
    bytes[at] = static_cast<char>(bytes[at] ^ 0x20);
    const uint32_t crc = ArchiveBuilder::Crc(bytes.substr(0, bytes.size() - ArchiveTrailerSize));
    for (int i = 0; i < 4; ++i) bytes[bytes.size() - ArchiveTrailerSize + i] = static_cast<char>(crc >> (8 * i));
    WriteFile(archiveName, bytes);
}

}  // namespace

using WholeEntryReadTest = ArchiveFixture;

TEST_F(WholeEntryReadTest, EveryReaderGivesThePieceReadersFilesErrorsAndProgress) {
    const struct {
        const char* What;
        void (*Shape)(ArchiveBuilder&);
        bool CheckCRC = false;
        size_t FailAt = 0;
        int FlipInEntry = -1;  // a byte of this entry's compressed data is changed
    } cases[] = {
        {"intact", [](ArchiveBuilder&) {}},
        {"checked", [](ArchiveBuilder&) {}, true},
        {"stream longer than the entry", [](ArchiveBuilder& b) { b.Add("cut.txt", TextData(20000, 4)).FileSize = 5000; }},
        {"stream shorter than the entry", [](ArchiveBuilder& b) { b.Add("long.txt", TextData(9000, 5)).FileSize = 12000; }},
        {"wrong CRC, checked", [](ArchiveBuilder& b) { b.Add("crc.txt", TextData(7000, 6)).FileCRC = 1; }, true},
        {"two entries share their data",
         [](ArchiveBuilder& b) {
             b.Add("same.txt", TextData(6000, 7)).DataOffset = 0;
         }},
        {"data past the end", [](ArchiveBuilder& b) { b.Add("far.txt", TextData(6000, 8)).DataOffset = 1 << 30; }},
        {"progress handler fails", [](ArchiveBuilder&) {}, false, 5},
        {"damaged stream", [](ArchiveBuilder&) {}, false, 0, 0},
        {"damaged stream, checked", [](ArchiveBuilder&) {}, true, 0, 2},
    };
    for (const auto& c : cases) {
        ArchiveBuilder builder;
        builder.Add("ten.txt", TextData(10000));
        builder.Add("noise.bin", NoiseData(9000), "bin", true);
        builder.Add("big.txt", TextData(300000, 3), "docs");
        builder.Add("empty.txt", "");
        c.Shape(builder);
        builder.WriteTo(archiveName);
        if (c.FlipInEntry >= 0) {
            archive.OpenArchive(archiveName);
            TArchiveEntry entry;
            archive.GetFileEntry(c.FlipInEntry, entry);
            archive.CloseArchive();
            FlipByte(archiveName, static_cast<size_t>(entry.DataOffset) + 40);
        }
        std::vector<Outcome> outcomes;
        for (const Reader& reader : kReaders) {
            outcomes.push_back(ExtractWith(reader, archiveName, scratch / (std::string(c.What) + "-" + reader.Name + "\\"),
                                           c.CheckCRC, c.FailAt));
            EXPECT_EQ(outcomes.back(), outcomes.front()) << c.What << ", " << reader.Name;
        }
    }
}

// Archives written with either library at its lowest, default and highest
// level read back exactly through every reader, the setup's among them.
TEST_F(WholeEntryReadTest, ArchivesOfEitherLibraryReadBackThroughEveryReader) {
    const std::string source = scratch / "product";
    ASSERT_TRUE(platform::ForceDirectories(source + "\\docs"));
    WriteFile(source + "\\readme.txt", TextData(70000, 2));
    WriteFile(source + "\\docs\\manual.txt", TextData(2 << 20, 3));
    WriteFile(source + "\\mixed.bin", NoiseData(5000) + TextData(50000));
    WriteFile(source + "\\noise.bin", NoiseData(20000));
    std::vector<TPackItem> items;
    for (const auto& [name, content] : FileTree(source)) {
        const size_t cut = name.rfind('\\');
        items.push_back({source + "\\" + name, cut == std::string::npos ? name : name.substr(cut + 1),
                         cut == std::string::npos ? "" : name.substr(0, cut), static_cast<int64_t>(content.size())});
    }
    for (const TCodecLibrary library : {TCodecLibrary::Zlib, TCodecLibrary::Libdeflate})
        for (const int level : {1, kDefaultDeflateLevel, MaxDeflateLevel(library)}) {
            TPackOptions options;
            options.Library = library;
            options.Level = level;
            WriteArchive(archiveName, items, options);
            for (const Reader& reader : kReaders) {
                const std::string out = scratch / ("out-" + std::to_string(static_cast<int>(library)) + "-" +
                                                   std::to_string(level) + "-" + reader.Name + "\\");
                const Outcome outcome = ExtractWith(reader, archiveName, out, true);
                EXPECT_EQ(outcome.Error, "") << reader.Name << ", level " << level;
                EXPECT_EQ(outcome.Files, FileTree(source)) << reader.Name << ", level " << level;
            }
        }
}
