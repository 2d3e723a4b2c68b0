#include "platform/Shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/Com.h"
#include "platform/win32/WideText.h"

namespace platform {

std::string SystemProgram(const std::string& name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return name;
    return Utf8Of(folder, length) + "\\" + name;
}

bool SpecialFolderLocation(TWindowHandle owner, int folder, TItemIdList& list) {
    LPITEMIDLIST found = nullptr;
    const HRESULT result = SHGetSpecialFolderLocation(static_cast<HWND>(owner), folder, &found);
    list = found;
    return SUCCEEDED(result);
}

// The buffer holds the longest path the system has.
bool PathFromItemIdList(TItemIdList list, std::string& path) {
    std::wstring buffer(32768, L'\0');
    if (!SHGetPathFromIDListEx(static_cast<PCIDLIST_ABSOLUTE>(list), buffer.data(), static_cast<DWORD>(buffer.size()),
                               GPFIDL_DEFAULT))
        return false;
    path = Utf8Of(buffer.c_str());
    return true;
}

void FreeWithShellAllocator(TItemIdList list) {
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator) return;
    allocator->Free(list);
    allocator->Release();
}

bool ShellOpen(const std::string& file, const std::string& parameters, const std::string& folder, int showCommand) {
    NeedCom();  // the handler of the file's type may be a shell extension
    const std::wstring wideParameters = Wide(parameters);
    const std::wstring wideFolder = Wide(folder);
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", Wide(file).c_str(), parameters.empty() ? nullptr : wideParameters.c_str(),
                      folder.empty() ? nullptr : wideFolder.c_str(), showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace platform
