#include "platform/ShellLink.h"

#include "platform/Com.h"
#include "platform/win32/ShellLinkInterfaces.h"
#include "platform/win32/WideText.h"

namespace platform {

TShellLink::TShellLink() : interfaces_(std::make_unique<Interfaces>()) {
    NeedCom();
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      IID_IShellLinkW, interfaces_->link.OutVoid());
    if (FAILED(result)) throw EOleSysError(result);
    result = interfaces_->link->QueryInterface(IID_IPersistFile, interfaces_->file.OutVoid());
    if (FAILED(result)) throw EOleSysError(result);
}

TShellLink::~TShellLink() = default;

void TShellLink::SetPath(const std::string& target) { interfaces_->link->SetPath(Wide(target).c_str()); }
void TShellLink::SetDescription(const std::string& text) { interfaces_->link->SetDescription(Wide(text).c_str()); }
void TShellLink::SetArguments(const std::string& arguments) {
    interfaces_->link->SetArguments(Wide(arguments).c_str());
}
void TShellLink::SetWorkingDirectory(const std::string& folder) {
    interfaces_->link->SetWorkingDirectory(Wide(folder).c_str());
}
void TShellLink::SetIconLocation(const std::string& iconFile, int iconIndex) {
    interfaces_->link->SetIconLocation(Wide(iconFile).c_str(), iconIndex);
}
void TShellLink::SetHotkey(unsigned short hotkey) { interfaces_->link->SetHotkey(hotkey); }
void TShellLink::SetShowCmd(int showCommand) { interfaces_->link->SetShowCmd(showCommand); }

int TShellLink::Save(const std::string& linkFile) {
    const HRESULT result = interfaces_->file->Save(FilePath(linkFile).c_str(), FALSE);
    return SUCCEEDED(result) ? 0 : static_cast<int>(result);
}

}  // namespace platform
