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

// The CRC-32 and the size of each file "Data.Kel" holds, by its path below
// the working folder, so that the copy can tell that a file is still what
// was unpacked, and the wizard how much room the product's files take.
struct TPayloadEntry {
    std::string Key;  // the path as Windows compares it: upper case, "\" only, no doubled or leading "\"
    uint32_t Crc = 0;
    uint64_t Size = 0;
};
using TPayloadCrcs = std::vector<TPayloadEntry>;  // in the archive's order

// The payload's entry for name ("plugins\de\x.dll"); the last one when it
// holds the name twice, as that one was unpacked last. Null when it does not
// hold the name.
const TPayloadEntry* PayloadEntryOf(const TPayloadCrcs& crcs, const std::string& name);
// The CRC of that entry; nothing when there is none.
std::optional<uint32_t> PayloadCrcOf(const TPayloadCrcs& crcs, const std::string& name);

// Unpacks "Data.Kel" beside the program into the working folder, each file
// into its folder there (the product's files may lie in folders), then the
// skin archive "gfx.x" it carried into "Graphics\", and "snd.x" and "add.x"
// into "Sounds\" and "Additional\" when they came too, without folders. An
// entry that would land outside its folder refuses the whole archive.
// Returns the CRCs of the files of "Data.Kel".
TPayloadCrcs UnpackPayload(TZLBArchive& archiver, const std::string& programFolder, const std::string& workFolder);

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
