#include "tests/e2e/ScreenGrab.h"

#include <cctype>
#include <sstream>
#include <stdexcept>

#include "tests/e2e/DisplayTool.h"
#include "tests/support/RunProcess.h"

namespace {

std::string CropOf(const TRect& area) {
    return std::to_string(area.Width()) + "x" + std::to_string(area.Height()) + "+" + std::to_string(area.Left) + "+" +
           std::to_string(area.Top);
}

// The next number of a PPM header, skipping blanks and comments.
int64_t HeaderNumber(const std::string& bytes, size_t& at) {
    for (;;) {
        while (at < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
        if (at < bytes.size() && bytes[at] == '#') {
            while (at < bytes.size() && bytes[at] != '\n') ++at;
            continue;
        }
        break;
    }
    int64_t number = 0;
    const size_t start = at;
    while (at < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[at])) && number < 1000000)
        number = number * 10 + (bytes[at++] - '0');
    if (at == start) throw std::runtime_error("damaged PPM header");
    return number;
}

// Reads a binary PPM (P6) with 8- or 16-bit samples; throws std::runtime_error on anything else.
std::vector<ScreenColor> DecodePpm(const std::string& bytes, int32_t& width, int32_t& height) {
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') throw std::runtime_error("not a binary PPM");
    size_t at = 2;
    const int64_t w = HeaderNumber(bytes, at), h = HeaderNumber(bytes, at), maxValue = HeaderNumber(bytes, at);
    ++at;  // the single blank after the header
    if (w <= 0 || h <= 0 || maxValue <= 0 || maxValue > 65535) throw std::runtime_error("unsupported PPM header");
    const size_t sampleSize = maxValue > 255 ? 2 : 1;
    if (bytes.size() < at || (bytes.size() - at) / (3 * sampleSize) / size_t(w) < size_t(h))
        throw std::runtime_error("truncated PPM");
    auto sample = [&](size_t index) -> uint32_t {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + at + index * sampleSize;
        const uint32_t value = sampleSize == 2 ? uint32_t(p[0]) << 8 | p[1] : p[0];
        return (value * 255 + uint32_t(maxValue) / 2) / uint32_t(maxValue);
    };
    std::vector<ScreenColor> pixels(size_t(w) * size_t(h));
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = sample(3 * i) << 16 | sample(3 * i + 1) << 8 | sample(3 * i + 2);
    width = int32_t(w);
    height = int32_t(h);
    return pixels;
}

}  // namespace

ScreenSize DisplaySize() {
    std::istringstream text(RunDisplayTool("xdotool getdisplaygeometry"));
    ScreenSize size;
    if (!(text >> size.Width >> size.Height)) throw std::runtime_error("cannot read the display size");
    return size;
}

ScreenImage GrabScreen(const TRect& area) {
    const std::string bytes = RunDisplayTool("import -window root -crop " + CropOf(area) + " -depth 8 ppm:-");
    int32_t width = 0, height = 0;
    std::vector<ScreenColor> pixels = DecodePpm(bytes, width, height);
    if (width != area.Width() || height != area.Height())
        throw std::runtime_error("screen grab of " + CropOf(area) + " came back as " + std::to_string(width) + "x" +
                                 std::to_string(height) + " (is the rectangle on the screen?)");
    return ScreenImage(area, std::move(pixels));
}

void SaveScreenshot(const std::string& path, const TRect& area) {
    RunDisplayTool("import -window root -crop " + CropOf(area) + " +repage " + Quoted(path));
}
