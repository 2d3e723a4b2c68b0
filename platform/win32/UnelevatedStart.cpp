// Starting a program from an elevated process as the user of the desktop,
// without elevation: the desktop shell, which runs unelevated, is asked to
// start it. The path to its start leads from the shell's list of windows to
// the desktop's view and the shell's scripting object behind it.
#include <windows.h>
// Before the shell's scripting interfaces, so that their ShellExecute is named as every call names it.
#include <shellapi.h>
#include <oleauto.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include "platform/Com.h"
#include "platform/Elevation.h"
#include "platform/Shell.h"
#include "platform/win32/ComRef.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// A string of the shell's scripting calls; freed when it goes.
class TBstr {
public:
    explicit TBstr(const std::string& text) : text_(SysAllocString(Wide(text).c_str())) {}
    ~TBstr() { SysFreeString(text_); }
    TBstr(const TBstr&) = delete;
    TBstr& operator=(const TBstr&) = delete;
    BSTR Get() const { return text_; }

private:
    BSTR text_;
};

VARIANT TextVariant(const TBstr& text) {
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_BSTR;
    variant.bstrVal = text.Get();
    return variant;
}

VARIANT NumberVariant(int number) {
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_I4;
    variant.lVal = number;
    return variant;
}

// The view of the desktop window that the shell shows.
bool FindDesktopView(TComRef<IShellView>& view) {
    TComRef<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.OutVoid())))
        return false;
    VARIANT desktop = NumberVariant(0);  // the desktop's folder number
    VARIANT none;
    VariantInit(&none);
    long window = 0;
    TComRef<IDispatch> found;
    if (windows->FindWindowSW(&desktop, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, found.Out()) != S_OK ||
        !found.Get())
        return false;
    TComRef<IServiceProvider> services;
    TComRef<IShellBrowser> browser;
    return SUCCEEDED(found->QueryInterface(IID_IServiceProvider, services.OutVoid())) &&
           SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.OutVoid())) &&
           SUCCEEDED(browser->QueryActiveShellView(view.Out()));
}

// The shell's scripting object of the desktop's view, which starts programs in the shell's process.
bool FindDesktopShell(TComRef<IShellDispatch2>& shell) {
    TComRef<IShellView> view;
    if (!FindDesktopView(view)) return false;
    TComRef<IDispatch> background, application;
    TComRef<IShellFolderViewDual> folderView;
    return SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.OutVoid())) &&
           SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual, folderView.OutVoid())) &&
           SUCCEEDED(folderView->get_Application(application.Out())) &&
           SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, shell.OutVoid()));
}

bool StartThroughDesktopShell(const std::string& file, const std::string& parameters, const std::string& folder,
                              int showCommand) {
    NeedCom();
    TComRef<IShellDispatch2> shell;
    if (!FindDesktopShell(shell)) return false;
    const TBstr wideFile(file), wideParameters(parameters), wideFolder(folder), verb("open");
    return SUCCEEDED(shell->ShellExecute(wideFile.Get(), TextVariant(wideParameters), TextVariant(wideFolder),
                                         TextVariant(verb), NumberVariant(showCommand)));
}

}  // namespace

bool ShellOpenAsUser(const std::string& file, const std::string& parameters, const std::string& folder,
                     int showCommand) {
    if (RunsElevated() && StartThroughDesktopShell(file, parameters, folder, showCommand)) return true;
    return ShellOpen(file, parameters, folder, showCommand);
}

}  // namespace platform
