// A library loaded by name comes from the system folder once the start-up
// routine of the shipped programs has run, even with a file of that name
// planted beside the program. Without that routine Wine takes the planted
// one, so the test would catch the routine's loss.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/FileSystem.h"
#include "platform/LibrarySearch.h"
#include "platform/win32/WideText.h"

namespace {

std::string ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    return platform::Utf8Of(path, length);
}

}  // namespace

TEST(LibrarySearch, ALibraryPlantedBesideTheProgramIsNeverLoaded) {
    const std::string folder = platform::ProgramFolder() + "\\";
    platform::RestrictLibrarySearch();
    int tried = 0;
    for (const char* name : {"version.dll", "uxtheme.dll", "dwmapi.dll", "winmm.dll", "propsys.dll"}) {
        if (GetModuleHandleW(platform::Wide(name).c_str())) continue;  // loaded already: nothing to tell
        const std::string planted = folder + name;
        ASSERT_TRUE(platform::CopyFileTo(KEL_PLANTED_LIBRARY, planted, false)) << planted;
        const HMODULE module = LoadLibraryW(platform::Wide(name).c_str());
        const std::string loaded = module ? ModulePath(module) : "(none)";
        if (module) FreeLibrary(module);
        const bool markerLeft = platform::FileExists(planted + ".loaded");
        platform::RemoveFile(planted + ".loaded");
        platform::RemoveFile(planted);
        EXPECT_FALSE(markerLeft) << name;
        EXPECT_NE(loaded, planted) << name;
        ++tried;
    }
    EXPECT_GT(tried, 0) << "every library was loaded already";
}
