#pragma once
// A setup project folder as "kelpack build" reads it: Setup.ini; Graphics
// (the skin pictures, required), Sounds and Additional (optional), each of
// which travels as an archive inside Data.Kel; and Files, the product's
// files, which go into Data.Kel with their folders. The wizard unpacks the
// inner archives without folders, so those three folders must be flat.
#include <string>
#include <vector>

#include "platform/StringList.h"
#include "tools/kelpack/ArchiveWriter.h"
#include "tools/kelpack/PayloadNames.h"

// A folder of the project that goes into Data.Kel as an archive of its own.
struct TProjectArchive {
    std::string FolderName;   // "Graphics": its name in the project and in the working folder
    std::string ArchiveName;  // "gfx.x": its name in Data.Kel
    bool Present = false;
    std::vector<TPackItem> Files;
};

struct TSetupProject {
    std::string Folder;
    std::string SetupIni;                   // the path of the project's Setup.ini
    std::vector<TProjectArchive> Archives;  // Graphics, Sounds, Additional, in payload order
    std::vector<TPackItem> Files;           // the files below Files, each with its folder relative to Files
    std::vector<std::string> EmptyFolders;  // folders below Files that hold nothing, so do not travel
    TStringList PackedSetupIni;             // the lines Data.Kel carries as Setup.ini
};

// Reads the project's layout. Whatever would keep the wizard from starting
// or lose a file is added to problems as "PATH: reason".
TSetupProject ReadSetupProject(const std::string& folder, std::vector<std::string>& problems);

// The files the wizard's working folder holds once it has unpacked the payload.
TPayloadNames PayloadNamesOf(const TSetupProject& project);

// A product file's name relative to the working folder: "plugins\codec.dll".
std::string ProductFileName(const TPackItem& file);
// Those of all product files, in payload order.
std::vector<std::string> ProductFileNames(const TSetupProject& project);
