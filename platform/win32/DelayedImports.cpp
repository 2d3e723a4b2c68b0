// Linked into the shipped programs with the small runtime. A program that
// imports a library on first use (kel_delay_imports in cmake/) calls through
// import slots that start out pointing at the linker's small thunks; the
// first call of each function lands here, which loads the library from the
// system folder alone (never from the program's own folder, where anybody
// may have put a file), looks the function up, fills its slot and returns
// it, so that later calls go straight to the library. The toolchain's own
// helper would load by the 8-bit name through the default search order.
#include <windows.h>

#include <delayimp.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

template <class T>
T* AtRva(RVA rva) {
    return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(&__ImageBase) + rva);
}

// A library of the system folder by its ASCII name; null when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name) {
    wchar_t path[MAX_PATH + 1];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    path[length++] = L'\\';
    for (; *name && length < MAX_PATH; ++name) path[length++] = static_cast<unsigned char>(*name);
    if (*name) return nullptr;
    path[length] = 0;
    return LoadLibraryW(path);
}

// A system library or function that is missing leaves the program nothing
// to call; the thunk that called here cannot pass an error on.
[[noreturn]] void FailImport(const char* library) {
    wchar_t message[128] = L"A system library could not be loaded: ";
    size_t length = lstrlenW(message);
    for (; *library && length < 127; ++library) message[length++] = static_cast<unsigned char>(*library);
    message[length] = 0;
    FatalAppExitW(0, message);
    ExitProcess(1);
}

HMODULE LibraryOf(PCImgDelayDescr descriptor) {
    HMODULE* const slot = AtRva<HMODULE>(descriptor->rvaHmod);
    if (HMODULE loaded = *slot) return loaded;
    HMODULE loaded = LoadSystemLibrary(AtRva<const char>(descriptor->rvaDLLName));
    if (!loaded) FailImport(AtRva<const char>(descriptor->rvaDLLName));
    // Another thread may have loaded it meanwhile: the first one stays.
    if (void* earlier = InterlockedCompareExchangePointer(reinterpret_cast<void**>(slot), loaded, nullptr)) {
        FreeLibrary(loaded);
        return static_cast<HMODULE>(earlier);
    }
    return loaded;
}

}  // namespace

extern "C" FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr descriptor, FARPROC* importSlot) {
    if (!(descriptor->grAttrs & dlattrRva)) FailImport("(old delay-import table)");
    const HMODULE library = LibraryOf(descriptor);
    const size_t index = static_cast<size_t>(importSlot - AtRva<FARPROC>(descriptor->rvaIAT));
    const IMAGE_THUNK_DATA& name = AtRva<IMAGE_THUNK_DATA>(descriptor->rvaINT)[index];
    const FARPROC function =
        IMAGE_SNAP_BY_ORDINAL(name.u1.Ordinal)
            ? GetProcAddress(library, MAKEINTRESOURCEA(IMAGE_ORDINAL(name.u1.Ordinal)))
            : GetProcAddress(library, reinterpret_cast<const char*>(AtRva<IMAGE_IMPORT_BY_NAME>(
                                          static_cast<RVA>(name.u1.AddressOfData))->Name));
    if (!function) FailImport(AtRva<const char>(descriptor->rvaDLLName));
    *importSlot = function;
    return function;
}
