#include "platform/FileStream.h"

#include "platform/Text.h"
#include "platform/TextCoding.h"

std::vector<uint8_t> ReadWholeFile(const std::string& fileName, int64_t maxSize) {
    TFileStream file(fileName, TFileMode::fmOpenRead);
    const int64_t size = file.Size();
    if (size > maxSize) throw EFileTooLarge(Format("File %s is too large", fileName.c_str()));
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (size > 0) file.ReadBuffer(bytes.data(), static_cast<int32_t>(size));
    return bytes;
}

std::string ReadText8File(const std::string& fileName, int64_t maxSize) {
    const std::vector<uint8_t> bytes = ReadWholeFile(fileName, maxSize);
    return DecodeText8(std::string(bytes.begin(), bytes.end()));
}
