// The entry reader of the copy phase: any entry, in any order and any piece
// size, gives its exact bytes, and every way an entry can be damaged ends it
// with "File (N) is corrupt".
#include "tests/support/ArchiveFixture.h"

#include <functional>

#include "archive/EntryReader.h"

namespace {

// The entry's bytes, read in pieces of the given size.
std::string ReadEntry(TEntryReader& reader, int index, size_t piece) {
    std::string bytes;
    std::vector<uint8_t> buffer(piece);
    reader.Start(index);
    for (int32_t n; (n = reader.Read(buffer.data(), static_cast<int32_t>(piece))) > 0;)
        bytes.append(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(n));
    return bytes;
}

// Larger than the entries the reader inflates whole: streamed.
const size_t kStreamed = TEntryReader::MaxWholeEntry + 300000;

// The entry declares only the first size bytes of its stream, with their CRC and digest.
void DeclareFirst(BuilderEntry& entry, size_t size) {
    entry.FileSize = static_cast<int32_t>(size);
    entry.FileCRC = ArchiveBuilder::Crc(entry.Data.substr(0, size));
    entry.Sha256 = ArchiveBuilder::Sha256(entry.Data.substr(0, size));
}

}  // namespace

using EntryReaderTest = ArchiveFixture;

TEST_F(EntryReaderTest, EveryEntryComesOutExactlyInAnyOrderAndPieceSize) {
    const std::vector<std::string> contents{TextData(70000), NoiseData(9000), "", TextData(kStreamed, 2), "x"};
    for (const bool tagged : {false, true}) {
        ArchiveBuilder builder;
        builder.EntryDigests = tagged;
        builder.CompressTable = tagged;
        for (size_t i = 0; i < contents.size(); ++i) builder.Add(std::to_string(i), contents[i], "", i == 1);
        builder.WriteTo(archiveName);
        ASSERT_TRUE(archive.OpenArchive(archiveName));
        TEntryReader reader(archive);
        EXPECT_EQ(reader.HasEntryDigests(), tagged);
        EXPECT_EQ(reader.Count(), 5);
        for (const int index : {3, 0, 4, 1, 2, 0, 3})
            for (const size_t piece : {size_t{1000}, size_t{1} << 20})
                EXPECT_EQ(ReadEntry(reader, index, piece), contents[static_cast<size_t>(index)])
                    << index << ", pieces of " << piece << (tagged ? ", tagged" : "");
        EXPECT_EQ(MessageOf([&] { reader.Start(5); }), "Index out of bounds");
        uint8_t byte = 0;
        EXPECT_EQ(reader.Read(&byte, 1), 0) << "after the end";
        archive.CloseArchive();
    }
}

TEST_F(EntryReaderTest, EveryDamageIsACorruptFileAndTheNextEntryStillReads) {
    const struct {
        const char* What;
        std::function<void(BuilderEntry&)> Damage;
        bool Tagged = true;
        size_t Size = 20000;
        bool ChangeByte = false;  // a byte of its data, after the table was written
    } cases[] = {
        {"a byte of its stream changed", [](BuilderEntry&) {}, true, 20000, true},
        {"a byte of its stored bytes changed", [](BuilderEntry& e) { e.Stored = true; }, true, 20000, true},
        {"digest of other bytes", [](BuilderEntry& e) { e.Sha256 = ArchiveBuilder::Sha256("other"); }},
        {"CRC of other bytes", [](BuilderEntry& e) { e.FileCRC = 1; }},
        {"CRC of other bytes, untagged", [](BuilderEntry& e) { e.FileCRC = 1; }, false},
        {"stream shorter than the entry", [](BuilderEntry& e) { e.FileSize = 30000; }},
        {"stream longer than the entry", [](BuilderEntry& e) { DeclareFirst(e, 10000); }},
        {"streamed, shorter", [](BuilderEntry& e) { e.FileSize = static_cast<int32_t>(kStreamed + 10); }, true, kStreamed},
        {"streamed, longer", [](BuilderEntry& e) { DeclareFirst(e, kStreamed - 10); }, true, kStreamed},
        {"not a zlib stream", [](BuilderEntry& e) { e.DataOffset = 0; }},
        {"data beyond the file", [](BuilderEntry& e) { e.DataOffset = 1 << 30; }},
        {"negative offset", [](BuilderEntry& e) { e.DataOffset = -1; }},
        {"stored, running into the trailer", [](BuilderEntry& e) { e.Stored = true, e.FileSize = 20100; }},
        {"negative size", [](BuilderEntry& e) { e.FileSize = -1; }},
    };
    for (const auto& c : cases) {
        ArchiveBuilder builder;
        builder.EntryDigests = c.Tagged;
        builder.TableFirst = true;  // the damaged entry's data ends where the trailer begins
        builder.Add("good.txt", TextData(3000, 4));
        c.Damage(builder.Add("bad.txt", TextData(c.Size, 5)));
        builder.WriteTo(archiveName);
        ASSERT_TRUE(archive.OpenArchive(archiveName)) << c.What;
        if (c.ChangeByte) {
            TArchiveEntry bad;
            archive.GetFileEntry(1, bad);
            std::string bytes = ReadFile(archiveName);
            bytes[bad.DataOffset + 50u] ^= 0x10;
            WriteFile(archiveName, bytes);
        }
        TEntryReader reader(archive);
        EXPECT_EQ(MessageOf([&] { ReadEntry(reader, 1, 4096); }), "File (1) is corrupt") << c.What;
        EXPECT_EQ(ReadEntry(reader, 0, 4096), TextData(3000, 4)) << c.What;
        archive.CloseArchive();
    }
}
