#pragma once
// The uninstaller's texts as data: a table with a row per text and a column
// per built-in language, and the texts put together from it. Portable.
#include <cstdint>
#include <string>

#include "app/RemovalPlan.h"
#include "shell/TextTable.h"
#include "uninstall/Removal.h"

// A language by its English name ("French"); one the table lacks reads as English.
using TUninstallLanguage = std::string;

enum class TUninstallText : uint8_t {
    Yes, No, Ok, Unnamed, Uninstaller, Caption, Question, Removed, RemovedExcept, More, Restart, ProgressHead,
    Removing, TheEntry,
    FirstReason,  // one text per TStayReason, in its order
    LogMissing = FirstReason + 11, NotALog, LogUnreadable,  // by TLogProblem
    ArgumentNotUnderstood,
    Count
};

// The uninstaller's table, built from its built-in languages once.
const TTextTable& UninstallTexts();

// The built-in language of a Windows language id (French for 0x040C); English for any other.
TUninstallLanguage UninstallLanguageOf(uint16_t languageId);

// The language the installation was made in when the uninstaller has it
// (a vendor's own language it has not); the one it spoke so far otherwise.
TUninstallLanguage UninstallLanguageOf(const std::string& installationLanguage, const TUninstallLanguage& otherwise);

// The words of one language that need no wording around them.
struct TUninstallWords {
    std::string Yes;  // the buttons of the question
    std::string No;
    std::string Ok;   // the button of the summary
};
TUninstallWords WordsOf(const TUninstallLanguage& language);

// "Uninstall <NAME>", the caption of every window and box; before the log
// is read (empty name) "Uninstall" alone.
std::string UninstallCaption(const TUninstallLanguage& language, const std::string& name);
// "Remove <NAME> and all of its components?"
std::string RemovalQuestion(const TUninstallLanguage& language, const TRemovalPlan& plan);
// "<NAME> was removed." or what stayed, one item a line with its reason
// (at most kMaxListedLeftOvers), and a word about removal at the next restart.
std::string RemovalSummary(const TUninstallLanguage& language, const TRemovalPlan& plan, const TRemovalResult& result);
constexpr size_t kMaxListedLeftOvers = 12;
// The line of the progress window above its bar, and the one naming the item.
std::string RemovalProgressHead(const TUninstallLanguage& language, const TRemovalPlan& plan);
std::string RemovingText(const TUninstallLanguage& language, const std::string& item);
// Why nothing can be removed: the log is missing, unreadable or no setup log.
std::string LogProblemText(const TUninstallLanguage& language, TLogProblem problem, const std::string& logFile,
                           const std::string& detail);
// The box for a command-line argument that is not understood.
std::string ArgumentNotUnderstoodText(const TUninstallLanguage& language, const std::string& argument);
