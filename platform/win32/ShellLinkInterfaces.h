#pragma once
// The interfaces behind a TShellLink, shared by the file that writes links
// and the one that reads them back.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/ShellLink.h"
#include "platform/win32/ComRef.h"

namespace platform {

struct TShellLink::Interfaces {
    TComRef<IShellLinkW> link;
    TComRef<IPersistFile> file;  // released before the link
};

}  // namespace platform
