#pragma once
// Temporary files that "kelpack build" makes on its way (converted texts,
// signed programs) in the system's temporary folder, all removed when the
// build is over, whether it succeeded or not.
#include <string>
#include <vector>

class TStagingFiles {
public:
    TStagingFiles() = default;
    ~TStagingFiles();
    TStagingFiles(const TStagingFiles&) = delete;
    TStagingFiles& operator=(const TStagingFiles&) = delete;

    // A new empty file; raises Exception when none can be made.
    std::string NewFile();
    // A name no file has yet, for a program that refuses to replace one.
    std::string NewName();
    // A new file holding the bytes.
    std::string NewFileWith(const std::string& bytes);

private:
    std::vector<std::string> files_;
};
