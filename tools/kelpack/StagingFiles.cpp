#include "tools/kelpack/StagingFiles.h"

#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"

TStagingFiles::~TStagingFiles() {
    for (const std::string& file : files_) platform::RemoveFile(file);
}

std::string TStagingFiles::NewFile() {
    const std::string file = platform::CreateTempFile(platform::TempFolder(), "kel");
    if (file.empty()) throw Exception("Cannot create a temporary file in " + platform::TempFolder());
    files_.push_back(file);
    return file;
}

std::string TStagingFiles::NewName() {
    // The empty file keeps the name taken, so the one beside it stays free too.
    files_.push_back(NewFile() + ".out");
    return files_.back();
}

std::string TStagingFiles::NewFileWith(const std::string& bytes) {
    const std::string file = NewFile();
    TFileStream stream(file, TFileMode::fmCreate);
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    return file;
}
