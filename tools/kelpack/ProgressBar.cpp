#include "tools/kelpack/ProgressBar.h"

#include <cstdio>

namespace {

constexpr int BarWidth = 30;
constexpr size_t LabelWidth = 40;

std::string Shortened(const std::string& label) {
    if (label.size() <= LabelWidth) return label;
    return "..." + label.substr(label.size() - (LabelWidth - 3));
}

}  // namespace

void TProgressBar::Update(int64_t done, int64_t total, const std::string& label) {
    if (!enabled_) return;
    const int perMille = total > 0 ? static_cast<int>(done * 1000 / total) : 1000;
    if (perMille == lastPerMille_ && label == lastLabel_) return;
    lastPerMille_ = perMille;
    lastLabel_ = label;
    const int filled = perMille * BarWidth / 1000;
    std::fprintf(stderr, "\r[%s%s] %3d%% %-*s", std::string(static_cast<size_t>(filled), '#').c_str(),
                 std::string(static_cast<size_t>(BarWidth - filled), ' ').c_str(), perMille / 10,
                 static_cast<int>(LabelWidth), Shortened(label).c_str());
    std::fflush(stderr);
    drawn_ = true;
}

void TProgressBar::Finish() {
    if (drawn_) std::fputc('\n', stderr);
    drawn_ = false;
    enabled_ = false;
}
