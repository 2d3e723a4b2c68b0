#include "shell/EmbeddedLanguages.h"

void ForEachLanguage(std::string_view texts, const std::function<void(std::string_view, std::string_view)>& take) {
    while (!texts.empty()) {
        const size_t end = texts.find('\0');
        const std::string_view language = texts.substr(0, end);
        texts = end == std::string_view::npos ? std::string_view() : texts.substr(end + 1);
        const size_t nameEnd = language.find('\n');
        if (nameEnd == std::string_view::npos) continue;
        take(language.substr(0, nameEnd), language.substr(nameEnd + 1));
    }
}
