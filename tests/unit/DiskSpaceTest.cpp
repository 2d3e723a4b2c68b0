// The room an installation needs: sizes as the Destination page, the box
// and the log show them, and the shortfall that keeps a drive unchanged.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "app/DiskSpace.h"
#include "app/SetupTexts.h"

namespace {

constexpr uint64_t KB = 1024, MB = KB << 10, GB = MB << 10;
constexpr TRounding Up = TRounding::Up, Down = TRounding::Down;

}  // namespace

// What is needed is never understated and what is free never overstated:
// each is cut its own way, also where that changes the unit.
TEST(DiskSpace, SizesTakeTheSmallestUnitBelowAThousandWithTenthsBelowAHundred) {
    const TSizeUnits french{"Ko Mo Go To", ","}, fewNames{"kB", "."};
    struct Case {
        uint64_t bytes;
        TRounding rounding;
        const char* shown;
        TSizeUnits units = {};
    };
    const Case cases[] = {
        {0, Up, "0 KB"}, {1, Up, "0.1 KB"}, {1, Down, "0 KB"}, {2 * MB, Up, "2 MB"}, {205 * MB + 1, Up, "206 MB"},
        {99 * MB + 99 * MB / 100, Up, "100 MB"}, {99 * MB + 99 * MB / 100, Down, "99.9 MB"},
        {1000 * KB - 1, Down, "999 KB"}, {1000 * KB - 1, Up, "1 MB"}, {12 * GB + 45 * GB / 100, Down, "12.4 GB"},
        {std::numeric_limits<uint64_t>::max(), Up, "16777216 TB"},
        {1536 * MB, Up, "1,5 Go", french}, {3 * GB, Up, "3 GB", fewNames},  // a unit left out has its English name
    };
    for (const Case& c : cases) EXPECT_EQ(SizeText(c.bytes, c.rounding, c.units), c.shown) << c.bytes;
}

// A drive that cannot tell its free space lets the installation go ahead;
// the page then shows only what is needed.
TEST(DiskSpace, TooLittleRoomIsToldWithWhatIsMissingInTheLanguageAndInTheLog) {
    const TDiskSpace tooLittle{3 * MB + MB / 10, 2 * MB}, justEnough{3 * MB, 3 * MB}, untold{3 * MB, std::nullopt};
    EXPECT_FALSE(tooLittle.Enough());
    EXPECT_EQ(tooLittle.Missing(), MB + MB / 10);
    for (const TDiskSpace& space : {justEnough, untold}) {
        EXPECT_TRUE(space.Enough());
        EXPECT_EQ(space.Missing(), 0u);
    }

    const TTextTable texts = BuiltInSetupTexts();
    const TSetupWords german(texts, "German", "Lark"), russian(texts, "Russian", "Lark");
    EXPECT_EQ(SpaceRequiredText(german, tooLittle), "Benötigter Speicherplatz: 3,1 MB");
    EXPECT_EQ(SpaceAvailableText(russian, tooLittle), "Доступно на диске: 2 МБ");
    EXPECT_EQ(SpaceAvailableText(german, untold), "");
    const std::string box = SpaceShortageText(german, tooLittle);
    for (const char* part : {"Lark", "3,1 MB", "2 MB", "Es fehlen 1,1 MB"})
        EXPECT_NE(box.find(part), std::string::npos) << box;

    EXPECT_EQ(SpaceLogText(tooLittle, "X:\\Lark"),
              "Not enough space on the drive of X:\\Lark: 3.1 MB needed, 2 MB free, 1.1 MB missing");
    EXPECT_EQ(SpaceLogText(untold, "X:\\Lark"),
              "Space on the drive of X:\\Lark: 3 MB needed, the drive does not tell its free space");
}
