#include "app/RunLog.h"

#include "platform/FileStream.h"

TRunLog::TRunLog() = default;
TRunLog::~TRunLog() = default;

void TRunLog::Open(const std::string& fileName) { file_ = std::make_unique<TFileStream>(fileName, TFileMode::fmCreatePlainDenyWrite); }

void TRunLog::Step(const std::string& text) {
    if (!file_) return;
    const std::string line = text + "\r\n";
    try {
        file_->WriteBuffer(line.data(), static_cast<int32_t>(line.size()));
    } catch (const std::exception&) {
        // A full disk must not end an installation that can still finish.
    }
}
