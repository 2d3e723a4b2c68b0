// A folder the setup makes for itself: never one that is there already, and
// when the program runs elevated, one that only administrators and SYSTEM
// may change.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/FileSystem.h"
#include "platform/NewFolder.h"
#include "platform/win32/WideText.h"
#include "tests/support/ScratchFolder.h"

namespace {

bool RunsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size) &&
                          elevation.TokenIsElevated;
    CloseHandle(token);
    return elevated;
}

// The folder's access list in the system's text form.
std::string AccessListOf(const std::string& folder) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(platform::Wide(folder).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return "(unreadable)";
    wchar_t* text = nullptr;
    std::string list = "(no text)";
    if (ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                             &text, nullptr)) {
        list = platform::Utf8Of(text);
        LocalFree(text);
    }
    LocalFree(descriptor);
    return list;
}

}  // namespace

TEST(NewFolder, IsNeverOneThatIsThereAndElevatedOnlyAdministratorsMayChangeIt) {
    ScratchFolder scratch;
    const std::string folder = scratch / "work";
    ASSERT_TRUE(platform::CreateNewFolder(folder));
    EXPECT_FALSE(platform::CreateNewFolder(folder)) << "a folder that is there is not taken over";
    WriteFile(scratch / "file", "x");
    EXPECT_FALSE(platform::CreateNewFolder(scratch / "file"));
    if (!RunsElevated()) GTEST_SKIP() << "not elevated: the folder takes its parent's access";
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        GTEST_SKIP() << "Wine gives every new folder its default access list, whatever the program asks for";
    const std::string list = AccessListOf(folder);
    EXPECT_EQ(list.rfind("D:P", 0), 0u) << list << ": the parent's entries must not be inherited";
    for (const char* writer : {";;;WD)", ";;;AU)", ";;;BU)"})
        EXPECT_EQ(list.find(std::string("(A;OICI;FA") + writer), std::string::npos) << list;
}
