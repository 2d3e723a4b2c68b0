#include "app/EntryFile.h"

#include <algorithm>
#include <vector>

#include "archive/EntryReader.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"

namespace {

// The bytes taken from the payload and written at a time.
constexpr uint64_t kWriteBlock = 1 << 20;

}  // namespace

bool WriteEntryFile(TEntryReader& reader, int index, uint64_t size, TFileStream& stream,
                    const std::function<void(uint64_t bytes)>& onBytes) {
    std::vector<uint8_t> block(static_cast<size_t>(std::min(size, kWriteBlock)) + 1);
    reader.Start(index);
    for (int32_t count; (count = reader.Read(block.data(), static_cast<int32_t>(block.size()))) > 0;) {
        if (stream.Write(block.data(), count) != count) {
            platform::SetLastErrorCode(stream.WriteErrorCode());
            return false;
        }
        if (onBytes) onBytes(static_cast<uint64_t>(count));
    }
    return true;
}
