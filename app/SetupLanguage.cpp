// The wizard's language: the built-in ones and those the vendor's language
// files in the payload add or replace, chosen by the command line, the
// description or the user's interface language.
#include "app/SetupForm.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/InterfaceFont.h"
#include "platform/Text.h"
#include "platform/UserLanguage.h"
#include "platform/ui/Dialogs.h"
#include "shell/Languages.h"
#include "shell/PathParts.h"

namespace {

constexpr const char* kLanguageFolder = "Languages\\";
constexpr const char* kLanguageExtension = ".lng";
constexpr int64_t kMaxLanguageFileSize = 1 << 20;

}  // namespace

void TSetupForm::ChooseLanguage() {
    AddVendorLanguages();
    const std::string language =
        ChooseSetupLanguage(texts_, settings_.Language, run_.Language, platform::UserInterfaceLanguage());
    words_.emplace(texts_, language, settings_.SiteletTitle);
    const TSetupWords& words = *words_;
    SetBoxWords({words[TSetupText::QuestionCaption], words[TSetupText::Yes], words[TSetupText::No],
                 words[TSetupText::ErrorCaption]});
    // The skin's font rarely has Chinese and Japanese characters; the system's own does.
    if (const auto ideographs = IdeographsOf(language)) settings_.TextFont.SetName(platform::InterfaceFontName(*ideographs));
    Step("Language: " + language);
}

// Each "<English name>.lng" the payload brought adds that language or
// replaces the texts of a built-in one; kelpack checked them when it built
// the payload. One that cannot be read is passed over.
void TSetupForm::AddVendorLanguages() {
    const std::string folder = workFolder_ + kLanguageFolder;
    platform::TFindEnum find;
    platform::TSearchRec found;
    for (bool more = find.First(folder + "*" + kLanguageExtension, 0, found); more; more = find.Next(found)) {
        const std::string& name = found.Name;
        if (name.size() <= 4 || !SameText(name.substr(name.size() - 4), kLanguageExtension)) continue;
        try {
            const std::vector<uint8_t> bytes = ReadWholeFile(folder + name, kMaxLanguageFileSize);
            texts_.Fill(name.substr(0, name.size() - 4), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
            Step("Added the language file " + name);
        } catch (const std::exception& error) {
            Step("Passed over the language file " + name + ": " + error.what());
        }
    }
}
