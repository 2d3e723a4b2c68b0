#include "tests/support/ScratchFolder.h"

#include <stdexcept>

#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "shell/FolderTree.h"


// The empty temporary file holds the name while the folder beside it lives:
// test programs running side by side in one temporary folder could otherwise
// be given the same name between the file's removal and the folder's making.
ScratchFolder::ScratchFolder() : reservation_(platform::CreateTempFile(platform::TempFolder(), "kst")) {
    path_ = reservation_ + ".dir";
    if (reservation_.empty() || !platform::CreateDir(path_)) throw std::runtime_error("cannot make a scratch folder");
}

ScratchFolder::~ScratchFolder() {
    try {
        DeleteFolderTree(path_);
    } catch (...) {
    }
    platform::RemoveFile(reservation_);
}

void WriteFile(const std::string& path, const std::string& bytes) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void WriteSparseFile(const std::string& path, const std::string& head, int64_t gap, const std::string& tail) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer(head.data(), static_cast<int32_t>(head.size()));
    file.Seek(gap, TSeekOrigin::soCurrent);
    file.WriteBuffer(tail.data(), static_cast<int32_t>(tail.size()));
}

std::string ReadFile(const std::string& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    std::string bytes(static_cast<size_t>(file.Size()), '\0');
    file.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    return bytes;
}

