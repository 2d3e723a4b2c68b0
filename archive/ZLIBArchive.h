#pragma once
// TZLBArchive opens payload archives, verifies them and extracts their entries
// into a folder, reporting progress through events. Entry names are given
// in UTF-8, whichever form the archive stores them in. An archive whose
// table holds entry digests is trusted through its table's CRC at opening,
// and each entry through its digest as it is written.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveFormat.h"
#include "archive/Crc32.h"
#include "archive/Sha256.h"
#include "platform/Component.h"
#include "platform/Stream.h"

class TFileStream;

enum TFileCompressionLevel : uint8_t { fcNone, fcFastest, fcDefault, fcMaximum };

enum TProgressActivity : uint8_t { paReadingList = 0, paExtracting = 1, paIdle = 5 };

using TReplaceFileEvent = std::function<void(const std::string& fileName, bool& replace)>;
using TFileExtractedEvent = std::function<void(const std::string& fileName)>;
using TProgressEvent = std::function<void(const std::string& message, int percentage)>;
using TErrorLogEvent = std::function<void(const std::string& message)>;

class TZLBArchive : public TComponent {
public:
    explicit TZLBArchive(TComponent* owner = nullptr);
    ~TZLBArchive() override;

    // Published options.
    TFileCompressionLevel CompressionLevel = fcDefault;  // for a writer; extraction ignores it
    bool ExtractWithPath = false;  // place each file under its FilePath
    bool CheckCRC = false;         // verify each extracted file's CRC
    bool SavePaths = false;        // CollectFolderFiles also lists folders
    bool RecursePaths = false;     // CollectFolderFiles descends into folders

    // Published events; an unassigned one is skipped.
    TReplaceFileEvent OnReplaceFile;
    TFileExtractedEvent OnFileExtracted;
    TNotifyEvent OnArchiveOpened;
    TProgressEvent OnProgress;
    TFileExtractedEvent OnStreamExtracted;  // never raised by extraction
    TErrorLogEvent OnErrorLogged;           // never raised by extraction

    // True when the archive was opened; false for an empty name. Raises on failure.
    bool OpenArchive(const std::string& fileName);
    void CloseArchive();
    void ExtractFiles(const std::string& destinationFolder);
    int GetFileCount() const;
    void GetFileEntry(int index, TArchiveEntry& entry) const;
    // Every entry of the open archive, in its order; none when no archive is open.
    const std::vector<TArchiveEntry>& Entries() const { return entries_; }
    // CRC-32 of the stream from its start up to (size - excludedTail); the position is kept.
    uint32_t StreamCRC(TStream& stream, int64_t excludedTail) const;
    // CRC-32 of the stream's bytes from offset from up to offset to; the position is kept.
    uint32_t RangeCRC(TStream& stream, int64_t from, int64_t to) const;
    void ReportProgress();

    // Creates a new temporary file "ZLB....tmp" and returns its name.
    virtual void MakeTempFileName(std::string& name);
    // Lists the files below folder; a subfolder's contents come before its level's entries.
    virtual void CollectFolderFiles(const std::string& folder, std::vector<std::string>& list);

    const std::string& ArchiveFileName() const { return archiveFileName_; }
    const TArchiveTrailer& Trailer() const { return trailer_; }
    TProgressActivity ProgressActivity() const { return progressActivity_; }

protected:
    static constexpr int32_t PieceSize = 4096;
    // Extraction writes each file in blocks of many pieces, so that a file
    // costs few system calls; the pieces still set the progress steps.
    static constexpr int32_t WriteBlockSize = 64 * PieceSize;

    // Writes the entry's bytes into the target; a subclass may read them
    // another way, with the same results, errors and progress.
    virtual void CopyEntryData(TStream& archive, TFileStream& target, const TArchiveEntry& entry, int index);
    // The progress of one entry: its start, then each piece's bytes.
    void StartEntryProgress(const TArchiveEntry& entry);
    void AddEntryProgress(int64_t count);
    // Writes an entry's bytes, which go into its digest when the archive has
    // entry digests; raises "Unable to write file PATH (REASON)" when the write fails.
    void WriteBytes(TFileStream& target, const uint8_t* bytes, int32_t count);
    [[noreturn]] static void Corrupt(int index);
    // Runs bytes through the archive's CRC-32 (zlib's); a subclass may use a faster library.
    virtual uint32_t CrcAfter(uint32_t crc, const uint8_t* bytes, size_t count) const;

private:
    static constexpr int32_t CRCPieceSize = 65536;
    // Extraction reads the archive in large blocks too.
    static constexpr int32_t ReadBlockSize = 262144;

    bool Intact(TStream& file, const TArchiveTrailer& trailer) const;
    void LoadEntryTable(TFileStream& file);
    void LoadPlainTable(TFileStream& file, int32_t tableSize);
    void LoadCompressedTable(TFileStream& file, int32_t tableSize);
    void AppendEntries(const std::vector<uint8_t>& table);
    void CheckEntryNames() const;
    std::string TargetFolderFor(const std::string& destinationFolder, const TArchiveEntry& entry);
    void ExtractEntry(TStream& archive, int index, const std::string& destinationFolder);
    void EndExtraction();
    void BecomeIdle();

    std::string archiveFileName_;
    TArchiveTrailer trailer_;
    std::vector<TArchiveEntry> entries_;
    TProgressActivity progressActivity_ = paIdle;
    std::string progressMessage_;
    int64_t progressTotal_ = 0;
    int64_t progressDone_ = 0;
    // While extracting: the bytes inflated but not yet written, and the
    // last folder made or found, which later entries in it need not check.
    std::vector<uint8_t> writeBlock_;
    std::string readyFolder_;
    // While an entry with a digest is written: the digest of its bytes so far.
    std::optional<TSha256> entryDigest_;
};
