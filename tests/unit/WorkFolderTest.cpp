// The working folder beside the program: its name, the unpacking order of
// the payload archives, and its removal.
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <vector>

#include "app/PayloadEntries.h"
#include "app/WorkFolder.h"
#include "archive/ZLIBArchive.h"
#include "platform/FileSystem.h"
#include "shell/FolderTree.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"

#ifndef _WIN32
#include <unistd.h>

#include "platform/posix/NativePath.h"
#endif

namespace {

// A program folder holding Data.Kel with Setup.ini and the given inner archives.
struct PayloadBeside {
    ScratchFolder scratch;
    std::string programFolder = scratch.Path() + "\\";

    // Product files besides tool.exe: name, folder, content.
    std::vector<std::array<std::string, 3>> productFiles;
    std::string description = "[Setup]\r\n";

    void Write(bool sounds, bool additional, bool graphics = true) {
        ArchiveBuilder data;
        data.Add("Setup.ini", description);
        data.Add("tool.exe", TextData(3000));
        for (const auto& [name, folder, content] : productFiles) data.Add(name, content, folder);
        if (graphics) data.Add("gfx.x", Inner("Window.bmp"));
        if (sounds) data.Add("snd.x", Inner("click.wav"));
        if (additional) data.Add("add.x", Inner("extra.txt"));
        data.WriteTo(programFolder + "Data.Kel");
    }

    static std::string Inner(const std::string& name) {
        ArchiveBuilder inner;
        inner.Add(name, "content of " + name);
        return inner.Build();
    }

    void Unpack(const std::string& work, bool withSkin = true) const {
        TZLBArchive archiver;
        archiver.OpenArchive(programFolder + "Data.Kel");
        const TPayloadEntries entries(archiver.Entries());
        archiver.CloseArchive();
        UnpackPageFiles(archiver, programFolder + "Data.Kel", entries, work, withSkin);
    }
};

}  // namespace

// A name that anything has (a folder, a file, a link) is passed over, and
// the folder is made fresh under the first free one: nothing that was
// there is taken over.
TEST(WorkFolder, MakesAFreshFolderUnderTheFirstFreeNameOfTempWithXs) {
    ScratchFolder scratch;
    const std::string program = scratch.Path() + "\\";
    EXPECT_EQ(ChooseWorkFolder(program), program + "temp\\");
    ASSERT_TRUE(platform::CreateDir(program + "temp"));
    WriteFile(program + "tempx", "a file of that name counts too");
#ifndef _WIN32
    ASSERT_EQ(::symlink("/nowhere", platform::NativePath(program + "tempxx").c_str()), 0);
#else
    ASSERT_TRUE(platform::CreateDir(program + "tempxx"));
#endif
    EXPECT_EQ(ChooseWorkFolder(program), program + "tempxxx\\");
    EXPECT_EQ(CreateFreshWorkFolder(program), program + "tempxxx\\");
    EXPECT_TRUE(platform::DirectoryExists(program + "tempxxx\\Graphics"));
    EXPECT_FALSE(platform::DirectoryExists(program + "temp\\Graphics")) << "a folder that was there is not used";
    EXPECT_EQ(CreateFreshWorkFolder(program + "tempx\\"), "") << "a file holds no folder";
}

