#include "tests/support/ArchiveBuilder.h"

#include <algorithm>
#include <random>
#include <stdexcept>

#include <zlib.h>

#include "archive/Sha256.h"
#include "tests/support/ScratchFolder.h"

namespace {

void PutU32(std::string& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(v >> (8 * i));
}

void PutShortString(std::string& out, size_t at, const std::string& text) {
    out[at] = static_cast<char>(text.size());
    out.replace(at + 1, text.size(), text);
}

// The lower half at at, the upper at high when the form is wide.
void PutI64(std::string& out, size_t at, size_t high, int64_t v, bool wide) {
    PutU32(out, at, static_cast<uint32_t>(v));
    if (wide) PutU32(out, high, static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32));
}

// A record with its unread fields filled with junk: the reader must ignore them.
std::string Record(const BuilderEntry& e, int64_t offset, bool wide) {
    std::string r(wide ? 540 : 532, '\xA5');
    r.replace(0, 512, 512, '\0');
    PutShortString(r, 0, e.Name);
    PutShortString(r, 256, e.Path);
    PutI64(r, 512, 532, e.FileSize.value_or(static_cast<int64_t>(e.Data.size())), wide);
    PutI64(r, 520, 536, e.DataOffset.value_or(offset), wide);
    PutU32(r, 524, e.FileCRC.value_or(ArchiveBuilder::Crc(e.Data)));
    r[528] = e.Stored ? '\x01' : '\x00';
    return r;
}

}  // namespace

BuilderEntry& ArchiveBuilder::Add(const std::string& name, const std::string& data, const std::string& path,
                                  bool stored) {
    entries_.push_back({name, path, data, stored, {}, {}, {}, {}});
    return entries_.back();
}

std::string ArchiveBuilder::Deflate(const std::string& data) {
    uLongf length = compressBound(data.size());
    std::string out(length, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(data.data()),
                  data.size(), 6) != Z_OK)
        throw std::runtime_error("deflate failed");
    out.resize(length);
    return out;
}

uint32_t ArchiveBuilder::Crc(const std::string& data) {
    return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

std::string ArchiveBuilder::Sha256(const std::string& data) {
    TSha256 sha;
    sha.Update(data.data(), data.size());
    const TSha256Digest digest = sha.Finish();
    return std::string(digest.begin(), digest.end());
}

// The CRC-32 after count zero bytes more.
uint32_t CrcAfterZeros(uint32_t crc, int64_t count) {
    static const std::string zeros(1 << 20, '\0');
    for (; count > 0; count -= static_cast<int64_t>(zeros.size())) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(count, static_cast<int64_t>(zeros.size())));
        crc = static_cast<uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(zeros.data()), static_cast<uInt>(n)));
    }
    return crc;
}

uint32_t CrcAfter(uint32_t crc, const std::string& data) {
    return static_cast<uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

std::string ArchiveBuilder::Build() const {
    const Parts parts = BuildParts();
    return parts.Head + std::string(static_cast<size_t>(Gap), '\0') + parts.Tail;
}

void ArchiveBuilder::WriteTo(const std::string& fileName) const {
    const Parts parts = BuildParts();
    WriteSparseFile(fileName, parts.Head, Gap, parts.Tail);
}

ArchiveBuilder::Parts ArchiveBuilder::BuildParts() const {
    if (Gap > 0 && TableFirst) throw std::runtime_error("a gap goes before the data, with the table last");
    const std::string head = "JUNK";  // data need not start at offset 0
    std::string out = head;
    std::vector<std::string> blocks;
    for (const BuilderEntry& e : entries_) blocks.push_back(e.Stored ? e.Data : Deflate(e.Data));
    const auto tableFor = [&](size_t dataStart) {
        std::string table;
        for (size_t i = 0; i < entries_.size(); ++i) {
            table += Record(entries_[i], static_cast<int64_t>(dataStart) + Gap, Wide);
            dataStart += blocks[i].size();
        }
        if (EntryDigests)
            for (const BuilderEntry& e : entries_) table += e.Sha256.value_or(Sha256(e.Data));
        return CompressTable ? Deflate(table) : table;
    };
    int64_t tableAt;
    if (TableFirst) {
        // The table goes in a room big enough for any of its encodings; zlib ignores what follows it.
        const size_t records = entries_.size() * ((Wide ? 540 : 532) + (EntryDigests ? 32 : 0));
        const size_t room = CompressTable ? compressBound(records) : records;
        tableAt = static_cast<int64_t>(out.size());
        std::string table = tableFor(out.size() + room);
        table.resize(room, '\0');
        out += table;
        for (const std::string& block : blocks) out += block;
    } else {
        const size_t dataStart = out.size();
        for (const std::string& block : blocks) out += block;
        tableAt = static_cast<int64_t>(out.size()) + Gap;
        out += tableFor(dataStart);
    }
    const std::string tail = out.substr(head.size());
    std::string trailer(36, '\x5A');
    PutU32(trailer, 0, ArchiveCRC.value_or(CrcAfter(CrcAfterZeros(Crc(head), Gap), tail)));
    PutU32(trailer, 4, static_cast<uint32_t>(FileCount.value_or(static_cast<int32_t>(entries_.size()))));
    PutI64(trailer, 16, 8, TableOffset.value_or(tableAt), Wide);
    if (Wide) trailer.replace(12, 4, "SZ64");
    trailer[20] = CompressTable ? '\x01' : '\x00';
    if (NamesInUtf8) trailer.replace(24, 4, "UTF8");
    if (EntryDigests) {
        // Where the declared table starts in the tail; the real table when that is not in it.
        const int64_t tailStart = static_cast<int64_t>(head.size()) + Gap;
        const int64_t declared = TableOffset.value_or(tableAt) - tailStart;
        const int64_t from = declared >= 0 && declared <= static_cast<int64_t>(tail.size()) ? declared : tableAt - tailStart;
        trailer.replace(28, 4, "SHA2");
        PutU32(trailer, 32, TableCRC.value_or(Crc(tail.substr(static_cast<size_t>(from)))));
    }
    return {head, tail + trailer};
}

std::string TextData(size_t size, unsigned seed) {
    static const char* const words[] = {"setup ", "archive ", "window ", "folder ", "payload ", "skin ", "\r\n"};
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < size) text += words[random() % 7];
    text.resize(size);
    return text;
}

std::string NoiseData(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}
