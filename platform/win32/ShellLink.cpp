#include "platform/ShellLink.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/Com.h"
#include "platform/win32/ComRef.h"

namespace platform {

namespace {

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    return wide;
}

}  // namespace

struct TShellLink::Interfaces {
    TComRef<IShellLinkA> link;
    TComRef<IPersistFile> file;  // released before the link
};

TShellLink::TShellLink() : interfaces_(std::make_unique<Interfaces>()) {
    NeedCom();
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      IID_IShellLinkA, interfaces_->link.OutVoid());
    if (FAILED(result)) throw EOleSysError(result);
    result = interfaces_->link->QueryInterface(IID_IPersistFile, interfaces_->file.OutVoid());
    if (FAILED(result)) throw EOleSysError(result);
}

TShellLink::~TShellLink() = default;

void TShellLink::SetPath(const std::string& target) { interfaces_->link->SetPath(target.c_str()); }
void TShellLink::SetDescription(const std::string& text) { interfaces_->link->SetDescription(text.c_str()); }
void TShellLink::SetArguments(const std::string& arguments) { interfaces_->link->SetArguments(arguments.c_str()); }
void TShellLink::SetWorkingDirectory(const std::string& folder) {
    interfaces_->link->SetWorkingDirectory(folder.c_str());
}
void TShellLink::SetIconLocation(const std::string& iconFile, int iconIndex) {
    interfaces_->link->SetIconLocation(iconFile.c_str(), iconIndex);
}
void TShellLink::SetHotkey(unsigned short hotkey) { interfaces_->link->SetHotkey(hotkey); }
void TShellLink::SetShowCmd(int showCommand) { interfaces_->link->SetShowCmd(showCommand); }

bool TShellLink::Save(const std::string& linkFile) {
    return SUCCEEDED(interfaces_->file->Save(Wide(linkFile).c_str(), FALSE));
}

bool TShellLink::Load(const std::string& linkFile) {
    return SUCCEEDED(interfaces_->file->Load(Wide(linkFile).c_str(), STGM_READ));
}

std::string TShellLink::Path() const {
    char buffer[MAX_PATH + 1] = {};
    interfaces_->link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
    return buffer;
}

std::string TShellLink::Description() const {
    char buffer[1024] = {};
    interfaces_->link->GetDescription(buffer, sizeof buffer);
    return buffer;
}

std::string TShellLink::Arguments() const {
    char buffer[1024] = {};
    interfaces_->link->GetArguments(buffer, sizeof buffer);
    return buffer;
}

std::string TShellLink::WorkingDirectory() const {
    char buffer[MAX_PATH + 1] = {};
    interfaces_->link->GetWorkingDirectory(buffer, MAX_PATH);
    return buffer;
}

std::string TShellLink::IconLocation(int& iconIndex) const {
    char buffer[MAX_PATH + 1] = {};
    iconIndex = 0;
    interfaces_->link->GetIconLocation(buffer, MAX_PATH, &iconIndex);
    return buffer;
}

unsigned short TShellLink::Hotkey() const {
    WORD hotkey = 0;
    interfaces_->link->GetHotkey(&hotkey);
    return hotkey;
}

}  // namespace platform
