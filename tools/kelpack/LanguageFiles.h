#pragma once
// The vendor's own languages: a project's "Languages" folder holds one file
// per language, "<English name>.lng" ("Swedish.lng"), which adds the
// language to the wizard or replaces the texts of a built-in one. They
// travel in the payload; the wizard reads them as they are.
#include <string>
#include <vector>

#include "tools/kelpack/SetupProject.h"

// Checks each of the project's language files as the wizard reads it: an
// unknown key, a missing key, a placeholder dropped or unknown, a line that
// is no "key=value", a file that is no language file. Each problem is added
// as "FILE:LINE: message" (FILE alone when it concerns the whole file).
void CheckLanguageFiles(const TSetupProject& project, std::vector<std::string>& problems);

// The wizard's English texts as a language file, with a comment on how to
// make a language of it: the template "kelpack init" writes.
std::string LanguageTemplate();

inline constexpr const char* kLanguagesFolder = "Languages";
