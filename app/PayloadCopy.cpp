#include "app/PayloadCopy.h"

#include <algorithm>

#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "shell/FolderLevels.h"

namespace {

constexpr int32_t kCrcBlockSize = 65536;
// Files whose creations the journal records with one flush: a flush costs
// a few milliseconds, about as much as copying a small file.
constexpr size_t kJobGroup = 64;

bool IsPlainFolderName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find(':') == std::string::npos;
}

}  // namespace

std::vector<std::string> TFileChanges::MakeFolderLevels(const std::string& folder) {
    return CreateFolderLevels(folder);
}

bool TFileChanges::CopyFile(const std::string& source, const std::string& target) {
    return platform::CopyFileTo(source, target, false);
}

TFileChanges& DirectFileChanges() {
    static TFileChanges direct;
    return direct;
}

std::string TargetFolderBelow(const std::string& destination, const std::string& entry) {
    const size_t cut = entry.find_last_of("\\/");
    if (cut == std::string::npos) return {};
    std::string folder = destination;
    for (size_t start = 0; start <= cut;) {
        const size_t end = entry.find_first_of("\\/", start);
        const std::string name = entry.substr(start, end - start);
        if (!IsPlainFolderName(name)) return {};
        folder += "\\" + name;
        start = end + 1;
    }
    return folder;
}

TPayloadCopy::TPayloadCopy(std::vector<TCopyJob> jobs, TFileChanges& changes)
    : jobs_(std::move(jobs)), changes_(changes), outcomes_(jobs_.size()), thread_([this] { Run(); }) {}

TPayloadCopy::~TPayloadCopy() = default;

// The thread ends once every job is done.
size_t TPayloadCopy::WaitForAll(std::chrono::milliseconds timeout) {
    thread_.WaitFor(static_cast<unsigned>(timeout.count()));
    return done_.load(std::memory_order_acquire);
}

// The jobs go in groups: the folders of a group's files are made first,
// then its targets are told to the changes at once, then its files copied.
void TPayloadCopy::Run() {
    for (size_t start = 0; start < jobs_.size(); start += kJobGroup) {
        const size_t end = std::min(jobs_.size(), start + kJobGroup);
        std::vector<std::string> targets;
        for (size_t i = start; i < end; ++i) {
            if (!jobs_[i].TargetFolder.empty()) outcomes_[i].MadeFolders = MakeFolders(jobs_[i].TargetFolder);
            targets.push_back(jobs_[i].Target);
        }
        changes_.ExpectCopies(targets);
        for (size_t i = start; i < end; ++i) {
            CopyOne(jobs_[i], outcomes_[i]);
            done_.store(i + 1, std::memory_order_release);
        }
    }
}

// The copy is checked against the archive's CRC: a file of the working
// folder that was changed after unpacking is not installed, and the copy
// that was made of it goes again.
void TPayloadCopy::CopyOne(const TCopyJob& job, TCopyOutcome& outcome) {
    outcome.Copied = changes_.CopyFile(job.Source, job.Target);
    if (!outcome.Copied) {
        outcome.ErrorCode = platform::LastErrorCode();
    } else if (const std::string written = changes_.WrittenFile(job.Target); job.Crc && !HoldsCrc(written, *job.Crc)) {
        platform::RemoveFile(written);
        outcome.Copied = false;
        outcome.Reason = kCopyDiffersReason;
    }
}

bool TPayloadCopy::HoldsCrc(const std::string& file, uint32_t crc) const {
    try {
        TFileStream stream(file, TFileMode::fmOpenReadDenyWrite);
        std::vector<uint8_t> block(kCrcBlockSize);
        uint32_t reg = TCrc32::Preset;
        for (int32_t n; (n = stream.Read(block.data(), kCrcBlockSize)) > 0;) reg = crc_.Update(reg, block.data(), size_t(n));
        return ~reg == crc;
    } catch (const std::exception&) {
        return false;
    }
}

// Files of one folder come one after another, so the folder is looked at
// once, not once per file.
std::vector<std::string> TPayloadCopy::MakeFolders(const std::string& folder) {
    if (std::find(knownFolders_.rbegin(), knownFolders_.rend(), folder) != knownFolders_.rend()) return {};
    knownFolders_.push_back(folder);
    return changes_.MakeFolderLevels(folder);
}
