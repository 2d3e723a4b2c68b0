#include "platform/ui/ButtonAccessibility.h"

#include <windows.h>

#include <oleacc.h>

#include <new>

#include "platform/win32/ui/CommonControlsLibrary.h"

namespace platform::ui {

namespace {

struct TAccessibilityLibrary {
    HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
    LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, IUnknown*) = nullptr;
};

template <class TFunction>
void Resolve(HMODULE library, const char* name, TFunction& function) {
    function = reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Loaded when a screen reader first asks, so that the program starts without it.
const TAccessibilityLibrary& AccessibilityLibrary() {
    static const TAccessibilityLibrary functions = [] {
        TAccessibilityLibrary loaded;
        if (HMODULE library = LoadSystemLibrary(L"oleacc.dll")) {
            Resolve(library, "CreateStdAccessibleObject", loaded.CreateStdAccessibleObject);
            Resolve(library, "LresultFromObject", loaded.LresultFromObject);
        }
        return loaded;
    }();
    return functions;
}

// The accessibility interface's id; the import library's would bring every
// id of the accessibility interfaces along.
constexpr IID kAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The window's text without its access mark ("&&" stands for "&"), or with
// accessKey the character after the mark alone.
HRESULT CaptionPart(HWND window, bool accessKey, BSTR* result) {
    if (!result) return E_POINTER;
    wchar_t caption[256], part[256];
    const int length = GetWindowTextW(window, caption, 256);
    int kept = 0;
    for (int at = 0; at < length; ++at) {
        if (caption[at] == L'&' && at + 1 < length && caption[++at] != L'&' && accessKey) {
            kept = 0;
            part[kept++] = caption[at];
            break;
        }
        if (!accessKey) part[kept++] = caption[at];
    }
    *result = kept ? SysAllocStringLen(part, UINT(kept)) : nullptr;
    return kept ? (*result ? S_OK : E_OUTOFMEMORY) : S_FALSE;
}

HRESULT Text(const wchar_t* text, BSTR* result) {
    if (!result) return E_POINTER;
    *result = SysAllocString(text);
    return *result ? S_OK : E_OUTOFMEMORY;
}

// The system's object for the window, with what makes it a button put over it.
class TButtonAccessible final : public IAccessible {
public:
    TButtonAccessible(HWND window, IAccessible* standard, bool pressed)
        : window_(window), standard_(standard), pressed_(pressed) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) return E_POINTER;
        if (id == IID_IUnknown || id == IID_IDispatch || id == kAccessible) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return ULONG(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception, argument);
    }

    // IAccessible: what makes the window a button.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return standard_->get_accName(child, name);
        return CaptionPart(window_, false, name);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        if (!IsSelf(child)) return standard_->get_accKeyboardShortcut(child, shortcut);
        BSTR key = nullptr;
        const HRESULT found = CaptionPart(window_, true, &key);
        if (found != S_OK) return found;
        const wchar_t text[] = {L'A', L'l', L't', L'+', key[0], 0};
        SysFreeString(key);
        return Text(text, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) return standard_->get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = standard_->get_accState(child, state);
        if (SUCCEEDED(result) && IsSelf(child) && state->vt == VT_I4) {
            if (IsWindowEnabled(window_)) state->lVal |= STATE_SYSTEM_FOCUSABLE;
            if (pressed_) state->lVal |= STATE_SYSTEM_PRESSED;
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child)) return standard_->get_accDefaultAction(child, action);
        return Text(L"Press", action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child)) return standard_->accDoDefaultAction(child);
        if (!IsWindowEnabled(window_)) return E_FAIL;
        PostMessageW(window_, BM_CLICK, 0, 0);
        return S_OK;
    }

    // IAccessible: the rest as the system describes the window.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return standard_->get_accHelp(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~TButtonAccessible() { standard_->Release(); }

    LONG references_ = 1;
    HWND window_;
    IAccessible* standard_;
    bool pressed_;
};

}  // namespace

}  // namespace platform::ui

intptr_t ButtonAccessibleObject(TWindowHandle handle, uintptr_t wParam, bool pressed) {
    using namespace platform::ui;
    HWND window = static_cast<HWND>(handle);
    const TAccessibilityLibrary& library = AccessibilityLibrary();
    if (!library.CreateStdAccessibleObject || !library.LresultFromObject) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(library.CreateStdAccessibleObject(window, OBJID_CLIENT, kAccessible, reinterpret_cast<void**>(&standard))))
        return 0;
    // A COM object: it lives by its references and deletes itself with the last.
    auto* button = new (std::nothrow) TButtonAccessible(window, standard, pressed);
    if (!button) {
        standard->Release();
        return 0;
    }
    const LRESULT result = library.LresultFromObject(kAccessible, wParam, button);
    button->Release();
    return result < 0 ? 0 : result;
}
