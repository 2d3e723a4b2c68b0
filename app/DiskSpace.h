#pragma once
// The room an installation needs on its destination's drive: whether the
// drive has it, how much is missing, and the sizes as the Destination page,
// the wizard's box and the run log show them. Portable.
#include <cstdint>
#include <optional>
#include <string>

class TSetupWords;

// The bytes the product's files take, and the bytes the user may still
// write on the destination's drive.
struct TDiskSpace {
    uint64_t Needed = 0;
    std::optional<uint64_t> Free;  // none when the drive cannot tell

    // Whether the files fit. A drive that cannot tell does not stop the
    // installation: a copy that then fails is reported as such.
    bool Enough() const { return !Free || *Free >= Needed; }
    // The bytes to be freed before they fit; 0 when they do.
    uint64_t Missing() const { return Enough() ? 0 : Needed - *Free; }
};

// Which way a size is cut to the digits shown: what is needed up, so that
// it is never understated, what is free down.
enum class TRounding : uint8_t { Down, Up };

// The names of kilobytes, megabytes, gigabytes and terabytes (of 1024 each),
// separated by blanks, and the mark between the whole units and the tenths.
// A unit the names leave out has its English name.
struct TSizeUnits {
    std::string Names = "KB MB GB TB";
    std::string DecimalMark = ".";
};

// "205 MB", "12.4 GB", "0.5 KB": in the smallest unit whose number stays
// below 1000, with one decimal below 100 unless it is 0.
std::string SizeText(uint64_t bytes, TRounding rounding, const TSizeUnits& units = {});

// The units of the wizard's language.
TSizeUnits SizeUnitsOf(const TSetupWords& words);

// The Destination page's lines, "Space required: 205 MB" and "Space
// available on the drive: 12.4 GB"; the second is empty when the drive
// cannot tell.
std::string SpaceRequiredText(const TSetupWords& words, const TDiskSpace& space);
std::string SpaceAvailableText(const TSetupWords& words, const TDiskSpace& space);
// The error box's text when the files do not fit: what they need, what is
// free and what is missing.
std::string SpaceShortageText(const TSetupWords& words, const TDiskSpace& space);

// The run log's line, in English, with the exact bytes: "Space on the
// drive of C:\App: 205 MB needed (...), 12.4 GB free (...)", and "Not
// enough space ..." with what is missing when they do not fit.
std::string SpaceLogText(const TDiskSpace& space, const std::string& destination);