// What the pages need comes with its folders, the skin flat; the product's
// files stay in the payload, except the licence, which a description
// written for the working folder names with "temp" first.
TEST(WorkFolder, UnpacksWhatThePagesNeedAndLeavesTheProductsFilesInThePayload) {
    PayloadBeside payload;
    payload.productFiles = {{"codec.dll", "plugins/de", "codec"}, {"Setup.ini", "plugins", "not the description"},
                            {"licence.txt", "", "terms"}};
    payload.description = "[Setup]\r\nObject=Setup\r\nAddfile=tool.exe\r\nAddfile=plugins\\de\\codec.dll\r\n"
                          "Addfile=licence.txt\r\nLicence=TEMP\\licence.txt\r\nend\r\n";
    payload.Write(true, true);
    for (const bool withSkin : {true, false}) {
        const std::string work = CreateFreshWorkFolder(payload.programFolder);
        payload.Unpack(work, withSkin);
        EXPECT_EQ(ReadFile(work + "Setup.ini"), payload.description);
        EXPECT_EQ(ReadFile(work + "plugins\\Setup.ini"), "not the description");
        EXPECT_EQ(ReadFile(work + "licence.txt"), "terms");
        EXPECT_FALSE(platform::FileExists(work + "tool.exe"));
        EXPECT_FALSE(platform::DirectoryExists(work + "plugins\\de"));
        EXPECT_EQ(platform::FileExists(work + "Graphics\\Window.bmp"), withSkin);
        EXPECT_EQ(ReadFile(work + "Sounds\\click.wav"), "content of click.wav");
        EXPECT_EQ(ReadFile(work + "Additional\\extra.txt"), "content of extra.txt");
        EXPECT_TRUE(platform::FileExists(work + "gfx.x")) << "the inner archives stay in the working folder";
    }
    const std::pair<const char*, const char*> licences[] = {
        {"licence.txt", "licence.txt"}, {"temp\\licence.txt", "licence.txt"}, {"Temp/docs\\l.txt", "docs\\l.txt"},
        {"tempx\\l.txt", "tempx\\l.txt"}, {"C:\\l.txt", ""}};
    for (const auto& [licence, entry] : licences) EXPECT_EQ(LicenceEntryName(licence), entry) << licence;
}

TEST(WorkFolder, SoundsAndAdditionalAreOptionalButGraphicsAreNot) {
    PayloadBeside payload;
    payload.Write(false, false);
    const std::string work = CreateFreshWorkFolder(payload.programFolder);
    EXPECT_NO_THROW(payload.Unpack(work));
    EXPECT_TRUE(platform::DirectoryExists(work + "Sounds"));
    EXPECT_FALSE(platform::FileExists(work + "Sounds\\click.wav"));

    PayloadBeside withoutGraphics;
    withoutGraphics.Write(false, false, false);
    const std::string other = CreateFreshWorkFolder(withoutGraphics.programFolder);
    EXPECT_EQ(MessageOf([&] { withoutGraphics.Unpack(other); }), "Archive file not found");
}

TEST(WorkFolder, RemovalDeletesOnlyTheWatchedFolderEvenAfterAFailedStart) {
    PayloadBeside payload;
    ASSERT_TRUE(platform::CreateDir(payload.programFolder + "temp"));
    WriteFile(payload.programFolder + "temp\\keep.txt", "someone else's");
    std::string work;
    {
        TWorkFolderRemoval removal([](const std::exception&) { FAIL() << "nothing should fail"; });
        work = CreateFreshWorkFolder(payload.programFolder);
        removal.Watch(work);
        EXPECT_EQ(MessageOf([&] { payload.Unpack(work); }), "Archive file not found");
    }
    EXPECT_EQ(work, payload.programFolder + "tempx\\");
    EXPECT_FALSE(platform::DirectoryExists(work));
    EXPECT_TRUE(platform::FileExists(payload.programFolder + "temp\\keep.txt"));
}

TEST(WorkFolder, GoesToTheTemporaryFolderOnlyWhereTheProgramsFolderCannotTakeIt) {
    ScratchFolder scratch;
    const std::string writable = scratch.Path() + "\\";
    EXPECT_EQ(MakeWorkFolder(writable), writable + "temp\\");
    EXPECT_TRUE(platform::DirectoryExists(writable + "temp\\Graphics"));

    // A program folder that is a file cannot hold folders, as a read-only medium cannot.
    WriteFile(scratch / "medium", "");
    const std::string expected = ChooseWorkFolder(platform::TempFolder());
    const std::string work = MakeWorkFolder(scratch / "medium\\");
    const bool made = platform::DirectoryExists(work + "Graphics");
    DeleteFolderTree(work.substr(0, work.size() - 1));
    EXPECT_EQ(work, expected);
    EXPECT_TRUE(made);
}
