#pragma once
// The step log that "/LOG=FILE" asks for: one line per step of the run and
// the message of any failure, each written as it happens, so that the file
// tells how far a run came even when it ended abruptly. The lines are UTF-8,
// as the programs hold text, so that paths in any script read as they are;
// ASCII lines are what they always were. Without a file the lines go
// nowhere. Portable.
#include <memory>
#include <string>

class TFileStream;

class TRunLog {
public:
    TRunLog();
    ~TRunLog();
    TRunLog(const TRunLog&) = delete;
    TRunLog& operator=(const TRunLog&) = delete;

    // Starts the file, replacing one that is there when it is a plain file;
    // a link is never followed. Others may read it meanwhile. Raises
    // EFCreateError when it cannot.
    void Open(const std::string& fileName);
    bool IsOpen() const { return file_ != nullptr; }

    // Writes one line; a line that cannot be written is lost, the run goes on.
    void Step(const std::string& text);
    void Failure(const std::string& message) {
        failed_ = true;
        Step("Error: " + message);
    }
    // Whether a failure was told, with or without a file.
    bool HadFailure() const { return failed_; }

private:
    bool failed_ = false;
    std::unique_ptr<TFileStream> file_;
};
