#include "tests/e2e/LinkFile.h"

#include <cstdint>
#include <stdexcept>

#include "tests/e2e/Utf16Text.h"
#include "tests/support/ScratchFolder.h"

namespace {

// Which parts the file holds, from the flags in its header.
enum LinkFlags : uint32_t {
    HasTargetIdList = 0x01,
    HasLinkInfo = 0x02,
    HasName = 0x04,
    HasRelativePath = 0x08,
    HasWorkingDir = 0x10,
    HasArguments = 0x20,
    HasIconLocation = 0x40,
    IsUnicode = 0x80,
};
constexpr size_t kHeaderSize = 0x4C;
constexpr size_t kFlagsOffset = 0x14;
constexpr size_t kLocalBasePathOffset = 16;  // within the link info

class Reader {
public:
    explicit Reader(std::string bytes) : bytes_(std::move(bytes)) {}
    uint32_t Number(size_t offset, size_t width) const {
        uint32_t value = 0;
        for (size_t i = 0; i < width; ++i) value |= uint32_t(uint8_t(bytes_.at(offset + i))) << (8 * i);
        return value;
    }
    uint32_t Take(size_t width) {
        const uint32_t value = Number(at_, width);
        at_ += width;
        return value;
    }
    void Skip(size_t length) { at_ += length; }
    size_t At() const { return at_; }
    // A zero-ended 8-bit text at an offset.
    std::string TextAt(size_t offset) const { return std::string(bytes_.c_str() + offset); }
    // A counted text of the string data, 8-bit or UTF-16.
    std::string CountedText(bool unicode) {
        const uint32_t count = Take(2);
        std::string text;
        if (unicode) {
            text = Utf8OfUtf16(bytes_, at_, count);
            at_ += 2 * count;
        } else {
            for (uint32_t i = 0; i < count; ++i) text += char(Take(1));
        }
        // Some writers count the text's terminating zero too.
        while (!text.empty() && text.back() == '\0') text.pop_back();
        return text;
    }

private:
    std::string bytes_;
    size_t at_ = 0;
};

}  // namespace

std::optional<LinkFile> ReadLinkFile(const std::string& unixPath) {
    std::string bytes;
    try {
        bytes = ReadFile(unixPath);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (bytes.size() < kHeaderSize || bytes[0] != 0x4C) return std::nullopt;
    Reader reader(bytes);
    try {
        const uint32_t flags = reader.Number(kFlagsOffset, 4);
        reader.Skip(kHeaderSize);
        if (flags & HasTargetIdList) reader.Skip(reader.Take(2));
        LinkFile link;
        if (flags & HasLinkInfo) {
            const size_t info = reader.At();
            link.Target = reader.TextAt(info + reader.Number(info + kLocalBasePathOffset, 4));
            reader.Skip(reader.Number(info, 4));
        }
        const bool unicode = flags & IsUnicode;
        if (flags & HasName) link.Description = reader.CountedText(unicode);
        if (flags & HasRelativePath) reader.CountedText(unicode);
        if (flags & HasWorkingDir) link.WorkingFolder = reader.CountedText(unicode);
        if (flags & HasArguments) link.Arguments = reader.CountedText(unicode);
        return link;
    } catch (const std::out_of_range&) {
        return std::nullopt;
    }
}
