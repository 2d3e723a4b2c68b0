#pragma once
// The texts the wizard shows from the payload, the licence and the ReadMe,
// made Windows-1252 like the description that names them.
#include <string>
#include <vector>

#include "platform/StringList.h"
#include "tools/kelpack/SetupProject.h"
#include "tools/kelpack/StagingFiles.h"

// Replaces each payload file that the description's "Licence" or "ReadMe"
// names by a converted copy among the staging files. Each character
// Windows-1252 cannot hold is a problem "PATH:LINE: reason".
void ConvertShownTexts(TSetupProject& project, const TStringList& setupLines, TStagingFiles& staging,
                       std::vector<std::string>& problems);
