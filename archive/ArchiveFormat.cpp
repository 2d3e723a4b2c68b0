#include "archive/ArchiveFormat.h"

#include <algorithm>
#include <cstring>

#include "platform/TextCoding.h"

namespace {

constexpr size_t kUtf8TagOffset = 24;
constexpr uint8_t kUtf8Tag[4] = {'U', 'T', 'F', '8'};
constexpr size_t kDigestTagOffset = 28;
constexpr uint8_t kDigestTag[4] = {'S', 'H', 'A', '2'};
constexpr size_t kTableCrcOffset = 32;
constexpr size_t kWideTagOffset = 12;
constexpr uint8_t kWideTag[4] = {'S', 'Z', '6', '4'};

uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
int32_t ReadI32(const uint8_t* p) { return static_cast<int32_t>(ReadU32(p)); }

void WriteU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

// A 64-bit value kept as two 32-bit halves in separate places.
int64_t ReadI64(const uint8_t* low, const uint8_t* high) {
    return static_cast<int64_t>(uint64_t{ReadU32(high)} << 32 | ReadU32(low));
}

// The upper half is written only where the form has room for it.
void WriteI64(uint8_t* low, uint8_t* high, int64_t value, bool wide) {
    WriteU32(low, static_cast<uint32_t>(value));
    if (wide) WriteU32(high, static_cast<uint32_t>(static_cast<uint64_t>(value) >> 32));
}

std::string ReadShortString(const uint8_t* p) { return std::string(reinterpret_cast<const char*>(p + 1), p[0]); }

void WriteShortString(uint8_t* p, const std::string& text) {
    const size_t length = std::min<size_t>(text.size(), MaxShortString);
    p[0] = static_cast<uint8_t>(length);
    std::memcpy(p + 1, text.data(), length);
}

}  // namespace

TArchiveTrailer TArchiveTrailer::Decode(const uint8_t* b) {
    TArchiveTrailer t;
    t.ArchiveCRC = ReadU32(b);
    t.FileCount = ReadI32(b + 4);
    t.Wide = std::memcmp(b + kWideTagOffset, kWideTag, sizeof kWideTag) == 0;
    t.TableOffset = t.Wide ? ReadI64(b + 16, b + 8) : ReadI32(b + 16);
    t.TableCompressed = b[20];
    t.NamesInUtf8 = std::memcmp(b + kUtf8TagOffset, kUtf8Tag, sizeof kUtf8Tag) == 0;
    t.HasEntryDigests = std::memcmp(b + kDigestTagOffset, kDigestTag, sizeof kDigestTag) == 0;
    if (t.HasEntryDigests) t.TableCRC = ReadU32(b + kTableCrcOffset);
    return t;
}

void TArchiveTrailer::Encode(uint8_t* b) const {
    std::memset(b, 0, ArchiveTrailerSize);
    WriteU32(b, ArchiveCRC);
    WriteU32(b + 4, static_cast<uint32_t>(FileCount));
    WriteI64(b + 16, b + 8, TableOffset, Wide);
    if (Wide) std::memcpy(b + kWideTagOffset, kWideTag, sizeof kWideTag);
    b[20] = TableCompressed;
    if (NamesInUtf8) std::memcpy(b + kUtf8TagOffset, kUtf8Tag, sizeof kUtf8Tag);
    if (!HasEntryDigests) return;
    std::memcpy(b + kDigestTagOffset, kDigestTag, sizeof kDigestTag);
    WriteU32(b + kTableCrcOffset, TableCRC);
}

int64_t TArchiveTrailer::TableContentSize() const {
    if (FileCount <= 0) return 0;
    return int64_t{FileCount} * (EntrySize() + (HasEntryDigests ? ArchiveDigestSize : 0));
}

TArchiveEntry TArchiveEntry::Decode(const uint8_t* b, bool wide) {
    TArchiveEntry e;
    e.FileName = ReadShortString(b);
    e.FilePath = ReadShortString(b + 256);
    e.FileSize = wide ? ReadI64(b + 512, b + 532) : ReadI32(b + 512);
    e.Reserved = ReadU32(b + 516);
    e.DataOffset = wide ? ReadI64(b + 520, b + 536) : ReadI32(b + 520);
    e.FileCRC = ReadU32(b + 524);
    e.Stored = b[528];
    return e;
}

void TArchiveEntry::Encode(uint8_t* b, bool wide) const {
    std::memset(b, 0, wide ? WideArchiveEntrySize : ArchiveEntrySize);
    WriteShortString(b, FileName);
    WriteShortString(b + 256, FilePath);
    WriteI64(b + 512, b + 532, FileSize, wide);
    WriteU32(b + 516, Reserved);
    WriteI64(b + 520, b + 536, DataOffset, wide);
    WriteU32(b + 524, FileCRC);
    b[528] = Stored;
}

bool DecodeEntryNames(TArchiveEntry& entry, bool namesInUtf8) {
    if (namesInUtf8) return IsUtf8(entry.FileName) && IsUtf8(entry.FilePath);
    entry.FileName = Windows1252ToUtf8(entry.FileName);
    entry.FilePath = Windows1252ToUtf8(entry.FilePath);
    return true;
}
