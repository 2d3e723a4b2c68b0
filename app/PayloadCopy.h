#pragma once
// The copying of the product's files out of the working folder, on a thread
// of its own, so that the window showing the progress stays responsive
// during a long copy. Each file's missing folders below the destination are
// made first and reported, so that they can be logged and removed again.
// Portable.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive/Crc32.h"
#include "platform/Thread.h"

struct TCopyJob {
    std::string Source;
    std::string Target;
    std::string TargetFolder;  // the folder to make first; empty when nothing is to be made
    std::optional<uint32_t> Crc;  // what the copy must hold, as the archive gave it; nothing: not checked
};

struct TCopyOutcome {
    std::vector<std::string> MadeFolders;  // outermost first
    bool Copied = false;
    int ErrorCode = 0;  // the system's code of a failed copy
    std::string Reason; // why a copy failed that the system did not refuse; empty when it did
};

// The reason for a copy whose bytes differ from the archive's entry.
inline constexpr const char* kCopyDiffersReason = "the copy differs from the file in the setup's archive";

// How the copy changes the machine: the folder levels it makes (outermost
// first, as CreateFolderLevels) and the files it writes, replacing what is
// there. These make them directly; an installation's journal records each
// change first.
class TFileChanges {
public:
    virtual ~TFileChanges() = default;
    virtual std::vector<std::string> MakeFolderLevels(const std::string& folder);
    virtual bool CopyFile(const std::string& source, const std::string& target);
    // The targets that the next copies write, in their order, told before
    // the first of them; a journal records them together.
    virtual void ExpectCopies(const std::vector<std::string>& /*targets*/) {}
    // The file that the copy to target was written to: target itself, or
    // where the bytes wait while target is in use.
    virtual std::string WrittenFile(const std::string& target) { return target; }
};
TFileChanges& DirectFileChanges();

// The folder below destination that a target named by entry ("plugins\de\x.txt")
// lies in ("destination\plugins\de", backslashes only). Empty when the entry
// names no folder, or one that is not plainly below the destination: an empty,
// "." or ".." component, a drive, a stream, or a root.
std::string TargetFolderBelow(const std::string& destination, const std::string& entry);

class TPayloadCopy {
public:
    // Starts copying the jobs in order, replacing files that are there.
    explicit TPayloadCopy(std::vector<TCopyJob> jobs, TFileChanges& changes = DirectFileChanges());
    // Waits for the files still being copied.
    ~TPayloadCopy();
    TPayloadCopy(const TPayloadCopy&) = delete;
    TPayloadCopy& operator=(const TPayloadCopy&) = delete;

    // Waits until every file is done or the time is up; the number done.
    size_t WaitForAll(std::chrono::milliseconds timeout);
    // The outcome of a job that is done.
    const TCopyOutcome& Outcome(size_t index) const { return outcomes_[index]; }
    size_t Count() const { return jobs_.size(); }

private:
    void Run();
    void CopyOne(const TCopyJob& job, TCopyOutcome& outcome);
    bool HoldsCrc(const std::string& file, uint32_t crc) const;
    std::vector<std::string> MakeFolders(const std::string& folder);

    const std::vector<TCopyJob> jobs_;
    TFileChanges& changes_;
    std::vector<TCopyOutcome> outcomes_;  // each written by the thread before it counts as done
    std::vector<std::string> knownFolders_;  // the thread's: folders made or found already
    TCrc32 crc_;
    std::atomic<size_t> done_ = 0;  // counted after the outcome is written
    platform::TWorkerThread thread_;  // last: starts when everything else is ready
};
