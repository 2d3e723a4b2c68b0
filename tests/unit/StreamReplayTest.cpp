// The file and read-ahead streams driven step by step beside a memory stream
// with the same bytes: the same outcomes and positions, and the same bytes
// after the last step, so a kept position is where the next read starts.
#include <gtest/gtest.h>

#include "archive/ReadAheadStream.h"
#include "platform/FileStream.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/ScratchFolder.h"

namespace {

enum class Op { Read, Write, FromStart, FromHere, FromEnd };
struct Step {
    Op op;
    int32_t value;
};

TSeekOrigin OriginOf(Op op) {
    return op == Op::FromStart ? TSeekOrigin::soBeginning : op == Op::FromHere ? TSeekOrigin::soCurrent : TSeekOrigin::soEnd;
}

std::string ReadSome(TStream& stream, int32_t count) {
    std::string bytes(static_cast<size_t>(count), '\0');
    bytes.resize(static_cast<size_t>(std::max(stream.Read(bytes.data(), count), 0)));
    return bytes;
}

void Replay(TStream& stream, TMemoryStream& model, const std::vector<Step>& steps) {
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "step " << i);
        const Step step = steps[i];
        if (step.op == Op::Read) {
            EXPECT_EQ(ReadSome(stream, step.value), ReadSome(model, step.value));
        } else if (step.op == Op::Write) {
            const std::string bytes = NoiseData(static_cast<size_t>(step.value), static_cast<unsigned>(i));
            EXPECT_EQ(stream.Write(bytes.data(), step.value), model.Write(bytes.data(), step.value));
        } else {
            EXPECT_EQ(stream.Seek(step.value, OriginOf(step.op)), model.Seek(step.value, OriginOf(step.op)));
        }
        ASSERT_EQ(stream.Position(), model.Position());
    }
    EXPECT_EQ(ReadSome(stream, 1 << 20), ReadSome(model, 1 << 20));
    // A move before the start is refused and moves nothing.
    const int64_t before = stream.Position();
    EXPECT_EQ(stream.Seek(-1, TSeekOrigin::soBeginning), -1);
    EXPECT_EQ(stream.Position(), before);
}

struct CountingStream : TMemoryStream {
    using TMemoryStream::TMemoryStream;
    int32_t Read(void* buffer, int32_t count) override {
        ++reads;
        return TMemoryStream::Read(buffer, count);
    }
    int reads = 0;
};

}  // namespace

TEST(StreamReplay, FileStreamKeepsItsPositionThroughWritesSeeksAndReads) {
    ScratchFolder scratch;
    TFileStream file(scratch / "f.bin", TFileMode::fmCreate);
    TMemoryStream model;
    Replay(file, model,
           {{Op::Write, 10000}, {Op::FromStart, 100}, {Op::Read, 50},    {Op::FromHere, -20},
            {Op::Read, 4096},   {Op::FromEnd, -10},   {Op::Read, 100},   {Op::Read, 5},
            {Op::FromStart, 5000}, {Op::Write, 10},   {Op::FromEnd, 100}, {Op::Write, 1},
            {Op::FromHere, 0},  {Op::FromStart, 3}});
}

TEST(StreamReplay, ReadAheadReadsAsItsSourceWould) {
    const std::string data = NoiseData(10000);
    TMemoryStream source({data.begin(), data.end()}), model({data.begin(), data.end()});
    source.SetPosition(3);
    model.SetPosition(3);
    TReadAheadStream stream(source, 1000);
    Replay(stream, model,
           {{Op::Read, 10},       {Op::Read, 2000},   {Op::FromHere, -1500}, {Op::Read, 700},
            {Op::FromStart, 9990}, {Op::Read, 100},   {Op::Read, 1},         {Op::FromEnd, -2500},
            {Op::Read, 2500},     {Op::FromStart, 20000}, {Op::Read, 10},    {Op::FromStart, 999},
            {Op::Read, 2},        {Op::FromStart, 0}});
}

TEST(StreamReplay, ReadAheadCallsItsSourceOncePerBlock) {
    CountingStream source(std::vector<uint8_t>(10000, 7));
    TReadAheadStream stream(source, 1000);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(ReadSome(stream, 100).size(), 100u);
    stream.Seek(-50, TSeekOrigin::soCurrent);
    ReadSome(stream, 50);
    EXPECT_EQ(source.reads, 10);
}
