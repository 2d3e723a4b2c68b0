// "/D=" as the system resolves it: relative paths from the current folder,
// forward slashes, and short 8.3 names of folders that exist made long, the
// part still to be made kept as written.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/SetupArguments.h"
#include "platform/FileSystem.h"
#include "platform/FullPath.h"
#include "platform/win32/WideText.h"
#include "tests/support/ScratchFolder.h"

namespace {

std::string ShortName(const std::string& path) {
    wchar_t name[MAX_PATH];
    const DWORD length = GetShortPathNameW(platform::Wide(path).c_str(), name, MAX_PATH);
    return length > 0 && length < MAX_PATH ? platform::Utf8Of(name, length) : path;
}

std::string Canonical(const std::string& given) {
    return CanonicalDestination(platform::FullLongPath(given)).value_or("(not understood)");
}

}  // namespace

TEST(FullPath, TheDestinationIsMadeFullAndCanonical) {
    ScratchFolder scratch;
    const std::string longFolder = scratch / "Long Folder Name";
    ASSERT_TRUE(platform::CreateDir(longFolder));
    const std::string full = platform::FullLongPath(scratch.Path());  // the scratch folder's own long form
    const std::string before = platform::CurrentFolder();
    ASSERT_TRUE(platform::SetCurrentFolder(longFolder));
    const std::pair<std::string, std::string> cases[] = {
        {"Product", full + "\\Long Folder Name\\Product"},
        {"..\\Product\\", full + "\\Product"},
        {longFolder + "/Sub/Product/", full + "\\Long Folder Name\\Sub\\Product"},
        {ShortName(longFolder) + "\\New Product", full + "\\Long Folder Name\\New Product"},
    };
    for (const auto& [given, canonical] : cases) EXPECT_EQ(Canonical(given), canonical) << given;
    platform::SetCurrentFolder(before);
    EXPECT_NE(ShortName(longFolder), longFolder) << "the system gave no short name to try";
}
