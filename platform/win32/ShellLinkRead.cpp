// Reading a link file back, apart from ShellLink.cpp so that a program that
// only writes links does not carry it.
#include "platform/Shell.h"
#include "platform/ShellLink.h"
#include "platform/win32/ShellLinkInterfaces.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// The link's getters do not report the size they need: their buffer holds
// the longest path the system has.
constexpr int kLinkTextSize = 32768;

template <typename Get>
std::string LinkText(Get get) {
    std::wstring buffer(kLinkTextSize, L'\0');
    get(buffer.data(), kLinkTextSize);
    return Utf8Of(buffer.c_str());
}

// A file name never holds a question mark, except in the long-path form's
// prefix: one elsewhere stands for a character that was lost on the way.
bool LostCharacters(const std::string& path) {
    const size_t prefix = path.rfind("\\\\?\\", 0) == 0 ? 4 : 0;
    return path.find('?', prefix) != std::string::npos;
}

}  // namespace

bool TShellLink::Load(const std::string& linkFile) {
    return SUCCEEDED(interfaces_->file->Load(FilePath(linkFile).c_str(), STGM_READ));
}

// Some shells keep the target's path in the link file only in the
// machine's code page; the item list names the target in full.
std::string TShellLink::Path() const {
    const std::string raw =
        LinkText([&](wchar_t* buffer, int size) { interfaces_->link->GetPath(buffer, size, nullptr, SLGP_RAWPATH); });
    if (!LostCharacters(raw)) return raw;
    LPITEMIDLIST list = nullptr;
    if (FAILED(interfaces_->link->GetIDList(&list)) || !list) return raw;
    std::string path;
    const bool named = PathFromItemIdList(list, path);
    CoTaskMemFree(list);
    return named ? path : raw;
}

std::string TShellLink::Description() const {
    return LinkText([&](wchar_t* buffer, int size) { interfaces_->link->GetDescription(buffer, size); });
}

std::string TShellLink::Arguments() const {
    return LinkText([&](wchar_t* buffer, int size) { interfaces_->link->GetArguments(buffer, size); });
}

std::string TShellLink::WorkingDirectory() const {
    return LinkText([&](wchar_t* buffer, int size) { interfaces_->link->GetWorkingDirectory(buffer, size); });
}

std::string TShellLink::IconLocation(int& iconIndex) const {
    iconIndex = 0;
    return LinkText([&](wchar_t* buffer, int size) { interfaces_->link->GetIconLocation(buffer, size, &iconIndex); });
}

unsigned short TShellLink::Hotkey() const {
    WORD hotkey = 0;
    interfaces_->link->GetHotkey(&hotkey);
    return hotkey;
}

}  // namespace platform
