#include "skin/MediaList.h"

#include "platform/FileSystem.h"
#include "platform/Text.h"

std::string MediaBaseDir = platform::CurrentFolder();
KMediaList MediaList;

namespace {

std::string FallbackName() { return MediaBaseDir + "\\Data\\noimage.bmp"; }

// The picture from the file, or null when it cannot be had for any reason.
std::unique_ptr<TBitmap32> TryLoad(const std::string& name) {
    auto bitmap = std::make_unique<TBitmap32>();
    try {
        bitmap->LoadFromFile(name);
    } catch (...) {
        return nullptr;
    }
    return bitmap;
}

}  // namespace

TBitmap32* KMediaList::Find(const std::string& name) const {
    for (const auto& [key, bitmap] : entries_)
        if (SameText(key, name)) return bitmap;
    return nullptr;
}

TBitmap32& KMediaList::Adopt(std::unique_ptr<TBitmap32> bitmap) {
    owned_.push_back(std::move(bitmap));
    return *owned_.back();
}

TBitmap32& GetMedia(KMediaList& list, const std::string& name) {
    if (TBitmap32* cached = list.Find(name)) return *cached;
    TBitmap32* result = nullptr;
    if (auto loaded = TryLoad(name)) {
        result = &list.Adopt(std::move(loaded));
    } else {
        const std::string fallback = FallbackName();
        // The fallback itself failing ends in an empty picture, not in another attempt.
        result = SameText(name, fallback) ? &list.Adopt(std::make_unique<TBitmap32>())
                                          : &GetMedia(list, fallback);
    }
    list.Add(name, *result);
    return *result;
}
