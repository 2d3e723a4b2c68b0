#include "app/JournalRecord.h"

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

std::string Escaped(const std::string& field) {
    std::string out;
    for (const char c : field) {
        if (c == '\t' || c == '\n' || c == '\r' || c == '%') {
            out += '%';
            out += kHex[(c >> 4) & 15];
            out += kHex[c & 15];
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Unescaped(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        const int high = field[i] == '%' && i + 2 < field.size() ? HexDigit(field[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(field[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += field[i];
        }
    }
    return out;
}

// "-" for no value, else the type in decimal, ":" and the bytes in hex.
std::string ValueField(const std::optional<platform::TRegistryValue>& value) {
    if (!value) return "-";
    std::string out = std::to_string(value->Type) + ":";
    for (const uint8_t byte : value->Data) {
        out += kHex[byte >> 4];
        out += kHex[byte & 15];
    }
    return out;
}

std::optional<platform::TRegistryValue> ValueOf(const std::string& field) {
    const size_t colon = field.find(':');
    if (colon == std::string::npos) return std::nullopt;
    platform::TRegistryValue value;
    for (size_t i = 0; i < colon && field[i] >= '0' && field[i] <= '9'; ++i)
        value.Type = value.Type * 10 + static_cast<uint32_t>(field[i] - '0');
    for (size_t i = colon + 1; i + 1 < field.size(); i += 2) {
        const int high = HexDigit(field[i]), low = HexDigit(field[i + 1]);
        if (high < 0 || low < 0) break;
        value.Data.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    return value;
}

std::vector<std::string> FieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        const size_t end = line.find('\t', start);
        fields.push_back(Unescaped(line.substr(start, end - start)));
        if (end == std::string::npos) return fields;
        start = end + 1;
    }
}

bool IsKnownKind(char kind) {
    for (const char known : {'F', 'R', 'D', 'L', 'E', 'U', 'K', 'V', 'C'})
        if (kind == known) return true;
    return false;
}

}  // namespace

std::string JournalLine(const TJournalRecord& record) {
    return std::string(1, static_cast<char>(record.Kind)) + "\t" + Escaped(record.Path) + "\t" +
           Escaped(record.Detail) + "\t" + ValueField(record.Earlier) + "\n";
}

std::vector<TJournalRecord> ReadJournalText(const std::string& text) {
    std::vector<TJournalRecord> records;
    for (size_t start = 0;;) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) return records;  // a cut-off line or the end
        const std::vector<std::string> fields = FieldsOf(text.substr(start, end - start));
        start = end + 1;
        if (fields.size() < 4 || fields[0].size() != 1 || !IsKnownKind(fields[0][0])) continue;
        records.push_back({static_cast<TChangeKind>(fields[0][0]), fields[1], fields[2], ValueOf(fields[3])});
    }
}
