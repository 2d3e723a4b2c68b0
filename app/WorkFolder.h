#pragma once
// The setup's private working folder beside the program (or in the
// temporary folder when the program's cannot take it): its name, its
// sub-folders, the unpacking of the payload into it, and its removal.
#include <exception>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TPayloadEntries;
class TZLBArchive;

// What the payload holds besides the product's files: the description, and
// the archives that are unpacked into sub-folders of the working folder of
// their own. Only the skin's archive must be there.
inline constexpr const char* kPayloadFile = "Data.Kel";
inline constexpr const char* kSetupIniFile = "Setup.ini";
struct TInnerArchive {
    const char* ArchiveName;
    const char* FolderName;
    bool Required;
};
inline constexpr TInnerArchive kInnerArchives[] = {
    {"gfx.x", "Graphics", true}, {"snd.x", "Sounds", false}, {"add.x", "Additional", false},
    {"lng.x", "Languages", false}};  // the vendor's language files

// programFolder + "temp", with one "x" appended while anything of that name
// is there (a folder, a file or a link), followed by "\". programFolder
// ends in a backslash.
std::string ChooseWorkFolder(const std::string& programFolder);

// Makes a fresh working folder below parentFolder under the first free name
// and "Graphics", "Sounds" and "Additional" in it. A name taken meanwhile is
// passed over for the next, so no folder or link that was there is ever
// taken over. Empty when no folder could be made there.
std::string CreateFreshWorkFolder(const std::string& parentFolder);

// Makes the fresh working folder with its sub-folders beside the program.
// Where that folder cannot take it (a read-only medium or share), it goes
// below the user's temporary folder instead, named by the same rule. When
// neither can take it, the name beside the program, for unpacking to fail on.
std::string MakeWorkFolder(const std::string& programFolder);

// The name of the licence's entry in the payload for the description's
// relative licence path: the path itself, without a first folder "temp",
// which a description written for the working folder beside the program
// names it by ("temp\licence.txt"). Empty for a full path.
std::string LicenceEntryName(const std::string& licence);

// Unpacks from the payload what a run needs before it installs, each file
// into its folder in the working folder: the description, the licence, and
// every entry that no "Addfile" line of the description names (the skin's
// archive "gfx.x", "snd.x", "add.x" and the vendor's languages "lng.x");
// then the archives it carried into their sub-folders, the skin's only
// withSkin (a run without a window shows no picture). The product's files
// stay in the payload until the copy writes them to their place. An entry
// that would land outside the working folder refuses the payload; a missing
// "gfx.x" is "Archive file not found".
void UnpackPageFiles(TZLBArchive& archiver, const std::string& payloadFile, const TPayloadEntries& entries,
                     const std::string& workFolder, bool withSkin);

// Deletes the working folder with everything in it when it goes, also when
// the start-up that made it failed half-way. A failure to delete is handed
// to the error handler; a destructor cannot pass it on.
class TWorkFolderRemoval {
public:
    using TErrorHandler = std::function<void(const std::exception& error)>;

    explicit TWorkFolderRemoval(TErrorHandler onError) : onError_(std::move(onError)) {}
    ~TWorkFolderRemoval();
    TWorkFolderRemoval(const TWorkFolderRemoval&) = delete;
    TWorkFolderRemoval& operator=(const TWorkFolderRemoval&) = delete;

    void Watch(const std::string& workFolder) { workFolder_ = workFolder; }
    void SetErrorHandler(TErrorHandler onError) { onError_ = std::move(onError); }

private:
    std::string workFolder_;
    TErrorHandler onError_;
};
