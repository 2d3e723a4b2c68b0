// Archives beyond 32 bits: the wide table's records and trailer, entries that
// lie beyond 4 GiB in a sparse archive, and the writer's choice of form.
#include "tests/support/ArchiveFixture.h"

#include <cstdlib>
#include <vector>

#include "archive/ArchiveFormat.h"
#include "archive/EntryReader.h"

using WideArchiveTest = ArchiveFixture;

namespace {

constexpr int64_t kFourGiB = int64_t{1} << 32;

// Every byte of the entry through the reader, which checks it as it goes.
std::string ReadEntry(TEntryReader& reader, int index) {
    reader.Start(index);
    std::string bytes;
    uint8_t piece[65536];
    for (int32_t n; (n = reader.Read(piece, sizeof piece)) > 0;) bytes.append(reinterpret_cast<char*>(piece), n);
    return bytes;
}

}  // namespace

TEST(WideArchiveForm, SizesAndOffsetsRoundTripOnBothSidesOf32Bits) {
    for (const int64_t value : {int64_t{0}, int64_t{INT32_MAX}, int64_t{INT32_MAX} + 1, int64_t{UINT32_MAX},
                                kFourGiB, 5 * kFourGiB + 3}) {
        TArchiveEntry entry;
        entry.FileName = "big.bin";
        entry.FileSize = value;
        entry.DataOffset = value + 7;
        std::vector<uint8_t> record(WideArchiveEntrySize);
        entry.Encode(record.data(), true);
        const TArchiveEntry wide = TArchiveEntry::Decode(record.data(), true);
        EXPECT_EQ(wide.FileSize, value);
        EXPECT_EQ(wide.DataOffset, value + 7);

        TArchiveTrailer trailer;
        trailer.Wide = true;
        trailer.TableOffset = value;
        uint8_t bytes[ArchiveTrailerSize];
        trailer.Encode(bytes);
        const TArchiveTrailer decoded = TArchiveTrailer::Decode(bytes);
        EXPECT_TRUE(decoded.Wide);
        EXPECT_EQ(decoded.TableOffset, value);
        EXPECT_EQ(decoded.EntrySize(), WideArchiveEntrySize);
    }
    // The narrow form is today's: 532 bytes, the tag's bytes left as they were.
    TArchiveTrailer narrow;
    narrow.TableOffset = INT32_MAX;
    uint8_t bytes[ArchiveTrailerSize];
    narrow.Encode(bytes);
    EXPECT_EQ(std::vector<uint8_t>(bytes + 8, bytes + 16), std::vector<uint8_t>(8, 0));
    EXPECT_FALSE(TArchiveTrailer::Decode(bytes).Wide);
}

// The data lies beyond a hole of more than 4 GiB: every offset needs the wide form.
TEST_F(WideArchiveTest, EntriesBeyond4GiBAreExtractedAndReadFromTheirPlace) {
    for (const bool compressTable : {false, true}) {
        ArchiveBuilder builder;
        builder.Wide = true;
        builder.EntryDigests = true;
        builder.CompressTable = compressTable;
        builder.Gap = kFourGiB + 4096;
        builder.Add("packed.txt", TextData(300000, 3), "docs");
        builder.Add("stored.bin", NoiseData(70000, 4), "", true);
        builder.WriteTo(archiveName);

        archive.ExtractWithPath = true;
        ASSERT_TRUE(archive.OpenArchive(archiveName));
        ASSERT_TRUE(archive.Trailer().Wide);
        EXPECT_GT(archive.Trailer().TableOffset, kFourGiB);
        EXPECT_GT(archive.Entries()[1].DataOffset, kFourGiB);
        archive.ExtractFiles(destination);
        EXPECT_TRUE(Extracted("docs\\packed.txt") == TextData(300000, 3));
        EXPECT_TRUE(Extracted("stored.bin") == NoiseData(70000, 4));

        TEntryReader reader(archive);
        EXPECT_TRUE(ReadEntry(reader, 1) == NoiseData(70000, 4));
        EXPECT_TRUE(ReadEntry(reader, 0) == TextData(300000, 3));
        archive.CloseArchive();
    }
}

// Read as narrow, the same records would put every entry below 4 GiB.
TEST_F(WideArchiveTest, AWideTableWhoseOffsetLiesBeyondTheFileIsRefused) {
    ArchiveBuilder builder;
    builder.Wide = true;
    builder.EntryDigests = true;
    builder.Add("a.txt", "abc");
    builder.TableOffset = 3 * kFourGiB;
    builder.WriteTo(archiveName);
    EXPECT_EQ(MessageOf([&] { archive.OpenArchive(archiveName); }), "The archive file appears to be corrupted");
}
