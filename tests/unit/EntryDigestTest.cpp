// Archives whose table carries each entry's SHA-256: written and read back,
// trusted through the table's CRC alone, every entry checked by its digest
// as it is extracted, and the payload's digest taken over the table.
#include "tests/support/ArchiveFixture.h"

#include <memory>

#include "app/PayloadDigest.h"
#include "archive/WholeEntryArchive.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "tools/kelpack/ArchiveWriter.h"

namespace {

// The archive with the byte at offset changed; the CRCs are left as they were.
void ChangeByte(const std::string& archiveName, size_t at) {
    std::string bytes = ReadFile(archiveName);
    bytes[at] = static_cast<char>(bytes[at] ^ 0x04);
    WriteFile(archiveName, bytes);
}

TSha256Digest PayloadDigest(const std::string& archiveName) {
    TFileStream file(archiveName, TFileMode::fmOpenRead);
    return PayloadDigestOf(file);
}

// What extraction into a new folder raises, with the piece reader and the whole-entry reader.
std::string ExtractionError(const std::string& archiveName, const std::string& folder) {
    std::string errors;
    for (const bool whole : {false, true}) {
        std::unique_ptr<TZLBArchive> archive =
            whole ? std::make_unique<TWholeEntryArchive>() : std::make_unique<TZLBArchive>();
        errors += MessageOf([&] {
            archive->OpenArchive(archiveName);
            archive->ExtractFiles(folder + (whole ? "whole\\" : "pieces\\"));
        });
        errors += ";";
    }
    return errors;
}

}  // namespace

using EntryDigestTest = ArchiveFixture;

TEST_F(EntryDigestTest, WrittenTablesCarryEveryEntrysDigestAndReadBack) {
    const std::string contents[] = {TextData(70000), NoiseData(9000), ""};
    const struct {
        const char* Name;
        const char* Folder;
        bool Utf8;
    } names[] = {{"Übersicht €.txt", "Straße", false}, {"Файл.txt", "Папка", true}};
    for (const bool compressTable : {false, true})
        for (const auto& n : names) {
            std::vector<TPackItem> items;
            for (size_t i = 0; i < std::size(contents); ++i) {
                WriteFile(scratch / std::to_string(i), contents[i]);
                items.push_back({scratch / std::to_string(i), std::to_string(i) + n.Name, n.Folder, 0});
            }
            TPackOptions options;
            options.CompressTable = compressTable;
            WriteArchive(archiveName, items, options);

            ASSERT_TRUE(archive.OpenArchive(archiveName));
            EXPECT_TRUE(archive.Trailer().HasEntryDigests);
            EXPECT_EQ(archive.Trailer().NamesInUtf8, n.Utf8);
            archive.ExtractWithPath = true;
            const std::string out = scratch / ("out" + std::to_string(compressTable) + n.Folder + "\\");
            archive.ExtractFiles(out);
            for (size_t i = 0; i < std::size(contents); ++i) {
                TArchiveEntry entry;
                archive.GetFileEntry(static_cast<int>(i), entry);
                ASSERT_TRUE(entry.Sha256.has_value());
                EXPECT_EQ(std::string(entry.Sha256->begin(), entry.Sha256->end()), ArchiveBuilder::Sha256(contents[i]));
                EXPECT_EQ(ReadFile(out + n.Folder + "\\" + entry.FileName), contents[i]);
            }
            archive.CloseArchive();
        }
}

