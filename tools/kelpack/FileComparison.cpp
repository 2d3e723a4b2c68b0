#include "tools/kelpack/FileComparison.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/Exception.h"
#include "platform/FileStream.h"

namespace {

constexpr int32_t kPiece = 1 << 20;

std::unique_ptr<TFileStream> OpenToCompare(const std::string& name) {
    try {
        return std::make_unique<TFileStream>(name, TFileMode::fmOpenRead);
    } catch (const EStreamError&) {
        throw Exception("Cannot read " + name);
    }
}

}  // namespace

std::optional<int64_t> FirstDifference(const std::string& first, const std::string& second) {
    const std::unique_ptr<TFileStream> a = OpenToCompare(first);
    const std::unique_ptr<TFileStream> b = OpenToCompare(second);
    std::vector<uint8_t> pieceA(kPiece), pieceB(kPiece);
    for (int64_t offset = 0;;) {
        const int32_t countA = std::max(a->Read(pieceA.data(), kPiece), 0);
        const int32_t countB = std::max(b->Read(pieceB.data(), kPiece), 0);
        const int32_t common = std::min(countA, countB);
        const auto mismatch = std::mismatch(pieceA.begin(), pieceA.begin() + common, pieceB.begin());
        if (mismatch.first != pieceA.begin() + common) return offset + (mismatch.first - pieceA.begin());
        if (countA != countB) return offset + common;
        if (countA == 0) return std::nullopt;
        offset += countA;
    }
}
