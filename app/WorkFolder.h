#pragma once
// The setup's private working folder beside the program (or in the
// temporary folder when the program's cannot take it): its name, its
// sub-folders, the unpacking of the payload into it, and its removal.
#include <exception>
#include <functional>
#include <string>
#include <utility>

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
    {"gfx.x", "Graphics", true}, {"snd.x", "Sounds", false}, {"add.x", "Additional", false}};

// programFolder + "temp", with one "x" appended while a folder of that name
// exists, followed by "\". programFolder ends in a backslash.
std::string ChooseWorkFolder(const std::string& programFolder);

// Creates "Graphics", "Sounds" and "Additional" below the working folder, and
// the working folder with them. Failures show up later, when unpacking.
void CreateWorkFolders(const std::string& workFolder);

// Chooses and makes the working folder with its sub-folders beside the
// program. Where that folder cannot take it (a read-only medium or share),
// it goes below the user's temporary folder instead, named by the same rule.
std::string MakeWorkFolder(const std::string& programFolder);

// Unpacks "Data.Kel" beside the program into the working folder, each file
// into its folder there (the product's files may lie in folders), then the
// skin archive "gfx.x" it carried into "Graphics\", and "snd.x" and "add.x"
// into "Sounds\" and "Additional\" when they came too, without folders. An
// entry that would land outside its folder refuses the whole archive.
void UnpackPayload(TZLBArchive& archiver, const std::string& programFolder, const std::string& workFolder);

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

private:
    std::string workFolder_;
    TErrorHandler onError_;
};
