#include <windows.h>
#include <shlobj.h>

#include <thread>

#include <gtest/gtest.h>

#include "platform/Com.h"
#include "platform/FileSystem.h"
#include "platform/ShellLink.h"
#include "shell/Shortcut.h"
#include "tests/support/ScratchFolder.h"

namespace {

constexpr int SW_ShowNormal = 1;
constexpr int SW_ShowMaximized = 3;

// A little-endian field of the link file's fixed header. Wine's shell link
// does not load the show command back, so the file itself is read for it.
unsigned HeaderField(const std::string& linkFile, size_t offset, size_t width) {
    const std::string bytes = ReadFile(linkFile);
    unsigned value = 0;
    for (size_t i = 0; i < width; ++i) value |= static_cast<unsigned>(static_cast<unsigned char>(bytes.at(offset + i))) << (8 * i);
    return value;
}

constexpr size_t ShowCommandField = 0x3C;
constexpr size_t HotkeyField = 0x40;

}  // namespace

TEST(Shortcut, ReadsBackThroughTheShellLinkObject) {
    ScratchFolder scratch;
    const std::string link = scratch / "Product.lnk";
    WriteFile(scratch / "app.exe", "MZ");
    CreateShortcut(link, scratch / "app.exe", "--fast \"two words\"", scratch.Path(), "The product", 0, "", 0, 0, 0,
                   SW_ShowNormal);
    ASSERT_TRUE(platform::FileExists(link));

    platform::TShellLink shortcut;
    ASSERT_TRUE(shortcut.Load(link));
    EXPECT_EQ(shortcut.Path(), scratch / "app.exe");
    EXPECT_EQ(shortcut.Arguments(), "--fast \"two words\"");
    EXPECT_EQ(shortcut.WorkingDirectory(), scratch.Path());
    EXPECT_EQ(shortcut.Description(), "The product");
    EXPECT_EQ(HeaderField(link, ShowCommandField, 4), unsigned{SW_ShowNormal});
    int iconIndex = -1;
    EXPECT_EQ(shortcut.IconLocation(iconIndex), "");  // the icon flag was off
    EXPECT_EQ(HeaderField(link, HotkeyField, 2), 0u);
}

TEST(Shortcut, EmptyWorkingFolderIsStillWritten) {
    ScratchFolder scratch;
    const std::string link = scratch / "ReadMe.lnk";
    CreateShortcut(link, "C:\\windows\\notepad.exe", "C:\\Product\\ReadMe.txt", "", "ReadMe.txt", 0, "", 0, 0, 0,
                   SW_ShowNormal);
    platform::TShellLink shortcut;
    ASSERT_TRUE(shortcut.Load(link));
    EXPECT_EQ(shortcut.WorkingDirectory(), "");
    EXPECT_EQ(shortcut.Arguments(), "C:\\Product\\ReadMe.txt");
    EXPECT_EQ(shortcut.Description(), "ReadMe.txt");
}

TEST(Shortcut, IconAndHotkeyOnlyWhenTheirFlagsAreSet) {
    ScratchFolder scratch;
    const std::string link = scratch / "Icon.lnk";
    CreateShortcut(link, "C:\\windows\\notepad.exe", "", "C:\\", "With icon", 1, "C:\\windows\\notepad.exe", 2, 1,
                   0x10041, SW_ShowMaximized);
    platform::TShellLink shortcut;
    ASSERT_TRUE(shortcut.Load(link));
    int iconIndex = -1;
    EXPECT_EQ(shortcut.IconLocation(iconIndex), "C:\\windows\\notepad.exe");
    EXPECT_EQ(iconIndex, 2);
    EXPECT_EQ(shortcut.Hotkey(), 0x0041);  // the low 16 bits
    EXPECT_EQ(HeaderField(link, HotkeyField, 2), 0x0041u);
    EXPECT_EQ(HeaderField(link, ShowCommandField, 4), unsigned{SW_ShowMaximized});
}

TEST(Shortcut, UnwritableLinkFileGoesUnreported) {
    EXPECT_NO_THROW(CreateShortcut("Q:\\no\\such\\folder\\x.lnk", "C:\\windows\\notepad.exe", "", "", "", 0, "", 0, 0,
                                   0, SW_ShowNormal));
}

// A session that waits for its first use: nothing has COM until a shell link
// is made, and making one opens the session.
TEST(ShellLinkCom, ADeferredSessionOpensWithTheFirstLink) {
    std::thread([] {
        platform::TComInitializer com(platform::TComInitializer::OnFirstUse);
        IUnknown* object = nullptr;
        EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
                  CO_E_NOTINITIALIZED);
        EXPECT_NO_THROW(platform::TShellLink link);
    }).join();
}
