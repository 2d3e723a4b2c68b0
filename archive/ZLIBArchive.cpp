#include "archive/ZLIBArchive.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>

#include <zlib.h>

#include "archive/ArchiveDigest.h"
#include "archive/DecompressionStream.h"
#include "archive/EntryNames.h"
#include "archive/ReadAheadStream.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/SystemError.h"
#include "platform/Text.h"

namespace {

// Deflate cannot shrink data by more than about 1032:1, so a compressed
// table larger than that many times its stored bytes cannot be genuine.
constexpr int64_t MaxDeflateRatio = 1032;

std::unique_ptr<TFileStream> OpenForReading(const std::string& fileName) {
    try {
        return std::make_unique<TFileStream>(fileName, TFileMode::fmOpenReadDenyWrite);
    } catch (const EStreamError&) {
        throw Exception(Format("Unable to open file (%s)", fileName.c_str()));
    }
}

// Every run of backslashes becomes one, then a trailing one goes.
std::string CollapseSeparators(const std::string& folder) {
    std::string result;
    result.reserve(folder.size());
    for (char c : folder)
        if (c != '\\' || result.empty() || result.back() != '\\') result += c;
    if (!result.empty() && result.back() == '\\') result.pop_back();
    return result;
}

// Done / total as a percentage, halves going to the even neighbour.
int Percentage(int64_t done, int64_t total) {
    return static_cast<int>(std::nearbyint(static_cast<double>(done) / total * 100.0));
}

}  // namespace

TZLBArchive::TZLBArchive(TComponent* owner) : TComponent(owner) {}

TZLBArchive::~TZLBArchive() {
    MarkDestroying();
    if (!archiveFileName_.empty()) CloseArchive();
}

bool TZLBArchive::OpenArchive(const std::string& fileName) {
    CloseArchive();
    archiveFileName_ = fileName;
    if (fileName.empty()) return false;
    if (!platform::FileExists(fileName)) throw Exception("Archive file not found");
    std::unique_ptr<TFileStream> file = OpenForReading(fileName);

    const std::optional<TArchiveTrailer> trailer = ReadArchiveTrailer(*file);
    if (!trailer || !Intact(*file, *trailer)) {
        archiveFileName_.clear();
        trailer_ = {};
        throw Exception("The archive file appears to be corrupted");
    }
    trailer_ = *trailer;

    try {
        LoadEntryTable(*file);
        if (OnArchiveOpened) OnArchiveOpened(*this);
    } catch (...) {
        file.reset();
        CloseArchive();
        throw Exception("Unable to read archive file list");
    }
    file.reset();
    progressActivity_ = paIdle;
    ReportProgress();
    return true;
}

// A table with entry digests vouches for the whole archive through its own
// CRC, so only the table is read; any other archive is read whole for its CRC.
bool TZLBArchive::Intact(TStream& file, const TArchiveTrailer& trailer) const {
    const int64_t tableEnd = file.Size() - ArchiveTrailerSize;
    if (!trailer.HasEntryDigests) return RangeCRC(file, 0, tableEnd) == trailer.ArchiveCRC;
    return trailer.TableOffset >= 0 && trailer.TableOffset <= tableEnd &&
           RangeCRC(file, trailer.TableOffset, tableEnd) == trailer.TableCRC;
}

void TZLBArchive::LoadEntryTable(TFileStream& file) {
    if (trailer_.FileCount <= 0) return;
    const int64_t tableSize = trailer_.TableContentSize();
    const int64_t room = file.Size() - ArchiveTrailerSize - trailer_.TableOffset;
    // A table that cannot lie inside the file is refused before anything is allocated.
    if (trailer_.TableOffset < 0 || room <= 0 || tableSize > INT32_MAX) throw Exception("bad table");
    if (trailer_.TableCompressed == 0) {
        if (tableSize > room) throw Exception("bad table");
        LoadPlainTable(file, static_cast<int32_t>(tableSize));
    } else {
        if (tableSize > room * MaxDeflateRatio) throw Exception("bad table");
        LoadCompressedTable(file, static_cast<int32_t>(tableSize));
    }
}

void TZLBArchive::LoadPlainTable(TFileStream& file, int32_t tableSize) {
    std::vector<uint8_t> table(static_cast<size_t>(tableSize));
    file.SetPosition(trailer_.TableOffset);
    file.ReadBuffer(table.data(), tableSize);
    AppendEntries(table);
}

void TZLBArchive::LoadCompressedTable(TFileStream& file, int32_t tableSize) {
    file.SetPosition(trailer_.TableOffset);
    std::vector<uint8_t> table;
    table.reserve(static_cast<size_t>(std::min<int32_t>(tableSize, 1 << 24)));
    {
        TDecompressionStream reader(file);
        progressActivity_ = paReadingList;
        progressTotal_ = tableSize;
        progressDone_ = 0;
        progressMessage_ = "Extracting archive registry";
        uint8_t piece[PieceSize];
        for (int32_t remaining = tableSize; remaining > 0;) {
            const int32_t size = std::min(remaining, PieceSize);
            const int32_t count = reader.Read(piece, size);
            progressDone_ += count;
            ReportProgress();
            table.insert(table.end(), piece, piece + count);
            remaining -= size;
        }
    }
    AppendEntries(table);
}

