#include "tests/support/BmpBuilder.h"

#include "tests/support/ScratchFolder.h"

namespace {

void AppendLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
}

std::string InfoHeader(const BmpBuilder& b) {
    std::string h;
    AppendLE(h, b.HeaderSize, 4);
    if (b.HeaderSize == 12) {
        AppendLE(h, static_cast<uint32_t>(b.Width), 2);
        AppendLE(h, static_cast<uint32_t>(b.Height), 2);
        AppendLE(h, 1, 2);
        AppendLE(h, b.BitCount, 2);
        return h;
    }
    AppendLE(h, static_cast<uint32_t>(b.Width), 4);
    AppendLE(h, static_cast<uint32_t>(b.Height), 4);
    AppendLE(h, 1, 2);
    AppendLE(h, b.BitCount, 2);
    AppendLE(h, b.Compression, 4);
    AppendLE(h, static_cast<uint32_t>(b.Pixels.size()), 4);
    AppendLE(h, 2835, 4);
    AppendLE(h, 2835, 4);
    AppendLE(h, b.ColorsUsed.value_or(static_cast<uint32_t>(b.Palette.size())), 4);
    AppendLE(h, 0, 4);
    if (b.HeaderSize > 40) {
        const size_t inHeader = b.HeaderSize == 52 ? 3 : 4;
        for (size_t i = 0; i < inHeader; ++i) AppendLE(h, i < b.Masks.size() ? b.Masks[i] : 0, 4);
    }
    if (h.size() < b.HeaderSize) h.append(b.HeaderSize - h.size(), '\xA5');  // colour space fields: never read
    h.resize(b.HeaderSize);
    return h;
}

}  // namespace

std::string BmpBuilder::Build() const {
    std::string body = InfoHeader(*this);
    if (HeaderSize == 40)
        for (uint32_t mask : Masks) AppendLE(body, mask, 4);
    for (uint32_t color : Palette) AppendLE(body, color, HeaderSize == 12 ? 3 : 4);
    const uint32_t offset = static_cast<uint32_t>(14 + body.size());
    std::string file = "BM";
    AppendLE(file, static_cast<uint32_t>(14 + body.size() + Pixels.size()), 4);
    AppendLE(file, 0, 4);
    AppendLE(file, PixelOffset.value_or(offset), 4);
    return file + body + Pixels;
}

std::string PackRows(const std::vector<std::vector<uint32_t>>& rows, int bits) {
    std::string out;
    for (const auto& row : rows) {
        std::string packed;
        if (bits < 8) {
            packed.assign((row.size() * bits + 7) / 8, '\0');
            for (size_t x = 0; x < row.size(); ++x) {
                const size_t bit = x * bits;
                packed[bit / 8] = static_cast<char>(packed[bit / 8] | row[x] << (8 - bits - bit % 8));
            }
        } else {
            for (uint32_t value : row) AppendLE(packed, value, bits / 8);
        }
        packed.append((4 - packed.size() % 4) % 4, '\xEE');  // padding that no decoder may read as a pixel
        out += packed;
    }
    return out;
}

void WriteBmp(const std::string& path, const std::vector<std::vector<uint32_t>>& rows, uint16_t bits) {
    BmpBuilder bmp;
    bmp.Width = int32_t(rows[0].size());
    bmp.Height = -int32_t(rows.size());
    bmp.BitCount = bits;
    bmp.Pixels = PackRows(rows, bits);
    WriteFile(path, bmp.Build());
}

void WriteCornerPicture(const std::string& path, int32_t width, int32_t height, uint32_t color) {
    constexpr uint32_t kMagenta = 0xFF00FF;
    std::vector<std::vector<uint32_t>> rows(size_t(height), std::vector<uint32_t>(size_t(width), color));
    rows[0][0] = rows[0][width - 1] = rows[height - 1][0] = rows[height - 1][width - 1] = kMagenta;
    WriteBmp(path, rows);
}
