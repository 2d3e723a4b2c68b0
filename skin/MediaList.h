#pragma once
// The process-wide picture cache: every picture file is loaded once, and a
// file that cannot be loaded is replaced by the fallback picture.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skin/Bitmap32.h"

// File names mapped to pictures, looked up ignoring case. Pictures in it are
// never changed: users copy them.
class KMediaList {
public:
    TBitmap32* Find(const std::string& name) const;
    // Adds a name for a picture the list already owns or takes over.
    void Add(const std::string& name, TBitmap32& bitmap) { entries_.emplace_back(name, &bitmap); }
    TBitmap32& Adopt(std::unique_ptr<TBitmap32> bitmap);
    size_t Count() const { return entries_.size(); }

private:
    std::vector<std::pair<std::string, TBitmap32*>> entries_;
    std::vector<std::unique_ptr<TBitmap32>> owned_;
};

// The one cache of the process.
extern KMediaList MediaList;
// The folder that was current when the program started; the fallback picture
// is "\Data\noimage.bmp" below it.
extern std::string MediaBaseDir;

// The cached picture for a file name, loading it on first use. A picture that
// cannot be loaded gives the fallback picture, cached under both names; when
// the fallback cannot be loaded either, an empty bitmap.
TBitmap32& GetMedia(KMediaList& list, const std::string& name);
