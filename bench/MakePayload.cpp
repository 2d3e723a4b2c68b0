// Writes the benchmark payload, the same bytes on every run:
//   text/    8 files of about 10 MB of word-like text in lines
//   noise/   4 files of 20 MB from a seeded generator (incompressible)
//   small/   5000 files of 1-16 KB, text, structured binary and noise, in nested folders
// Usage: make_payload FOLDER [PERCENT [FOLDERS]]   PERCENT scales every size (default 100);
// FOLDERS is the number of folders the small files go into, in tens (default 200).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// SplitMix64: small, fast and the same everywhere.
class TRandom {
public:
    explicit TRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(Next() % bound); }

private:
    uint64_t state_;
};

// A vocabulary of made-up words; a few are common, most are rare, as in prose.
class TWords {
public:
    explicit TWords(uint64_t seed) {
        static const char* const syllables[] = {"ka", "lo", "mi", "ner", "sta", "tu", "ve", "ri", "on", "el",
                                                "ba", "qui", "dor", "an", "is", "pe", "gra", "shu", "ti", "um"};
        TRandom random(seed);
        for (int i = 0; i < 4000; ++i) {
            std::string word;
            for (uint32_t n = 1 + random.Below(4); n > 0; --n) word += syllables[random.Below(20)];
            words_.push_back(word);
        }
    }
    // Rank drawn from a rough power law: the square of a uniform pick in
    // [0, 1) favours small ranks.
    const std::string& Pick(TRandom& random) const {
        const uint64_t u = random.Below(1u << 16);
        return words_[static_cast<size_t>(((u * u) >> 16) * words_.size() >> 16)];
    }

private:
    std::vector<std::string> words_;
};

std::string Text(size_t size, TRandom& random, const TWords& words) {
    std::string text;
    text.reserve(size + 64);
    size_t lineStart = 0;
    bool sentenceStart = true;
    while (text.size() < size) {
        std::string word = words.Pick(random);
        if (sentenceStart) word[0] = static_cast<char>(word[0] - 'a' + 'A');
        text += word;
        sentenceStart = false;
        const uint32_t r = random.Below(100);
        if (r < 8) {
            text += ". ";
            sentenceStart = true;
        } else if (r < 14) {
            text += ", ";
        } else {
            text += ' ';
        }
        if (text.size() - lineStart > 60 + random.Below(20)) {
            text.back() = '\n';
            if (random.Below(10) == 0) text += '\n';
            lineStart = text.size();
        }
    }
    text.resize(size);
    return text;
}

std::string Noise(size_t size, TRandom& random) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; i += 8) {
        const uint64_t v = random.Next();
        for (size_t k = 0; k < 8 && i + k < size; ++k) bytes[i + k] = static_cast<char>(v >> (8 * k));
    }
    return bytes;
}

// Records of small integers and repeated tags, like a resource file: compresses somewhat.
std::string Structured(size_t size, TRandom& random) {
    std::string bytes;
    bytes.reserve(size + 16);
    uint32_t counter = random.Below(1000);
    while (bytes.size() < size) {
        const uint32_t fields[4] = {counter++, random.Below(256), random.Below(65536), 0x4B454C00u | random.Below(4)};
        for (uint32_t field : fields)
            for (int k = 0; k < 4; ++k) bytes += static_cast<char>(field >> (8 * k));
    }
    bytes.resize(size);
    return bytes;
}

// "prefix" followed by the number and the suffix.
std::string Numbered(const char* prefix, int number, const char* suffix = "") {
    return std::string(prefix).append(std::to_string(number)).append(suffix);
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
        std::fprintf(stderr, "make_payload: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: make_payload FOLDER [PERCENT [FOLDERS]]\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const double scale = argc >= 3 ? std::atof(argv[2]) / 100.0 : 1.0;
    const int groups = argc == 4 ? std::atoi(argv[3]) / 10 : 20;
    if (!(scale > 0) || groups < 1) {
        std::fprintf(stderr, "make_payload: PERCENT must be positive and FOLDERS at least 10\n");
        return 2;
    }
    const auto scaled = [&](size_t size) { return std::max<size_t>(1, static_cast<size_t>(size * scale)); };
    const TWords words(7);
    uint64_t total = 0;
    size_t count = 0;
    const auto put = [&](const std::filesystem::path& path, const std::string& bytes) {
        WriteFile(path, bytes);
        total += bytes.size();
        ++count;
    };

    std::filesystem::create_directories(root / "text");
    for (int i = 0; i < 8; ++i) {
        TRandom random(100 + i);
        put(root / "text" / Numbered("chapter", i + 1, ".txt"), Text(scaled(10'000'000 + 37'000 * i), random, words));
    }

    std::filesystem::create_directories(root / "noise");
    for (int i = 0; i < 4; ++i) {
        TRandom random(200 + i);
        put(root / "noise" / Numbered("media", i + 1, ".bin"), Noise(scaled(20'000'000 + 51'000 * i), random));
    }

    // 5000 files in small/aNN/bNN (by default 20 x 10 folders of 25 files).
    TRandom random(300);
    const int smallFiles = static_cast<int>(std::max<size_t>(1, scaled(5000)));
    for (int i = 0; i < smallFiles; ++i) {
        const std::filesystem::path folder =
            root / "small" / Numbered("a", i / 250 % groups) / Numbered("b", i / 25 % 10);
        if (i % 25 == 0) std::filesystem::create_directories(folder);
        const size_t size = 1024 + random.Below(15 * 1024 + 1);
        const uint32_t kind = random.Below(20);
        if (kind < 12)
            put(folder / Numbered("note", i, ".txt"), Text(size, random, words));
        else if (kind < 17)
            put(folder / Numbered("table", i, ".dat"), Structured(size, random));
        else
            put(folder / Numbered("image", i, ".bin"), Noise(size, random));
    }
    std::printf("%zu files, %llu bytes in %s\n", count, static_cast<unsigned long long>(total), root.c_str());
    return 0;
}
