#include "platform/HeldFile.h"

#include <windows.h>

#include <sddl.h>

#include "platform/win32/WideText.h"

namespace platform {

struct THeldFile::Handle {
    HANDLE file = INVALID_HANDLE_VALUE;
    ~Handle() {
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
};

THeldFile::THeldFile() : handle_(std::make_unique<Handle>()) {}
THeldFile::~THeldFile() = default;

bool THeldFile::Create(const std::string& path) {
    Close();
    handle_->file = CreateFileW(FilePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    return IsOpen();
}

bool THeldFile::Append(const std::string& bytes) {
    if (!IsOpen()) return false;
    DWORD written = 0;
    const bool wrote = WriteFile(handle_->file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                       written == bytes.size();
    return wrote && FlushFileBuffers(handle_->file);
}

void THeldFile::Close() { handle_ = std::make_unique<Handle>(); }

bool THeldFile::IsOpen() const { return handle_->file != INVALID_HANDLE_VALUE; }

bool IsFileHeld(const std::string& path) {
    const HANDLE file =
        CreateFileW(FilePath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

bool FlushFile(const std::string& path) {
    const HANDLE file = CreateFileW(FilePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file);
    CloseHandle(file);
    return flushed;
}


bool CreateAdminFolder(const std::string& path) {
    // Protected from inherited entries; full control for the system and the
    // administrators, reading for everyone else.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FR;;;WD)",
                                                              SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    const bool made = CreateDirectoryW(FilePath(path).c_str(), &attributes);
    LocalFree(descriptor);
    return made;
}

}  // namespace platform
