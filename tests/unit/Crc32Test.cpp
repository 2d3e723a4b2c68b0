#include <gtest/gtest.h>
#include <zlib.h>

#include "archive/Crc32.h"
#include "tests/support/ArchiveBuilder.h"

TEST(Crc32, CheckValueOfTheNineDigits) {
    EXPECT_EQ(TCrc32().Of("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(TCrc32().Of("", 0), 0u);
}

TEST(Crc32, TableIsTheOneOfZlib) {
    TCRCTable table;
    BuildCRCTable(table);
    const auto* reference = get_crc_table();
    for (size_t n = 0; n < 256; ++n) ASSERT_EQ(table[n], reference[n]) << n;
    EXPECT_EQ(TCrc32().Table(), table);
}

TEST(Crc32, EightByteStepsAgreeWithZlibAtEveryLengthAndAlignment) {
    const std::string data = NoiseData(300, 7);
    const TCrc32 crc;
    for (size_t start = 0; start < 9; ++start)
        for (size_t length = 0; start + length <= data.size(); length += 13) {
            const auto* bytes = reinterpret_cast<const uint8_t*>(data.data()) + start;
            ASSERT_EQ(crc.Of(bytes, length), crc32(0, bytes, static_cast<uInt>(length))) << start << "+" << length;
        }
}

TEST(Crc32, UpdateContinuesAcrossPieces) {
    const std::string data = TextData(5000);
    const TCrc32 crc;
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
    const uint32_t reg = crc.Update(crc.Update(TCrc32::Preset, bytes, 1234), bytes + 1234, data.size() - 1234);
    EXPECT_EQ(~reg, ArchiveBuilder::Crc(data));
}
