#include "app/EntryFile.h"

#include "archive/EntryReader.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"

namespace {

// The bytes taken from the payload and written at a time.
constexpr int32_t kWriteBlock = 1 << 20;

}  // namespace

TEntryFileWriter::TEntryFileWriter() : block_(new uint8_t[kWriteBlock]) {}

bool TEntryFileWriter::Write(TEntryReader& reader, int index, TFileStream& stream,
                             const std::function<void(uint64_t bytes)>& onBytes) {
    reader.Start(index);
    for (int32_t count; (count = reader.Read(block_.get(), kWriteBlock)) > 0;) {
        if (stream.Write(block_.get(), count) != count) {
            platform::SetLastErrorCode(stream.WriteErrorCode());
            return false;
        }
        if (onBytes) onBytes(static_cast<uint64_t>(count));
    }
    return true;
}