// Without the tag the table is the records alone and the whole file's CRC
// is checked; with it, only the table's, so damaged data opens and is found
// by the entry's digest even where its CRC is not checked.
TEST_F(EntryDigestTest, EachFormIsCheckedByItsOwnCrcAndTaggedEntriesByTheirDigest) {
    const struct {
        const char* What;
        bool Tagged;
        bool CompressTable;
        int ChangeAt;  // offset from the table's start; -1: in entry 1's data; none: no change
        std::string OpenError;
        std::string ExtractErrors;
    } cases[] = {
        {"untagged, intact", false, false, INT32_MIN, "", ";;"},
        {"untagged, data changed", false, true, -1, "The archive file appears to be corrupted", ""},
        {"tagged, intact", true, true, INT32_MIN, "", ";;"},
        {"tagged, data changed", true, false, -1, "", "File (1) is corrupt;File (1) is corrupt;"},
        {"tagged, plain table changed", true, false, 600, "The archive file appears to be corrupted", ""},
        {"tagged, compressed table changed", true, true, 20, "The archive file appears to be corrupted", ""},
    };
    for (const auto& c : cases) {
        ArchiveBuilder builder;
        builder.EntryDigests = c.Tagged;
        builder.CompressTable = c.CompressTable;
        builder.Add("text.txt", TextData(5000));
        builder.Add("noise.bin", NoiseData(3000), "", true);
        builder.WriteTo(archiveName);
        ASSERT_TRUE(archive.OpenArchive(archiveName)) << c.What;
        TArchiveEntry noise;
        archive.GetFileEntry(1, noise);
        EXPECT_EQ(noise.Sha256.has_value(), c.Tagged) << c.What;
        if (c.ChangeAt != INT32_MIN)
            ChangeByte(archiveName, c.ChangeAt < 0 ? noise.DataOffset + 100u : archive.Trailer().TableOffset + c.ChangeAt);
        archive.CloseArchive();

        EXPECT_EQ(MessageOf([&] { archive.OpenArchive(archiveName); }), c.OpenError) << c.What;
        if (c.OpenError.empty()) {
            EXPECT_EQ(ExtractionError(archiveName, scratch / (std::string(c.What) + "\\")), c.ExtractErrors) << c.What;
        }
    }
}

TEST_F(EntryDigestTest, ADigestThatDiffersFromTheBytesIsACorruptFileWhateverTheCrc) {
    ArchiveBuilder builder;
    builder.EntryDigests = true;
    builder.Add("first.txt", "intact");
    builder.Add("second.txt", TextData(2000)).Sha256 = ArchiveBuilder::Sha256("other bytes");
    builder.WriteTo(archiveName);
    EXPECT_EQ(ExtractionError(archiveName, destination), "File (1) is corrupt;File (1) is corrupt;");
    EXPECT_EQ(ReadFile(destination + "pieces\\first.txt"), "intact");
}

// The payload's digest covers the table and the trailer of a tagged
// archive, so it follows every entry's bytes through their digests; of an
// untagged one, the whole file.
TEST_F(EntryDigestTest, PayloadDigestCoversTheTableOfTaggedArchivesAndEverythingOfOthers) {
    const auto digestOf = [&](bool tagged, const std::string& content, size_t changeAt = std::string::npos) {
        ArchiveBuilder builder;
        builder.EntryDigests = tagged;
        builder.Add("a.txt", content, "", true);
        builder.WriteTo(archiveName);
        if (changeAt != std::string::npos) ChangeByte(archiveName, changeAt);
        return PayloadDigest(archiveName);
    };
    for (const bool tagged : {false, true}) {
        const TSha256Digest digest = digestOf(tagged, "content");
        const std::string bytes = ReadFile(archiveName);
        const std::string covered = tagged ? bytes.substr(std::string("JUNK" "content").size()) : bytes;
        EXPECT_EQ(std::string(digest.begin(), digest.end()), ArchiveBuilder::Sha256(covered)) << tagged;
        EXPECT_EQ(digestOf(tagged, "content"), digest) << tagged;
        EXPECT_NE(digestOf(tagged, "CONTENT"), digest) << tagged;  // another entry digest, or other bytes
        EXPECT_EQ(digestOf(tagged, "content", 5) == digest, tagged) << tagged;  // a data byte: outside the table

        digestOf(tagged, "content");
        EXPECT_NO_THROW(OpenPayloadOf(archiveName, digest)) << tagged;
        EXPECT_EQ(MessageOf([&] { OpenPayloadOf(archiveName, TSha256Digest{}); }).rfind("The setup's files do not belong", 0), 0u);
    }
}
