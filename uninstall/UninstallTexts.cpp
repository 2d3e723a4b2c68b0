#include "uninstall/UninstallTexts.h"

#include "platform/Text.h"

namespace {

constexpr uint16_t kPrimaryLanguageMask = 0x03FF;
constexpr uint16_t kPrimaryGerman = 0x07;

struct TWording {
    TUninstallWords Words;
    const char* Unnamed;
    const char* Uninstaller;
    const char* Caption;
    const char* Question;
    const char* Removed;
    const char* RemovedExcept;
    const char* More;
    const char* Restart;
    const char* ProgressHead;
    const char* Removing;
    const char* TheEntry;
    const char* Reasons[11];  // by TStayReason
    const char* LogProblems[3];  // by TLogProblem
    const char* ArgumentNotUnderstood;
};

const TWording kEnglish = {
    {"&Yes", "&No", "OK"},
    "Unnamed program",
    "Uninstall",
    "Uninstall %s",
    "Remove %s and all of its components?",
    "%s was removed.",
    "%s was removed, except for these items:",
    "... and %d more.",
    "The uninstaller itself is deleted when Windows next starts.",
    "Please wait while %s is removed.",
    "Removing %s",
    "The entry in the list of installed programs",
    {"not understood", "not a full path", "not a valid key name", "the log names no key",
     "a folder where a file was expected", "in use or protected", "holds other files", "could not be deleted",
     "could not be marked for removal at restart", "not the program's: left alone", "reached through a link: left alone"},
    {"The setup log %s is missing, so nothing can be removed.", "%s is not a setup log.",
     "The setup log %s cannot be read: %s"},
    "The argument \"%s\" was not understood.\r\n\r\n"
    "The uninstaller knows one argument: /S removes the program without asking and without any window.",
};

const TWording kGerman = {
    {"&Ja", "&Nein", "OK"},
    "Unbenanntes Programm",
    "Deinstallation",
    "%s deinstallieren",
    "Möchten Sie %s und alle zugehörigen Komponenten entfernen?",
    "%s wurde entfernt.",
    "%s wurde entfernt, bis auf diese Elemente:",
    "... und %d weitere.",
    "Das Deinstallationsprogramm selbst wird beim nächsten Start von Windows gelöscht.",
    "Bitte warten Sie, während %s entfernt wird.",
    "Wird entfernt: %s",
    "Der Eintrag in der Liste der installierten Programme",
    {"nicht verstanden", "kein vollständiger Pfad", "kein gültiger Schlüsselname",
     "das Protokoll nennt keinen Schlüssel", "ein Ordner, wo eine Datei erwartet wurde", "in Verwendung oder geschützt",
     "enthält weitere Dateien", "konnte nicht gelöscht werden",
     "konnte nicht zum Löschen beim nächsten Start vorgemerkt werden", "gehört nicht zum Programm: unverändert",
     "nur über einen symbolischen Link erreichbar: unverändert"},
    {"Das Setup-Protokoll %s fehlt, daher kann nichts entfernt werden.", "%s ist kein Setup-Protokoll.",
     "Das Setup-Protokoll %s kann nicht gelesen werden: %s"},
    "Das Argument „%s“ wurde nicht verstanden.\r\n\r\n"
    "Das Deinstallationsprogramm kennt ein Argument: /S entfernt das Programm ohne Rückfrage und ohne Fenster.",
};

const TWording& WordingOf(TUninstallLanguage language) {
    return language == TUninstallLanguage::German ? kGerman : kEnglish;
}

std::string NameOf(const TWording& wording, const TRemovalPlan& plan) {
    return plan.Name.empty() ? wording.Unnamed : plan.Name;
}

std::string LineOf(const TWording& wording, const TLeftOver& item) {
    const std::string reason = wording.Reasons[size_t(item.Reason)];
    return (item.Item.empty() ? std::string(wording.TheEntry) : item.Item) + " (" + reason + ")";
}

}  // namespace

TUninstallLanguage UninstallLanguageOf(uint16_t languageId) {
    return (languageId & kPrimaryLanguageMask) == kPrimaryGerman ? TUninstallLanguage::German : TUninstallLanguage::English;
}

const TUninstallWords& WordsOf(TUninstallLanguage language) { return WordingOf(language).Words; }

std::string UninstallCaption(TUninstallLanguage language, const std::string& name) {
    const TWording& wording = WordingOf(language);
    return name.empty() ? wording.Uninstaller : Format(wording.Caption, name.c_str());
}

std::string RemovalQuestion(TUninstallLanguage language, const TRemovalPlan& plan) {
    const TWording& wording = WordingOf(language);
    return Format(wording.Question, NameOf(wording, plan).c_str());
}

std::string RemovalSummary(TUninstallLanguage language, const TRemovalPlan& plan, const TRemovalResult& result) {
    const TWording& wording = WordingOf(language);
    const std::string name = NameOf(wording, plan);
    std::string text = Format(wording.Removed, name.c_str());
    if (!result.LeftOvers.empty()) {
        text = Format(wording.RemovedExcept, name.c_str()) + "\r\n";
        const size_t count = result.LeftOvers.size();
        const size_t listed = count > kMaxListedLeftOvers ? kMaxListedLeftOvers - 1 : count;
        for (size_t i = 0; i < listed; ++i) text += "\r\n" + LineOf(wording, result.LeftOvers[i]);
        if (listed < count) text += "\r\n" + Format(wording.More, int(count - listed));
    }
    if (result.RestartPending) text += std::string("\r\n\r\n") + wording.Restart;
    return text;
}

std::string RemovalProgressHead(TUninstallLanguage language, const TRemovalPlan& plan) {
    const TWording& wording = WordingOf(language);
    return Format(wording.ProgressHead, NameOf(wording, plan).c_str());
}

std::string RemovingText(TUninstallLanguage language, const std::string& item) {
    return Format(WordingOf(language).Removing, item.c_str());
}

std::string LogProblemText(TUninstallLanguage language, TLogProblem problem, const std::string& logFile,
                           const std::string& detail) {
    return Format(WordingOf(language).LogProblems[size_t(problem)], logFile.c_str(), detail.c_str());
}

std::string ArgumentNotUnderstoodText(TUninstallLanguage language, const std::string& argument) {
    return Format(WordingOf(language).ArgumentNotUnderstood, argument.c_str());
}
