#include "tests/support/ArchiveBuilder.h"

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

// A record with its unread fields filled with junk: the reader must ignore them.
std::string Record(const BuilderEntry& e, int32_t offset) {
    std::string r(532, '\xA5');
    r.replace(0, 512, 512, '\0');
    PutShortString(r, 0, e.Name);
    PutShortString(r, 256, e.Path);
    PutU32(r, 512, static_cast<uint32_t>(e.FileSize.value_or(static_cast<int32_t>(e.Data.size()))));
    PutU32(r, 520, static_cast<uint32_t>(e.DataOffset.value_or(offset)));
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

std::string ArchiveBuilder::Build() const {
    std::string out = "JUNK";  // data need not start at offset 0
    std::vector<std::string> blocks;
    for (const BuilderEntry& e : entries_) blocks.push_back(e.Stored ? e.Data : Deflate(e.Data));
    const auto tableFor = [&](size_t dataStart) {
        std::string table;
        for (size_t i = 0; i < entries_.size(); ++i) {
            table += Record(entries_[i], static_cast<int32_t>(dataStart));
            dataStart += blocks[i].size();
        }
        if (EntryDigests)
            for (const BuilderEntry& e : entries_) table += e.Sha256.value_or(Sha256(e.Data));
        return CompressTable ? Deflate(table) : table;
    };
    int32_t tableAt;
    if (TableFirst) {
        // The table goes in a room big enough for any of its encodings; zlib ignores what follows it.
        const size_t records = entries_.size() * (EntryDigests ? 532 + 32 : 532);
        const size_t room = CompressTable ? compressBound(records) : records;
        tableAt = static_cast<int32_t>(out.size());
        std::string table = tableFor(out.size() + room);
        table.resize(room, '\0');
        out += table;
        for (const std::string& block : blocks) out += block;
    } else {
        const size_t dataStart = out.size();
        for (const std::string& block : blocks) out += block;
        tableAt = static_cast<int32_t>(out.size());
        out += tableFor(dataStart);
    }
    std::string trailer(36, '\x5A');
    PutU32(trailer, 0, ArchiveCRC.value_or(Crc(out)));
    PutU32(trailer, 4, static_cast<uint32_t>(FileCount.value_or(static_cast<int32_t>(entries_.size()))));
    PutU32(trailer, 16, static_cast<uint32_t>(TableOffset.value_or(tableAt)));
    trailer[20] = CompressTable ? '\x01' : '\x00';
    if (NamesInUtf8) trailer.replace(24, 4, "UTF8");
    if (EntryDigests) {
        const int32_t declared = TableOffset.value_or(tableAt);
        const size_t from = declared >= 0 && static_cast<size_t>(declared) <= out.size() ? declared : tableAt;
        trailer.replace(28, 4, "SHA2");
        PutU32(trailer, 32, TableCRC.value_or(Crc(out.substr(from))));
    }
    return out + trailer;
}

void ArchiveBuilder::WriteTo(const std::string& fileName) const { WriteFile(fileName, Build()); }

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