// The entries with their names in UTF-8, and their digests after the
// records when the table has them; a name the trailer calls UTF-8 that is
// not is a damaged table.
void TZLBArchive::AppendEntries(const std::vector<uint8_t>& table) {
    if (static_cast<int64_t>(table.size()) != trailer_.TableContentSize()) throw Exception("bad table");
    const size_t count = static_cast<size_t>(trailer_.FileCount);
    const size_t recordSize = static_cast<size_t>(trailer_.EntrySize());
    const uint8_t* const digests = table.data() + count * recordSize;
    entries_.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        TArchiveEntry entry = TArchiveEntry::Decode(table.data() + i * recordSize, trailer_.Wide);
        if (!DecodeEntryNames(entry, trailer_.NamesInUtf8)) throw Exception("bad name");
        if (trailer_.HasEntryDigests) {
            entry.Sha256.emplace();
            std::copy_n(digests + i * ArchiveDigestSize, ArchiveDigestSize, entry.Sha256->begin());
        }
        entries_.push_back(std::move(entry));
    }
}

void TZLBArchive::CloseArchive() {
    while (!entries_.empty()) entries_.pop_back();
    trailer_ = {};
    archiveFileName_.clear();
    progressActivity_ = paIdle;
    ReportProgress();
}

int TZLBArchive::GetFileCount() const {
    if (archiveFileName_.empty()) throw Exception("No archive is currently open");
    return static_cast<int>(entries_.size());
}

void TZLBArchive::GetFileEntry(int index, TArchiveEntry& entry) const {
    if (index < 0 || index >= static_cast<int>(entries_.size())) throw Exception("Index out of bounds");
    entry = entries_[static_cast<size_t>(index)];
}

void TZLBArchive::ExtractFiles(const std::string& destinationFolder) {
    if (archiveFileName_.empty()) throw Exception("No archive is currently open");
    std::unique_ptr<TFileStream> archive = OpenForReading(archiveFileName_);
    writeBlock_.resize(WriteBlockSize);
    readyFolder_.clear();
    try {
        CheckEntryNames();
        TReadAheadStream source(*archive, ReadBlockSize);
        for (int i = 0; i < GetFileCount(); ++i) ExtractEntry(source, i, destinationFolder);
    } catch (...) {
        archive.reset();
        EndExtraction();
        throw;
    }
    archive.reset();
    EndExtraction();
}

void TZLBArchive::EndExtraction() {
    std::vector<uint8_t>().swap(writeBlock_);
    entryDigest_.reset();
    readyFolder_.clear();
    BecomeIdle();
}

// Refuses the whole archive, before anything is written, when one entry
// would land outside the destination folder.
void TZLBArchive::CheckEntryNames() const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (!IsSafeEntry(entries_[i], ExtractWithPath))
            throw Exception(UnsafeEntryMessage(static_cast<int>(i), entries_[i], ExtractWithPath));
}

std::string TZLBArchive::TargetFolderFor(const std::string& destinationFolder, const TArchiveEntry& entry) {
    if (destinationFolder.empty()) throw Exception("Unable to create destination path");
    std::string folder = ExtractWithPath ? destinationFolder + entry.FilePath : destinationFolder;
    folder = CollapseSeparators(folder);
    if (folder == readyFolder_) return folder;
    platform::ForceDirectories(folder);
    if (!platform::DirectoryExists(folder)) throw Exception("Unable to create destination path");
    readyFolder_ = folder;
    return folder;
}

void TZLBArchive::ExtractEntry(TStream& archive, int index, const std::string& destinationFolder) {
    TArchiveEntry entry;
    GetFileEntry(index, entry);
    const std::string target = TargetFolderFor(destinationFolder, entry) + "\\" + entry.FileName;

    bool replace = true;
    if (OnReplaceFile && platform::FileExists(target)) {
        replace = false;
        OnReplaceFile(target, replace);
    }
    if (!replace) return;

    {
        TFileStream file(target, TFileMode::fmCreate);
        entryDigest_.reset();
        if (entry.Sha256) entryDigest_.emplace();
        CopyEntryData(archive, file, entry, index);
        if (entry.Sha256 && std::exchange(entryDigest_, std::nullopt)->Finish() != *entry.Sha256) Corrupt(index);
        if (CheckCRC && StreamCRC(file, 0) != entry.FileCRC) Corrupt(index);
    }
    if (OnFileExtracted) OnFileExtracted(destinationFolder + entry.FileName);
}

