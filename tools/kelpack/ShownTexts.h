#pragma once
// The texts the wizard shows from the payload, the licence and the ReadMe,
// written like the description that names them: in Windows-1252 when every
// character fits, otherwise in UTF-8 after a byte-order mark.
#include <string>
#include <vector>

#include "platform/StringList.h"
#include "tools/kelpack/SetupProject.h"
#include "tools/kelpack/StagingFiles.h"

// Replaces each payload file that the description's "Licence" or "ReadMe"
// names by a converted copy among the staging files.
void ConvertShownTexts(TSetupProject& project, const TStringList& setupLines, TStagingFiles& staging);
