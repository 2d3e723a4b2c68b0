#include "app/ProductCopy.h"

#include <algorithm>
#include <memory>

#include "archive/EntryReader.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "shell/FolderLevels.h"

namespace {

constexpr const char* kPartSuffix = ".kelpart";
constexpr int kFileNotFound = 2;  // the system's code for a file that is not there

bool IsPlainFolderName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find(':') == std::string::npos;
}

// The file being written goes again, once closed, unless it was completed;
// the system's code of the failure survives its removal.
struct TUnfinishedRemoval {
    const std::string& File;
    std::unique_ptr<TFileStream>& Stream;
    bool Kept = false;
    ~TUnfinishedRemoval() {
        if (Kept) return;
        const int code = platform::LastErrorCode();
        Stream.reset();
        platform::RemoveFile(File);
        platform::SetLastErrorCode(code);
    }
};

}  // namespace

std::string PartFileOf(const std::string& target) { return target + kPartSuffix; }

namespace {

// Creates file and writes it; it goes again unless written and then given
// whatever finish does to it (true when done).
bool WriteNewFile(const std::string& file, TFileMode mode, const TFileWriter& write,
                  const std::function<bool(TFileStream&)>& finish) {
    std::unique_ptr<TFileStream> stream;
    try {
        stream = std::make_unique<TFileStream>(file, mode);
    } catch (const EFCreateError&) {
        return false;
    }
    TUnfinishedRemoval removal{file, stream};
    removal.Kept = write(*stream) && finish(*stream);
    return removal.Kept;
}

}  // namespace

bool WriteThroughPart(const std::string& file, const TFileWriter& write) {
    return WriteNewFile(PartFileOf(file), TFileMode::fmCreateRenamable, write,
                        [&](TFileStream& part) { return part.RenameTo(file); });
}

bool WriteInPlace(const std::string& file, const TFileWriter& write) {
    return WriteNewFile(file, TFileMode::fmCreate, write, [](TFileStream&) { return true; });
}

std::vector<std::string> TFileChanges::MakeFolderLevels(const std::string& folder) {
    return CreateFolderLevels(folder);
}

bool TFileChanges::WriteFile(const std::string& target, const TFileWriter& write) {
    return WriteThroughPart(target, write);
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

TProductCopy::TProductCopy(std::vector<TProductFile> files, const std::string& payloadFile,
                           const TPayloadEntries& entries, TFileChanges& changes)
    : files_(std::move(files)), payloadFile_(payloadFile), entries_(entries), changes_(changes),
      outcomes_(files_.size()), thread_([this] { Run(); }) {}

TProductCopy::~TProductCopy() = default;

// The thread ends once every file is done.
size_t TProductCopy::WaitForAll(std::chrono::milliseconds timeout) {
    thread_.WaitFor(static_cast<unsigned>(timeout.count()));
    return done_.load(std::memory_order_acquire);
}

// The files go in groups: a group's folders and targets are told to the
// changes at once, then its folders are made, then its files written. A
// payload that cannot be opened fails every file with its reason.
void TProductCopy::Run() {
    std::unique_ptr<TEntryReader> reader;
    std::string openFailure;
    try {
        reader = std::make_unique<TEntryReader>(payloadFile_, entries_.All());
    } catch (const std::exception& error) {
        openFailure = error.what();
    }
    std::unique_ptr<TEntryPipeline> pipeline;
    if (reader) pipeline = std::make_unique<TEntryPipeline>(*reader, EntriesInOrder());
    for (size_t start = 0; start < files_.size(); start += GroupSize) {
        const size_t end = std::min(files_.size(), start + GroupSize);
        std::vector<std::string> folders, targets;
        for (size_t i = start; i < end; ++i) {
            const std::string& folder = files_[i].TargetFolder;
            if (!folder.empty() && (folders.empty() || folders.back() != folder)) folders.push_back(folder);
            targets.push_back(files_[i].Target);
        }
        if (reader) changes_.ExpectCopies(folders, targets);
        for (size_t i = start; i < end; ++i)
            if (!files_[i].TargetFolder.empty()) outcomes_[i].MadeFolders = MakeFolders(files_[i].TargetFolder);
        for (size_t i = start; i < end; ++i) {
            if (pipeline) CopyOne(*pipeline, files_[i], outcomes_[i]);
            else outcomes_[i].Reason = openFailure;
            done_.store(i + 1, std::memory_order_release);
        }
    }
}

// A file the payload lacks fails as a missing source file would; a damaged
// entry fails with the archive's reason, and nothing of it stays.
void TProductCopy::CopyOne(TEntryPipeline& pipeline, const TProductFile& file, TCopyOutcome& outcome) {
    const uint64_t startBytes = BytesDone();
    if (!file.Entry) {
        outcome.ErrorCode = kFileNotFound;
    } else {
        TEntryPipeline::TTurn turn(pipeline);
        try {
            outcome.Copied = changes_.WriteFile(file.Target, [&](TFileStream& part) { return WriteEntry(turn, part); });
            if (!outcome.Copied) outcome.ErrorCode = platform::LastErrorCode();
        } catch (const std::exception& error) {
            outcome.Reason = kDamagedPayloadReason + std::string(error.what());
        }
    }
    bytesDone_.store(startBytes + file.Size, std::memory_order_relaxed);
}

// The bytes were checked by the pipeline's reader as they came.
bool TProductCopy::WriteEntry(TEntryPipeline::TTurn& turn, TFileStream& part) {
    return turn.WriteTo(part, [this](uint64_t bytes) { bytesDone_.fetch_add(bytes, std::memory_order_relaxed); });
}

// The entries of the files that have one, in the files' order.
std::vector<int> TProductCopy::EntriesInOrder() const {
    std::vector<int> entries;
    for (const TProductFile& file : files_)
        if (file.Entry) entries.push_back(*file.Entry);
    return entries;
}

// Files of one folder come one after another, so the folder is looked at
// once, not once per file.
std::vector<std::string> TProductCopy::MakeFolders(const std::string& folder) {
    if (std::find(knownFolders_.rbegin(), knownFolders_.rend(), folder) != knownFolders_.rend()) return {};
    knownFolders_.push_back(folder);
    return changes_.MakeFolderLevels(folder);
}
