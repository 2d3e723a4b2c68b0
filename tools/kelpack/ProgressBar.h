#pragma once
// A one-line progress bar on standard error, drawn only on a terminal.
#include <cstdint>
#include <string>

class TProgressBar {
public:
    explicit TProgressBar(bool enabled) : enabled_(enabled) {}
    ~TProgressBar() { Finish(); }

    void Update(int64_t done, int64_t total, const std::string& label);
    // Ends the line; nothing more is drawn.
    void Finish();

private:
    bool enabled_;
    bool drawn_ = false;
    int lastPerMille_ = -1;
    std::string lastLabel_;
};
