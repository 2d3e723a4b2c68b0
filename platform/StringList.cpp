#include "platform/StringList.h"

#include <limits>

#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/Text.h"
#include "platform/TextCoding.h"

namespace {

[[noreturn]] void IndexError(int32_t index) {
    throw EListError(Format("Der Index der Liste überschreitet das Maximum (%d)", index));
}

}  // namespace

const std::string& TStringList::Get(int32_t index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return lines_[static_cast<size_t>(index)];
}

void TStringList::Insert(int32_t index, const std::string& line) {
    if (index < 0 || index > Count()) IndexError(index);
    lines_.insert(lines_.begin() + index, line);
}

void TStringList::LoadFromFile(const std::string& fileName) {
    SetText(ReadText8File(fileName, std::numeric_limits<int32_t>::max()));
}

void TStringList::SaveToFile(const std::string& fileName) const {
    const std::string text = EncodeText8(Text());
    TFileStream file(fileName, TFileMode::fmCreate);
    if (!text.empty()) file.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}

void TStringList::SetText(const std::string& text) {
    lines_.clear();
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines_.push_back(text.substr(start));
            break;
        }
        lines_.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
}

std::string TStringList::Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\r\n";
    return text;
}
