#include "platform/FileStream.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/Exception.h"
#include "platform/win32/WideText.h"

struct TFileStream::Handle {
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD writeError = 0;
    // The file pointer as this stream moved it, so that asking for the
    // position takes no system call; -1 when unknown.
    int64_t position = 0;
    void Advance(int64_t count) {
        if (position >= 0) position += count;
    }
    ~Handle() {
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
};

namespace {

struct OpenParameters {
    DWORD access;
    DWORD share;
    DWORD disposition;
};

OpenParameters ParametersFor(TFileMode mode) {
    switch (mode) {
        case TFileMode::fmOpenRead: return {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING};
        case TFileMode::fmOpenReadDenyWrite: return {GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING};
        case TFileMode::fmOpenReadWrite: return {GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING};
        case TFileMode::fmCreateDenyWrite: return {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS};
        case TFileMode::fmCreatePlainDenyWrite: return {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS};
        case TFileMode::fmCreateRenamable: return {GENERIC_READ | GENERIC_WRITE | DELETE, 0, CREATE_ALWAYS};
        case TFileMode::fmCreate: break;
    }
    return {GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS};
}

// The file was opened where it lies, a link not followed: it is kept and
// emptied only when it is a plain file that has no other name.
bool EmptiedIfPlain(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return false;
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (info.nNumberOfLinks > 1) return false;
    return SetEndOfFile(file) != 0;
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, TFileMode mode)
    : fileName_(fileName), handle_(std::make_unique<Handle>()) {
    const OpenParameters p = ParametersFor(mode);
    const DWORD flags = mode == TFileMode::fmCreatePlainDenyWrite ? FILE_FLAG_OPEN_REPARSE_POINT : FILE_ATTRIBUTE_NORMAL;
    handle_->file =
        CreateFileW(platform::FilePath(fileName).c_str(), p.access, p.share, nullptr, p.disposition, flags, nullptr);
    if (mode == TFileMode::fmCreatePlainDenyWrite && !EmptiedIfPlain(handle_->file)) {
        CloseHandle(handle_->file);
        handle_->file = INVALID_HANDLE_VALUE;
    }
    if (handle_->file == INVALID_HANDLE_VALUE) {
        if (p.disposition != OPEN_EXISTING) throw EFCreateError(fileName);
        throw EFOpenError(fileName);
    }
}

TFileStream::~TFileStream() = default;

int32_t TFileStream::Read(void* buffer, int32_t count) {
    if (count <= 0) return 0;
    DWORD done = 0;
    if (!ReadFile(handle_->file, buffer, static_cast<DWORD>(count), &done, nullptr)) {
        handle_->position = -1;
        throw EReadError("Stream-Lesefehler");
    }
    handle_->Advance(done);
    return static_cast<int32_t>(done);
}

// A write may take only part of the bytes, as on a nearly full disk; the
// rest is written again until all are taken or the system says why not.
int32_t TFileStream::Write(const void* buffer, int32_t count) {
    const char* bytes = static_cast<const char*>(buffer);
    int32_t done = 0;
    while (done < count) {
        DWORD written = 0;
        if (!WriteFile(handle_->file, bytes + done, static_cast<DWORD>(count - done), &written, nullptr)) {
            handle_->writeError = GetLastError();
            handle_->position = -1;  // part of it may have been written
            break;
        }
        if (written == 0) {
            handle_->writeError = ERROR_WRITE_FAULT;
            break;
        }
        done += static_cast<int32_t>(written);
        handle_->Advance(written);
    }
    return done;
}

// The new name goes to the system as a path of its own namespace ("\??\C:\..."),
// which every version takes as it stands.
bool TFileStream::RenameTo(const std::string& newName) {
    const std::wstring target = platform::NtFilePath(newName);
    std::vector<uint8_t> buffer(sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
    std::memcpy(info->FileName, target.data(), info->FileNameLength);
    if (!SetFileInformationByHandle(handle_->file, FileRenameInfo, info, static_cast<DWORD>(buffer.size()))) return false;
    fileName_ = newName;
    return true;
}

int TFileStream::WriteErrorCode() const { return static_cast<int>(handle_->writeError); }

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const bool asking = origin == TSeekOrigin::soCurrent && offset == 0;
    if (asking && handle_->position >= 0) return handle_->position;
    const DWORD method = origin == TSeekOrigin::soBeginning ? FILE_BEGIN
                         : origin == TSeekOrigin::soCurrent ? FILE_CURRENT
                                                            : FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    // A failed move leaves the pointer where it was.
    if (!SetFilePointerEx(handle_->file, distance, &position, method)) return -1;
    handle_->position = position.QuadPart;
    return position.QuadPart;
}

int64_t TFileStream::Size() {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_->file, &size)) return TStream::Size();
    return size.QuadPart;
}
