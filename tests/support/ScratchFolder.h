#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <string>
#include <vector>

#include <cstdint>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, without a trailing separator.
    const std::string& Path() const { return path_; }
    // Path() + "\" + relative.
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string reservation_;
    std::string path_;
};

// Small file helpers for tests; they go through the platform layer.
void WriteFile(const std::string& path, const std::string& bytes);
// head, then gap zero bytes left as a hole where the file system can, then tail.
void WriteSparseFile(const std::string& path, const std::string& head, int64_t gap, const std::string& tail);
std::string ReadFile(const std::string& path);
