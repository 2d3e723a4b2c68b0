// SHA-256 against the standard's test vectors, given whole and in pieces
// that cross the 64-byte blocks, by the portable rounds and by the fastest
// engine (the processor's SHA extensions where it has them).
#include <gtest/gtest.h>

#include <string>

#include "archive/Sha256.h"

namespace {

std::string Hex(const TSha256Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const uint8_t byte : digest) text += {kDigits[byte >> 4], kDigits[byte & 15]};
    return text;
}

std::string DigestInPieces(const std::string& message, size_t piece, TSha256Engine engine) {
    TSha256 sha(engine);
    for (size_t at = 0; at < message.size(); at += piece) sha.Update(message.data() + at, std::min(piece, message.size() - at));
    return Hex(sha.Finish());
}

}  // namespace

TEST(Sha256, StandardVectorsWholeAndInPieces) {
    const std::pair<std::string, const char*> vectors[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& [message, digest] : vectors)
        for (const TSha256Engine engine : {TSha256Engine::Portable, TSha256Engine::Fastest})
            for (const size_t piece : {size_t(1000000), size_t(1), size_t(63), size_t(64), size_t(65), size_t(200)})
                EXPECT_EQ(DigestInPieces(message, piece, engine), digest)
                    << message.size() << " bytes in pieces of " << piece
                    << (engine == TSha256Engine::Portable ? ", portably" : "");
}
