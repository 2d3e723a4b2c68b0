#pragma once
// The copy phase's work on the product's files: each one is decompressed
// from the payload straight into a temporary file beside its place, checked
// against the payload's table while it is written, and then given its
// name. It runs on a thread of its own, so that the window showing the
// progress stays responsive during a long copy, while a second thread
// decompresses and checks the files ahead of it. Each file's missing folders
// below the destination are made first and reported, so that they can be
// logged and removed again. Portable.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/EntryPipeline.h"
#include "app/PayloadEntries.h"
#include "platform/Thread.h"

class TFileStream;

struct TProductFile {
    std::string Target;
    std::string TargetFolder;  // the folder to make first; empty when nothing is to be made
    std::optional<int> Entry;  // the payload's entry; none when the payload lacks the file
    uint64_t Size = 0;         // the entry's size
};

struct TCopyOutcome {
    std::vector<std::string> MadeFolders;  // outermost first
    bool Copied = false;
    int ErrorCode = 0;   // the system's code of a failed copy
    std::string Reason;  // why a copy failed that the system did not refuse; empty when it did
};

// The reason for a file whose bytes the payload cannot give as its table
// describes them, before the archive's own words.
inline constexpr const char* kDamagedPayloadReason = "the setup's payload is damaged: ";

// Writes a product file's bytes into the file open in stream; false when
// the system refused, with its code as LastErrorCode gives it. Raises
// Exception when the bytes cannot be had: a damaged payload.
using TFileWriter = std::function<bool(TFileStream& stream)>;

// The temporary name beside a target under which its bytes are written.
std::string PartFileOf(const std::string& target);

// How the copy changes the machine: the folder levels it makes (outermost
// first, as CreateFolderLevels) and the files it writes, replacing what is
// there. These make them directly; an installation's journal records each
// change first.
class TFileChanges {
public:
    virtual ~TFileChanges() = default;
    virtual std::vector<std::string> MakeFolderLevels(const std::string& folder);
    // Writes the file through its part file, which then takes the target's name.
    virtual bool WriteFile(const std::string& target, const TFileWriter& write);
    // The folders that the next files lie in and the targets that they
    // write, in their order, told before the first folder is made; a
    // journal records them together.
    virtual void ExpectCopies(const std::vector<std::string>& /*folders*/, const std::vector<std::string>& /*targets*/) {}
};
TFileChanges& DirectFileChanges();

// Writes file through its part file: the part is removed again when the
// write fails or raises, and takes file's name through its open handle,
// replacing it, when it is complete.
bool WriteThroughPart(const std::string& file, const TFileWriter& write);
// Writes a file that was not there under its own name; it is removed again
// when the write fails or raises.
bool WriteInPlace(const std::string& file, const TFileWriter& write);

// The folder below destination that a target named by entry ("plugins\de\x.txt")
// lies in ("destination\plugins\de", backslashes only). Empty when the entry
// names no folder, or one that is not plainly below the destination: an empty,
// "." or ".." component, a drive, a stream, or a root.
std::string TargetFolderBelow(const std::string& destination, const std::string& entry);

class TProductCopy {
public:
    // The files whose folders and creations a journal records with one
    // flush: a flush costs a few milliseconds, as much as writing several
    // small files.
    static constexpr size_t GroupSize = 512;

    // Starts writing the files in order from the payload, replacing files
    // that are there.
    TProductCopy(std::vector<TProductFile> files, const std::string& payloadFile, const TPayloadEntries& entries,
                 TFileChanges& changes = DirectFileChanges());
    // Waits for the files still being written.
    ~TProductCopy();
    TProductCopy(const TProductCopy&) = delete;
    TProductCopy& operator=(const TProductCopy&) = delete;

    // Waits until every file is done or the time is up; the number done.
    size_t WaitForAll(std::chrono::milliseconds timeout);
    // The outcome of a file that is done.
    const TCopyOutcome& Outcome(size_t index) const { return outcomes_[index]; }
    size_t Count() const { return files_.size(); }
    // The bytes written so far, the file being written included.
    uint64_t BytesDone() const { return bytesDone_.load(std::memory_order_relaxed); }

private:
    void Run();
    void CopyOne(TEntryPipeline& pipeline, const TProductFile& file, TCopyOutcome& outcome);
    bool WriteEntry(TEntryPipeline::TTurn& turn, TFileStream& part);
    std::vector<int> EntriesInOrder() const;
    std::vector<std::string> MakeFolders(const std::string& folder);

    const std::vector<TProductFile> files_;
    const std::string payloadFile_;
    const TPayloadEntries& entries_;
    TFileChanges& changes_;
    std::vector<TCopyOutcome> outcomes_;     // each written by the thread before it counts as done
    std::vector<std::string> knownFolders_;  // the thread's: folders made or found already
    std::atomic<uint64_t> bytesDone_ = 0;
    std::atomic<size_t> done_ = 0;    // counted after the outcome is written
    platform::TWorkerThread thread_;  // last: starts when everything else is ready
};
