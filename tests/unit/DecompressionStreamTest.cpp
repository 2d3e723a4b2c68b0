#include <gtest/gtest.h>

#include <zlib.h>

#include "archive/DecompressionStream.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/ArchiveFixture.h"

namespace {

TMemoryStream StreamOf(const std::string& bytes) { return TMemoryStream(std::vector<uint8_t>(bytes.begin(), bytes.end())); }

std::string ReadAll(TStream& stream, int32_t count) {
    std::string out(static_cast<size_t>(count), '\0');
    EXPECT_EQ(stream.Read(out.data(), count), count);
    return out;
}

// A genuine zlib stream that was made with a preset dictionary.
std::string DeflateWithDictionary(const std::string& data, const std::string& dictionary) {
    z_stream z{};
    EXPECT_EQ(deflateInit(&z, 6), Z_OK);
    deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(dictionary.data()), static_cast<uInt>(dictionary.size()));
    std::string out(deflateBound(&z, data.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

}  // namespace

TEST(DecompressionStream, DeliversExactlyTheBytesAskedFor) {
    const std::string text = TextData(200000);
    TMemoryStream source = StreamOf("ab" + ArchiveBuilder::Deflate(text));
    source.SetPosition(2);
    TDecompressionStream reader(source);
    EXPECT_EQ(ReadAll(reader, 1), text.substr(0, 1));
    EXPECT_EQ(ReadAll(reader, 150000), text.substr(1, 150000));
    EXPECT_EQ(reader.Position(), 150001);
}

TEST(DecompressionStream, LeavesTheSourceRightAfterTheConsumedData) {
    const std::string first = ArchiveBuilder::Deflate(TextData(1000, 1));
    const std::string second = ArchiveBuilder::Deflate(TextData(1000, 2));
    TMemoryStream source = StreamOf(first + second);
    {
        TDecompressionStream reader(source);
        ReadAll(reader, 1000);
        // The stream's end marker is consumed only by a read that asks past it.
    }
    EXPECT_LE(source.Position(), static_cast<int64_t>(first.size()));
    source.SetPosition(static_cast<int64_t>(first.size()));
    TDecompressionStream next(source);
    EXPECT_EQ(ReadAll(next, 1000), TextData(1000, 2));
}

TEST(DecompressionStream, ReadsBackWhereItLeftTheSource) {
    const std::string text = TextData(5000);
    TMemoryStream source = StreamOf(ArchiveBuilder::Deflate(text));
    TDecompressionStream reader(source);
    ReadAll(reader, 100);
    source.SetPosition(0);  // someone else moved the source
    EXPECT_EQ(ReadAll(reader, 100), text.substr(100, 100));
}

TEST(DecompressionStream, EndsAndDamageAreErrors) {
    const std::string packed = ArchiveBuilder::Deflate(TextData(1000));
    const auto readFails = [](const std::string& bytes, int32_t count) {
        TMemoryStream source = StreamOf(bytes);
        TDecompressionStream reader(source);
        std::string out(static_cast<size_t>(count), '\0');
        return MessageOf([&] { reader.Read(out.data(), count); });
    };
    EXPECT_EQ(readFails(packed, 1000), "");
    EXPECT_EQ(readFails(packed, 1001), "error");                        // the data ends
    EXPECT_EQ(readFails(packed.substr(0, packed.size() / 2), 1000), "error");  // the source ends
    EXPECT_EQ(readFails("not a zlib stream", 10), "error");
    // No dictionary can be given, so such a stream fails instead of stalling the reader.
    EXPECT_EQ(readFails(DeflateWithDictionary(TextData(1000), "setup archive window"), 1000), "error");
    EXPECT_EQ(readFails("", 10), "error");
}

TEST(DecompressionStream, ErrorsAreDecompressionErrors) {
    TMemoryStream source = StreamOf("garbage!");
    TDecompressionStream reader(source);
    char c;
    EXPECT_THROW(reader.Read(&c, 1), EDecompressionError);
    EXPECT_THROW(reader.Write(&c, 1), ECompressionError);
}

TEST(DecompressionStream, SeeksOnlyToTheStartOrForward) {
    const std::string text = TextData(20000);
    TMemoryStream source = StreamOf(ArchiveBuilder::Deflate(text));
    TDecompressionStream reader(source);
    EXPECT_EQ(reader.Seek(10000, TSeekOrigin::soCurrent), 10000);
    EXPECT_EQ(ReadAll(reader, 10), text.substr(10000, 10));
    EXPECT_EQ(reader.Seek(15000, TSeekOrigin::soBeginning), 15000);
    EXPECT_EQ(ReadAll(reader, 10), text.substr(15000, 10));
    EXPECT_EQ(reader.Seek(0, TSeekOrigin::soBeginning), 0);
    EXPECT_EQ(ReadAll(reader, 10), text.substr(0, 10));
    EXPECT_EQ(MessageOf([&] { reader.Seek(5, TSeekOrigin::soBeginning); }), "Invalid stream operation");
    EXPECT_EQ(MessageOf([&] { reader.Seek(-1, TSeekOrigin::soCurrent); }), "Invalid stream operation");
    EXPECT_EQ(MessageOf([&] { reader.Seek(0, TSeekOrigin::soEnd); }), "Invalid stream operation");
}
