#include "app/DiskSpace.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string_view>
#include <vector>

#include "app/SetupTexts.h"

namespace {

constexpr unsigned kUnitBits = 10;       // a unit is 1024 of the one before
constexpr uint64_t kMostDigits = 1000;   // a number as large is shown in the next unit
constexpr uint64_t kTenthsShown = 1000;  // below 100 units, one decimal
constexpr const char* kEnglishUnits[] = {"KB", "MB", "GB", "TB"};

// The unit's word of the blank-separated names.
std::string_view UnitName(std::string_view names, size_t unit) {
    for (size_t word = 0;; ++word) {
        const size_t start = names.find_first_not_of(' ');
        if (start == std::string_view::npos) return kEnglishUnits[unit];
        names.remove_prefix(start);
        const size_t end = std::min(names.find(' '), names.size());
        if (word == unit) return names.substr(0, end);
        names.remove_prefix(end);
    }
}

// A size to be filled into a text in the language's units.
struct TShownSize {
    std::string_view Placeholder;
    uint64_t Bytes;
    TRounding Rounding;
};

std::string FilledWithSizes(const TSetupWords& words, TSetupText text, std::initializer_list<TShownSize> sizes) {
    const TSizeUnits units = SizeUnitsOf(words);
    std::vector<std::string> shown;
    shown.reserve(sizes.size());  // the values below point into these strings: they must not move
    TPlaceholderValues values;
    for (const TShownSize& size : sizes)
        values.emplace_back(size.Placeholder, shown.emplace_back(SizeText(size.Bytes, size.Rounding, units)));
    return words.Filled(text, values);
}

}  // namespace

// The size in units of 2^bits bytes, whole and in tenths, each cut the given
// way. Every number shown fits 32 bits: a terabyte is 2^40 bytes.
std::string SizeText(uint64_t bytes, TRounding rounding, const TSizeUnits& units) {
    const bool up = rounding == TRounding::Up;
    size_t unit = 0;
    uint64_t whole = 0, tenths = 0;
    for (unsigned bits = kUnitBits;; bits += kUnitBits, ++unit) {
        const uint64_t mask = (uint64_t(1) << bits) - 1, rest = bytes & mask, restTenths = rest * 10;
        whole = (bytes >> bits) + (up && rest != 0);
        tenths = (bytes >> bits) * 10 + (restTenths >> bits) + (up && (restTenths & mask) != 0);
        if (whole < kMostDigits || unit + 1 == std::size(kEnglishUnits)) break;
    }
    const bool withTenths = tenths < kTenthsShown;
    std::string text = std::to_string(uint32_t(withTenths ? tenths / 10 : whole));
    if (withTenths && tenths % 10 != 0) text.append(units.DecimalMark).append(1, char('0' + tenths % 10));
    return text.append(1, ' ').append(UnitName(units.Names, unit));
}

// A language without its own decimal mark has the English one.
TSizeUnits SizeUnitsOf(const TSetupWords& words) {
    TSizeUnits units{words[TSetupText::SizeUnits], words[TSetupText::DecimalMark]};
    if (units.DecimalMark.empty()) units.DecimalMark.push_back('.');
    return units;
}

std::string SpaceRequiredText(const TSetupWords& words, const TDiskSpace& space) {
    return FilledWithSizes(words, TSetupText::SpaceRequired, {{"{size}", space.Needed, TRounding::Up}});
}

std::string SpaceAvailableText(const TSetupWords& words, const TDiskSpace& space) {
    if (!space.Free) return {};
    return FilledWithSizes(words, TSetupText::SpaceAvailable, {{"{size}", *space.Free, TRounding::Down}});
}

std::string SpaceShortageText(const TSetupWords& words, const TDiskSpace& space) {
    return FilledWithSizes(words, TSetupText::SpaceShortage,
                           {{"{needed}", space.Needed, TRounding::Up},
                            {"{free}", space.Free.value_or(0), TRounding::Down},
                            {"{missing}", space.Missing(), TRounding::Up}});
}

std::string SpaceLogText(const TDiskSpace& space, const std::string& destination) {
    std::string text = space.Enough() ? "Space" : "Not enough space";
    text.append(" on the drive of ").append(destination).append(": ");
    text.append(SizeText(space.Needed, TRounding::Up)).append(" needed, ");
    if (!space.Free) return text.append("the drive does not tell its free space");
    text.append(SizeText(*space.Free, TRounding::Down)).append(" free");
    if (!space.Enough()) text.append(", ").append(SizeText(space.Missing(), TRounding::Up)).append(" missing");
    return text;
}
