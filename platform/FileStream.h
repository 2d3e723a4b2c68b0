#pragma once
// A stream over an operating-system file.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/Stream.h"

enum class TFileMode {
    fmOpenRead,            // read, others may read and write
    fmOpenReadDenyWrite,   // read, others may read but not write
    fmOpenReadWrite,       // read and write an existing file
    fmCreate,              // create or empty, read and write
    fmCreateDenyWrite,     // create or empty, read and write, others may read
    // As fmCreateDenyWrite, but an existing file is emptied only when it is a
    // plain file with no other name: a link (symbolic, junction or hard) to
    // somebody else's file is refused, never followed.
    fmCreatePlainDenyWrite,
    // As fmCreate, and the open file may be given another name (RenameTo).
    fmCreateRenamable,
};

class TFileStream : public TStream {
public:
    // Raises EFOpenError, or EFCreateError for fmCreate, naming the file.
    TFileStream(const std::string& fileName, TFileMode mode);
    ~TFileStream() override;

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;

    const std::string& FileName() const { return fileName_; }
    // Gives the open file (made fmCreateRenamable) another name in the same
    // volume, replacing a file of that name, without opening it again by
    // its old name; false when it cannot, with the system's code as
    // LastErrorCode gives it.
    bool RenameTo(const std::string& newName);
    // The system's error code of the last write that failed; 0 while none has.
    int WriteErrorCode() const;

private:
    struct Handle;
    std::string fileName_;
    std::unique_ptr<Handle> handle_;
};

// A file larger than its reader takes.
class EFileTooLarge : public EReadError { using EReadError::EReadError; };

// The whole content of a file of at most maxSize bytes. Raises EFOpenError
// when it cannot be opened, EFileTooLarge when it is larger, EReadError when
// it cannot be read.
std::vector<uint8_t> ReadWholeFile(const std::string& fileName, int64_t maxSize);
// The text of an 8-bit text file of at most maxSize bytes, decoded once into
// UTF-8: from Windows-1252, or after a UTF-8 byte-order mark as it stands.
// Raises as ReadWholeFile.
std::string ReadText8File(const std::string& fileName, int64_t maxSize);
