#include "skin/PictureLoader.h"

#include <vector>

#include "platform/FileStream.h"
#include "platform/Text.h"
#include "skin/Bitmap32.h"
#include "skin/BmpDecoder.h"

#ifdef _WIN32
#include "platform/PictureFile.h"
#else
#include "skin/JpegDecoder.h"
#endif

namespace {

// The extension after the last dot of the file's own name, with the dot; lower case.
std::string ExtensionOf(const std::string& fileName) {
    const size_t slash = fileName.find_last_of("\\/");
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string();
    std::string ext = fileName.substr(dot);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return ext;
}

std::vector<uint8_t> ReadPictureBytes(const std::string& fileName) {
    try {
        return ReadWholeFile(fileName, kMaxPictureFileSize);
    } catch (const EFileTooLarge&) {
        throw EInvalidGraphic(Format("Picture file %s is too large", fileName.c_str()));
    }
}

bool IsJpeg(const std::string& ext) { return ext == ".jpg" || ext == ".jpeg"; }
bool IsSystemFormat(const std::string& ext) {
    return ext == ".gif" || ext == ".ico" || ext == ".wmf" || ext == ".emf";
}

[[noreturn]] void RaiseUnknownExtension(const std::string& ext) {
    throw EInvalidGraphic(Format("Unknown picture file extension (%s)", ext.c_str()));
}

}  // namespace

TDecodedPicture LoadPictureFile(const std::string& fileName) {
    const std::string ext = ExtensionOf(fileName);
    if (ext == ".bmp") {
        const std::vector<uint8_t> bytes = ReadPictureBytes(fileName);
        return DecodeBmp(bytes.data(), bytes.size());
    }
#ifdef _WIN32
    if (IsJpeg(ext) || IsSystemFormat(ext)) return platform::DecodePictureFile(fileName);
#else
    if (IsJpeg(ext)) {
        const std::vector<uint8_t> bytes = ReadPictureBytes(fileName);
        return DecodeJpeg(bytes.data(), bytes.size());
    }
    if (IsSystemFormat(ext))
        throw EInvalidGraphic(Format("Pictures of type %s can be loaded on Windows only", ext.c_str()));
#endif
    RaiseUnknownExtension(ext);
}

void TBitmap32::LoadFromFile(const std::string& fileName) { CopyFrom(LoadPictureFile(fileName)); }
