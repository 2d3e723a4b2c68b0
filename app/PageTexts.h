#pragma once
// The wizard's texts in English and German (8-bit Windows Latin-1), one
// field per control that shows one, and the question Cancel asks.
#include <optional>
#include <string>
#include <vector>

struct TPageTexts {
    std::string WelcomeHead, WelcomeText;
    std::string LicenceHead1, LicenceHead2, LicenceCheck;
    std::string DestinationHead1, DestinationHead2, DestinationGroup, DestinationButton;
    std::string FolderHead1, FolderHead2, FolderEditHead, FolderListHead;
    std::string CopyHead1, CopyHead2;
    std::string FinishHead1, FinshHead2;
    std::string DesktopCheck, LaunchProgCheck, ReadMeCheck;
    // The image buttons' names, with "&" before the access letter.
    std::string BackButton, NextButton, CancelButton;
};

TPageTexts EnglishTexts(const std::string& title);
TPageTexts GermanTexts(const std::string& title);

// "German" selects the German texts. "English", "French" and "Spanish" select
// the English ones, and so does any other value, so that the user always
// reads words rather than the form's placeholder captions.
bool UsesGermanTexts(const std::string& language);

// The question Cancel asks: German only for exactly "German".
std::string CancelQuestion(const std::string& language);

// Why the setup asks Windows to wait with logging off or shutting down
// while it copies: German only for exactly "German".
std::string ShutdownBlockText(const std::string& language);

// The texts of upgrades and repairs, German only for exactly "German".
// The question before an older version replaces the installed newer one.
std::string DowngradeQuestion(const std::string& language, const std::string& title, const std::string& installedVersion,
                              const std::string& setupVersion);
// The Finish page's note when files in use are replaced at the next restart.
std::string RestartNeededText(const std::string& language);

// A file that could not be copied, with the system's reason ("Access is denied.").
struct TFailedCopy {
    std::string Target;
    std::string Reason;
};

// The error box's text for files that could not be copied: the first of
// them by name, each as "target (reason)", the rest counted. German only
// for exactly "German".
std::string CopyFailureText(const std::string& language, const std::vector<TFailedCopy>& files);

// The error box's text for every step of the copy phase that failed: the
// files that could not be copied, then a program folder that could not be
// made (its path and the system's reason), which was left out, then each
// shortcut that could not be saved.
std::string FailedStepsText(const std::string& language, const std::vector<TFailedCopy>& files,
                            const std::optional<TFailedCopy>& programFolder,
                            const std::vector<TFailedCopy>& shortcuts = {});
