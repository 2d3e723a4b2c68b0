#pragma once
// Writes a ready-to-ship setup folder from a checked project: Setup.exe and
// Data.Kel, which holds Setup.ini (the project's packed lines), the archives of Graphics, Sounds and
// Additional (gfx.x, snd.x, add.x, the last two only when their folder
// exists) and the product's files, in that order.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tools/kelpack/ArchiveWriter.h"
#include "tools/kelpack/SetupProject.h"

struct TSetupFolderResult {
    std::vector<std::pair<std::string, TPackResult>> Archives;  // gfx.x and the others, by name
    TPackResult Payload;                                         // Data.Kel
    int64_t SetupBytes = 0;                                      // Setup.exe
    bool DigestWritten = false;  // Setup.exe carries the digest of Data.Kel (a kit program without its slot does not)
};

// Finishes the copy of Setup.exe once the payload's digest is in it (signs
// it): returns the finished program's path, which may be the one given.
using TSetupFinisher = std::function<std::string(const std::string& setupExe)>;

// Creates the output folder when missing and replaces Setup.exe and Data.Kel
// there. The SHA-256 of Data.Kel goes into Setup.exe before finish (when
// given) signs it. Both are written under temporary names and renamed at the end, so a
// failure leaves no half-written file and the previous ones as they were.
// They get the modes the umask gives new files, Setup.exe as a program.
// Raises Exception.
// The options say how every archive is compressed; the bytes do not depend
// on the number of threads.
TSetupFolderResult WriteSetupFolder(const TSetupProject& project, const std::string& setupExe,
                                    const std::string& outFolder, const TPackOptions& options = {},
                                    const TSetupFinisher& finish = {});

// Puts Setup.exe and Data.Kel of a setup folder written before into
// outFolder, in the same way: both or neither. Raises Exception.
void CommitSetupFolder(const std::string& builtFolder, const std::string& outFolder);
