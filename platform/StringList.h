#pragma once
// A list of text lines (UTF-8), read from and written to 8-bit text files,
// with the framework's checked access by index.
#include <cstdint>
#include <string>
#include <vector>

class TStringList {
public:
    int32_t Count() const { return static_cast<int32_t>(lines_.size()); }
    // The line at index; an index outside the list raises EListError.
    const std::string& Get(int32_t index) const;
    const std::string& operator[](int32_t index) const { return Get(index); }
    void Add(const std::string& line) { lines_.push_back(line); }
    void Insert(int32_t index, const std::string& line);
    void Clear() { lines_.clear(); }
    const std::vector<std::string>& Lines() const { return lines_; }

    // Replaces the list with the file's lines, decoded from Windows-1252, or
    // from UTF-8 after a byte-order mark. Lines end in CR LF, CR or LF; a
    // break at the very end opens no further line. A file that cannot be
    // opened raises EFOpenError.
    void LoadFromFile(const std::string& fileName);
    // Writes every line followed by CR LF, replacing the file: in
    // Windows-1252 when every character fits, else in UTF-8 after a
    // byte-order mark. A file that cannot be made raises EFCreateError.
    void SaveToFile(const std::string& fileName) const;

    // Splits text into lines by the rule of LoadFromFile.
    void SetText(const std::string& text);
    // Every line followed by CR LF.
    std::string Text() const;

private:
    std::vector<std::string> lines_;
};