// Read, inflate and progress failures mean a damaged archive; a failed
// write is the target's, and says why. The pieces gather in the write block,
// which is written whenever the next piece would not fit, at the end, and
// before a damage is reported, so a write fails at the same file as it
// would piece by piece, and a damaged file keeps the pieces read before.
void TZLBArchive::CopyEntryData(TStream& archive, TFileStream& target, const TArchiveEntry& entry, int index) {
    if (entry.DataOffset < 0) Corrupt(index);
    archive.SetPosition(entry.DataOffset);
    std::optional<TDecompressionStream> reader;
    try {
        reader.emplace(archive);
    } catch (...) {
        Corrupt(index);
    }
    StartEntryProgress(entry);
    uint8_t* const block = writeBlock_.data();
    int32_t held = 0;
    for (int64_t remaining = entry.FileSize; remaining > 0;) {
        const int32_t size = static_cast<int32_t>(std::min<int64_t>(remaining, PieceSize));
        if (held + size > WriteBlockSize) {
            WriteBytes(target, block, held);
            held = 0;
        }
        int32_t count = 0;
        try {
            count = entry.IsStored() ? archive.Read(block + held, size) : reader->Read(block + held, size);
            AddEntryProgress(count);
        } catch (...) {
            if (held != 0) WriteBytes(target, block, held);
            Corrupt(index);
        }
        held += count;
        remaining -= size;
    }
    if (held != 0) WriteBytes(target, block, held);
}

void TZLBArchive::Corrupt(int index) { throw Exception(Format("File (%d) is corrupt", index)); }

void TZLBArchive::WriteBytes(TFileStream& target, const uint8_t* bytes, int32_t count) {
    if (entryDigest_) entryDigest_->Update(bytes, static_cast<size_t>(count));
    if (target.Write(bytes, count) == count) return;
    throw Exception(Format("Unable to write file %s (%s)", target.FileName().c_str(),
                           platform::SystemErrorMessage(target.WriteErrorCode()).c_str()));
}

void TZLBArchive::StartEntryProgress(const TArchiveEntry& entry) {
    progressActivity_ = paExtracting;
    progressTotal_ = entry.FileSize;
    progressDone_ = 0;
    progressMessage_ = Format("Extracting %s", entry.FileName.c_str());
}

void TZLBArchive::AddEntryProgress(int64_t count) {
    progressDone_ += count;
    ReportProgress();
}

void TZLBArchive::BecomeIdle() {
    progressActivity_ = paIdle;
    ReportProgress();
}

// zlib's CRC-32 takes several bytes per step, which is faster than a table
// for a whole archive.
uint32_t TZLBArchive::CrcAfter(uint32_t crc, const uint8_t* bytes, size_t count) const {
    return static_cast<uint32_t>(crc32_z(crc, bytes, count));
}

uint32_t TZLBArchive::StreamCRC(TStream& stream, int64_t excludedTail) const {
    return RangeCRC(stream, 0, stream.Size() - excludedTail);
}

uint32_t TZLBArchive::RangeCRC(TStream& stream, int64_t from, int64_t to) const {
    const int64_t position = stream.Position();
    stream.SetPosition(from);
    uint32_t crc = 0;
    std::vector<uint8_t> piece(CRCPieceSize);
    for (int64_t remaining = to - from; remaining > 0;) {
        const int32_t size = static_cast<int32_t>(std::min<int64_t>(remaining, CRCPieceSize));
        const int32_t count = stream.Read(piece.data(), size);
        if (count > 0) crc = CrcAfter(crc, piece.data(), static_cast<size_t>(count));
        remaining -= size;
    }
    stream.SetPosition(position);
    return crc;
}

void TZLBArchive::ReportProgress() {
    if (Destroying() || !OnProgress) return;
    if (progressActivity_ == paIdle)
        OnProgress(archiveFileName_, 0);
    else
        OnProgress(progressMessage_, Percentage(progressDone_, progressTotal_));
}

void TZLBArchive::MakeTempFileName(std::string& name) {
    name = platform::CreateTempFile(platform::TempFolder(), "ZLB");
}

void TZLBArchive::CollectFolderFiles(const std::string& folder, std::vector<std::string>& list) {
    std::string base = folder;
    if (!base.empty() && base.back() == '\\') base.pop_back();
    std::vector<std::string> notes;
    platform::TFindEnum find;
    platform::TSearchRec item;
    for (bool more = find.First(base + "\\*.*", platform::faAnyFile, item); more; more = find.Next(item)) {
        const std::string path = base + "\\" + item.Name;
        if (!(item.Attr & platform::faDirectory)) {
            notes.push_back(path);
        } else if (item.Name != "." && item.Name != "..") {
            if (RecursePaths) CollectFolderFiles(path, list);
            if (SavePaths) notes.push_back(path);
        }
    }
    list.insert(list.end(), notes.begin(), notes.end());
}
