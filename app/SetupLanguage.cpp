// The wizard's language: the built-in ones and those the vendor's language
// files in the payload add or replace, chosen by the command line, the
// description or the user's interface language.
#include "app/SetupForm.h"
#include "app/SetupPreparation.h"
#include "platform/InterfaceFont.h"
#include "platform/ui/Dialogs.h"
#include "shell/Languages.h"

void TSetupForm::ChooseLanguage() {
    const std::string language = ChooseRunLanguage(texts_, WorkFolder(), settings_, run_);
    words_.emplace(texts_, language, settings_.SiteletTitle);
    const TSetupWords& words = *words_;
    SetBoxWords({words[TSetupText::QuestionCaption], words[TSetupText::Yes], words[TSetupText::No],
                 words[TSetupText::ErrorCaption]});
    // The skin's font rarely has Chinese and Japanese characters; the system's own does.
    if (const auto ideographs = IdeographsOf(language)) settings_.TextFont.SetName(platform::InterfaceFontName(*ideographs));
}
