#include "platform/Shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/Com.h"

namespace platform {

bool SpecialFolderLocation(TWindowHandle owner, int folder, TItemIdList& list) {
    LPITEMIDLIST found = nullptr;
    const HRESULT result = SHGetSpecialFolderLocation(static_cast<HWND>(owner), folder, &found);
    list = found;
    return SUCCEEDED(result);
}

bool PathFromItemIdList(TItemIdList list, std::string& path) {
    char buffer[MAX_PATH + 1] = {};
    if (!SHGetPathFromIDListA(static_cast<LPCITEMIDLIST>(list), buffer)) return false;
    path = buffer;
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
    const HINSTANCE result = ShellExecuteA(nullptr, "open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                                           folder.empty() ? nullptr : folder.c_str(), showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace platform
