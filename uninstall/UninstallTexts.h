#pragma once
// The uninstaller's texts in English and German (8-bit, Windows-1252), and
// the choice between them by the user's interface language. Portable.
#include <cstdint>
#include <string>

#include "uninstall/RemovalPlan.h"

enum class TUninstallLanguage : uint8_t { English, German };

// German for every German locale (the primary language of the Windows
// language id is German), English for any other.
TUninstallLanguage UninstallLanguageOf(uint16_t languageId);

// The words of one language that need no wording around them.
struct TUninstallWords {
    const char* Yes;  // the buttons of the question
    const char* No;
    const char* Ok;   // the button of the summary
};
const TUninstallWords& WordsOf(TUninstallLanguage language);

// "Uninstall <NAME>", the caption of every window and box; before the log
// is read (empty name) "Uninstall" alone.
std::string UninstallCaption(TUninstallLanguage language, const std::string& name);
// "Remove <NAME> and all of its components?"
std::string RemovalQuestion(TUninstallLanguage language, const TRemovalPlan& plan);
// "<NAME> was removed." or what stayed, one item a line with its reason
// (at most kMaxListedLeftOvers), and a word about removal at the next restart.
std::string RemovalSummary(TUninstallLanguage language, const TRemovalPlan& plan, const TRemovalResult& result);
constexpr size_t kMaxListedLeftOvers = 12;
// The line of the progress window above its bar, and the one naming the item.
std::string RemovalProgressHead(TUninstallLanguage language, const TRemovalPlan& plan);
std::string RemovingText(TUninstallLanguage language, const std::string& item);
// Why nothing can be removed: the log is missing, unreadable or no setup log.
std::string LogProblemText(TUninstallLanguage language, TLogProblem problem, const std::string& logFile,
                           const std::string& detail);
// The box for a command-line argument that is not understood.
std::string ArgumentNotUnderstoodText(TUninstallLanguage language, const std::string& argument);
