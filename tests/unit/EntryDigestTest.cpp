// Archives whose table carries each entry's SHA-256: written and read back,
// trusted through the table's CRC alone, every entry checked by its digest
// as it is extracted, and the payload's digest taken over the table.
#include "tests/support/ArchiveFixture.h"

#include <memory>

#include "app/PayloadDigest.h"
#include "archive/WholeEntryArchive.h"
#include "platform/FileStream.h"
#include "tools/kelpack/ArchiveWriter.h"
#include "tools/kelpack/PayloadStamp.h"

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

// What opening and extraction with the piece reader and the whole-entry reader raise.
std::string Errors(const std::string& archiveName, const std::string& folder) {
    std::string errors;
    for (const bool whole : {false, true}) {
        std::unique_ptr<TZLBArchive> archive =
            whole ? std::make_unique<TWholeEntryArchive>() : std::make_unique<TZLBArchive>();
        errors += MessageOf([&] {
            archive->OpenArchive(archiveName);
            archive->ExtractFiles(folder + (whole ? "whole\\" : "pieces\\"));
        }) + ";";
    }
    return errors;
}

}  // namespace

using EntryDigestTest = ArchiveFixture;

TEST_F(EntryDigestTest, WrittenTablesCarryEveryEntrysDigestAndReadBack) {
    const std::string contents[] = {TextData(70000), NoiseData(9000), ""};
    for (const bool compressTable : {false, true})
        for (const std::string folder : {"Straße", "Папка"}) {  // Windows-1252 names, then UTF-8 ones
            std::vector<TPackItem> items;
            for (size_t i = 0; i < std::size(contents); ++i) {
                WriteFile(scratch / std::to_string(i), contents[i]);
                items.push_back({scratch / std::to_string(i), std::to_string(i), folder, 0});
            }
            WriteArchive(archiveName, items, TPackOptions{kDefaultDeflateLevel, compressTable, 0, {}});
            ASSERT_TRUE(archive.OpenArchive(archiveName));
            EXPECT_TRUE(archive.Trailer().HasEntryDigests);
            archive.ExtractWithPath = true;
            const std::string out = scratch / (folder + std::to_string(compressTable) + "\\");
            archive.ExtractFiles(out);
            for (size_t i = 0; i < std::size(contents); ++i) {
                TArchiveEntry entry;
                archive.GetFileEntry(static_cast<int>(i), entry);
                ASSERT_TRUE(entry.Sha256.has_value());
                EXPECT_EQ(std::string(entry.Sha256->begin(), entry.Sha256->end()), ArchiveBuilder::Sha256(contents[i]));
                EXPECT_EQ(ReadFile(out + folder + "\\" + std::to_string(i)), contents[i]);
            }
            archive.CloseArchive();
        }
}

// Without the tag the table is the records alone and the whole file's CRC
// is checked; with it, only the table's, so damaged data opens and is found
// by the entry's digest, though extraction does not check CRCs.
TEST_F(EntryDigestTest, EachFormIsCheckedByItsOwnCrcAndTaggedEntriesByTheirDigest) {
    const std::string corrupted = "The archive file appears to be corrupted;";
    const struct {
        const char* What;
        bool Tagged;
        bool CompressTable;
        int ChangeAt;  // offset from the table's start; -1: in entry 1's data; INT32_MIN: no change
        std::string Errors;
        std::optional<std::string> Sha256 = {};  // entry 1's declared digest
    } cases[] = {
        {"untagged, intact", false, false, INT32_MIN, ";;"},
        {"untagged, data changed", false, true, -1, corrupted + corrupted},
        {"tagged, intact", true, true, INT32_MIN, ";;"},
        {"tagged, data changed", true, false, -1, "File (1) is corrupt;File (1) is corrupt;"},
        {"tagged, digest of other bytes", true, false, INT32_MIN, "File (1) is corrupt;File (1) is corrupt;",
         ArchiveBuilder::Sha256("other")},
        {"tagged, plain table changed", true, false, 600, corrupted + corrupted},
        {"tagged, compressed table changed", true, true, 20, corrupted + corrupted},
    };
    for (const auto& c : cases) {
        ArchiveBuilder builder;
        builder.EntryDigests = c.Tagged;
        builder.CompressTable = c.CompressTable;
        builder.Add("text.txt", TextData(5000));
        builder.Add("noise.bin", NoiseData(3000), "", true).Sha256 = c.Sha256;
        builder.WriteTo(archiveName);
        ASSERT_TRUE(archive.OpenArchive(archiveName)) << c.What;
        TArchiveEntry noise;
        archive.GetFileEntry(1, noise);
        EXPECT_EQ(noise.Sha256.has_value(), c.Tagged) << c.What;
        if (c.ChangeAt != INT32_MIN)
            ChangeByte(archiveName, c.ChangeAt < 0 ? noise.DataOffset + 100u : archive.Trailer().TableOffset + c.ChangeAt);
        archive.CloseArchive();
        EXPECT_EQ(Errors(archiveName, scratch / (std::string(c.What) + "\\")), c.Errors) << c.What;
    }
    EXPECT_EQ(ReadFile(scratch / "tagged, data changed\\pieces\\text.txt"), TextData(5000));
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

// A program of this kit is stamped with the digest of the payload's table, one
// of an earlier kit (its slot behind the earlier marker) with the digest of
// the whole file, which it checks; one without a slot is left as it is.
TEST_F(EntryDigestTest, AProgramIsStampedWithTheDigestItsMarkerAsksFor) {
    ArchiveBuilder builder;
    builder.EntryDigests = true;
    builder.Add("a.txt", "content");
    builder.WriteTo(archiveName);
    TFileStream payload(archiveName, TFileMode::fmOpenRead);
    const TSha256Digest tableDigest = PayloadDigestOf(payload), wholeDigest = DigestOf(payload);
    const auto slot = [](const char (&marker)[16], const TSha256Digest& digest) {
        return std::string(marker, sizeof marker) + std::string(digest.begin(), digest.end());
    };
    const struct {
        std::string Program, Stamped;
    } cases[] = {{slot(kPayloadDigestMarker, {}), slot(kPayloadDigestMarker, tableDigest)},
                 {slot(kWholePayloadDigestMarker, {}), slot(kWholePayloadDigestMarker, wholeDigest)},
                 {"MZ no slot", "MZ no slot"}};
    for (const auto& c : cases) {
        const std::string program = scratch / "Setup.exe";
        WriteFile(program, "MZ" + c.Program + "end");
        EXPECT_EQ(StampPayloadDigest(program, archiveName), c.Stamped != c.Program) << c.Program;
        EXPECT_EQ(ReadFile(program), "MZ" + c.Stamped + "end") << c.Program;
    }
}
