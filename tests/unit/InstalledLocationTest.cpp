#include <gtest/gtest.h>

#include "app/InstalledProduct.h"

TEST(InstalledLocation, TheEntrysLocationElseTheUninstallersFolderWhenAFullPath) {
    const struct {
        const char* installLocation;
        const char* uninstallString;
        const char* location;
    } cases[] = {
        {"D:\\Apps\\Lark\\", "\"C:\\Other\\Uninstall.exe\"", "D:\\Apps\\Lark"},
        {"", "\"C:\\Program Files\\Lark\\Uninstall.exe\"", "C:\\Program Files\\Lark"},
        {"", "\"C:\\Program Files\\Lark\\Uninstall.exe\" /S", "C:\\Program Files\\Lark"},
        {"", "C:\\Lark\\Uninstall.exe", "C:\\Lark"},
        {"Lark", "Uninstall.exe", ""},  // relative: no location
        {"\\\\server\\share\\Lark", "", "\\\\server\\share\\Lark"},
        {"C:\\a|b", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InstalledLocationOf(c.installLocation, c.uninstallString), c.location) << c.installLocation << " " << c.uninstallString;
}
