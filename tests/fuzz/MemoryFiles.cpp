#include "tests/fuzz/MemoryFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fnmatch.h>
#include <map>
#include <memory>
#include <string_view>

#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/posix/NativePath.h"

namespace {

constexpr size_t MaxNameLength = 255;
constexpr size_t MaxPathLength = 4095;
// A write past this size fails as on a full disk, so that a seek far out
// cannot claim the whole memory.
constexpr int64_t MaxFileSize = int64_t{256} << 20;

// Byte order of names, compared here rather than by memcmp: the sanitizers
// intercept memcmp, and the fuzzer would take every name compared for a
// value worth trying.
struct TNameOrder {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        const size_t common = std::min(a.size(), b.size());
        for (size_t i = 0; i < common; ++i)
            if (a[i] != b[i]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]);
        return a.size() < b.size();
    }
};

struct TNode : std::enable_shared_from_this<TNode> {
    TNode* Parent = nullptr;  // the root is its own parent
    bool Folder = false;
    bool ReadOnly = false;
    std::vector<uint8_t> Bytes;
    std::map<std::string, std::shared_ptr<TNode>, TNameOrder> Children;

    TNode* Child(std::string_view name) const {
        const auto found = Children.find(name);
        return found == Children.end() ? nullptr : found->second.get();
    }
    TNode* AddChild(std::string_view name, bool folder) {
        auto node = std::make_shared<TNode>();
        node->Parent = this;
        node->Folder = folder;
        return Children.emplace(std::string(name), std::move(node)).first->second.get();
    }
    void RemoveChild(std::string_view name) { Children.erase(Children.find(name)); }
};

TNode& Root() {
    static const std::shared_ptr<TNode> root = [] {
        auto node = std::make_shared<TNode>();
        node->Parent = node.get();
        node->Folder = true;
        return node;
    }();
    return *root;
}

int lastError = 0;

bool Fail(int code) {
    lastError = code;
    return false;
}

std::nullptr_t Missing(int code) {
    lastError = code;
    return nullptr;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }
bool IsDotName(std::string_view part) { return part == "." || part == ".."; }

// The folder one part of a path leads to from folder; a missing folder is
// made when create is set. Null when the part is missing or a file.
TNode* Enter(TNode& folder, std::string_view part, bool create) {
    if (part == ".") return &folder;
    if (part == "..") return folder.Parent;
    TNode* child = folder.Child(part);
    if (!child && create) child = folder.AddChild(part, true);
    if (!child) return Missing(ENOENT);
    if (!child->Folder) return Missing(create ? EEXIST : ENOTDIR);
    return child;
}

// The folder that holds a path's last part, and that part (empty for the
// root). The name views the path, which must outlive it.
struct TPlace {
    TNode* Folder = nullptr;
    std::string_view Name;
    bool TrailingSeparator = false;

    TNode* Existing() const { return Folder->Child(Name); }
};

// Reads the path as the kernel does, up to its first NUL; the folders on the
// way are made when create is set.
bool Locate(const std::string& path, TPlace& place, bool create = false) {
    std::string_view text(path);
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    if (text.empty()) return Fail(ENOENT);
    if (text.size() > MaxPathLength) return Fail(ENAMETOOLONG);
    TNode* folder = &Root();
    std::string_view pending;
    for (size_t start = 0; start < text.size();) {
        size_t end = start;
        while (end < text.size() && !IsSeparator(text[end])) ++end;
        if (end - start > MaxNameLength) return Fail(ENAMETOOLONG);
        if (end > start) {
            if (!pending.empty() && !(folder = Enter(*folder, pending, create))) return false;
            pending = text.substr(start, end - start);
        }
        start = end + 1;
    }
    place = {folder, pending, IsSeparator(text.back())};
    return true;
}

// The place of a new entry: false for the root and for a last part "." or
// "..", which name none.
bool PlaceOf(const std::string& path, TPlace& place) {
    if (!Locate(path, place)) return false;
    return !place.Name.empty() && !IsDotName(place.Name) ? true : Fail(EEXIST);
}

TNode* Find(const std::string& path) {
    TPlace place;
    if (!Locate(path, place)) return nullptr;
    if (place.Name.empty()) return place.Folder;
    if (IsDotName(place.Name)) return Enter(*place.Folder, place.Name, false);
    TNode* node = place.Existing();
    if (!node) return Missing(ENOENT);
    if (place.TrailingSeparator && !node->Folder) return Missing(ENOTDIR);
    return node;
}

// The file at path, emptied, or a new one; null when there can be none.
TNode* CreateFile(const std::string& path) {
    TPlace place;
    if (!PlaceOf(path, place)) return nullptr;
    if (place.TrailingSeparator) return Missing(EISDIR);
    TNode* existing = place.Existing();
    if (!existing) return place.Folder->AddChild(place.Name, false);
    if (existing->Folder) return Missing(EISDIR);
    existing->Bytes.clear();
    return existing;
}

bool RemoveEntry(const std::string& path, bool folder) {
    TPlace place;
    if (!PlaceOf(path, place)) return false;
    const TNode* node = place.Existing();
    if (!node) return Fail(ENOENT);
    if (node->Folder != folder) return Fail(folder ? ENOTDIR : EISDIR);
    if (folder && !node->Children.empty()) return Fail(ENOTEMPTY);
    if (!folder && node->ReadOnly) return Fail(EACCES);  // a read-only file is protected, as on Windows
    place.Folder->RemoveChild(place.Name);
    return true;
}

// Every path below folder, except below the folder skipped.
void CollectPaths(const TNode& folder, const std::string& path, const std::string& skipped,
                  std::vector<std::string>& paths) {
    for (const auto& [name, node] : folder.Children) {
        const std::string child = path + "/" + name;
        paths.push_back(child);
        if (node->Folder && child != skipped) CollectPaths(*node, child, skipped, paths);
    }
}

platform::TSearchRec SearchRecOf(const std::string& name, const TNode& node) {
    platform::TSearchRec item;
    item.Name = name;
    item.Attr = node.Folder ? platform::faDirectory : platform::faArchive;
    if (node.ReadOnly) item.Attr |= platform::faReadOnly;
    if (name.size() > 1 && name[0] == '.' && name != "..") item.Attr |= platform::faHidden;
    item.Size = node.Folder ? 0 : static_cast<int64_t>(node.Bytes.size());
    return item;
}

}  // namespace

void ClearMemoryFiles(const std::string& folder) {
    if (TNode* node = Find(folder)) node->Children.clear();
}

bool MemoryFileHolds(const std::string& path, const std::vector<uint8_t>& bytes) {
    const TNode* node = Find(path);
    return node && !node->Folder && node->Bytes == bytes;
}

size_t MemoryFileCount(const std::string& skipped) {
    const TNode* left = skipped.empty() ? nullptr : Find(skipped);
    size_t count = 0;
    const auto countBelow = [&](const TNode& folder, const auto& self) -> void {
        for (const auto& [name, node] : folder.Children) {
            ++count;
            if (node->Folder && node.get() != left) self(*node, self);
        }
    };
    countBelow(Root(), countBelow);
    return count;
}

std::vector<std::string> MemoryFilePaths(const std::string& skipped) {
    std::vector<std::string> paths;
    CollectPaths(Root(), "", skipped, paths);
    return paths;
}

namespace platform {

bool FileExists(const std::string& path) {
    const TNode* node = Find(path);
    return node && !node->Folder;
}

bool DirectoryExists(const std::string& path) {
    const TNode* node = Find(path);
    return node && node->Folder;
}

int64_t FileSizeOf(const std::string& path) {
    const TNode* node = Find(path);
    return node && !node->Folder ? static_cast<int64_t>(node->Bytes.size()) : -1;
}

bool CreateDir(const std::string& path) {
    TPlace place;
    if (!PlaceOf(path, place)) return false;
    if (place.Existing()) return Fail(EEXIST);
    place.Folder->AddChild(place.Name, true);
    return true;
}

bool ForceDirectories(const std::string& path) {
    TPlace place;
    if (!Locate(path, place, true)) return false;
    return place.Name.empty() || Enter(*place.Folder, place.Name, true) != nullptr;
}

bool RemoveDir(const std::string& path) { return RemoveEntry(path, true); }

bool RemoveFile(const std::string& path) { return RemoveEntry(path, false); }

bool SetReadOnly(const std::string& path, bool readOnly) {
    TNode* node = Find(path);
    if (!node) return false;
    node->ReadOnly = readOnly;
    return true;
}

bool CopyFileTo(const std::string& source, const std::string& target, bool failIfExists) {
    const TNode* from = Find(source);
    if (!from || from->Folder) return from ? Fail(EISDIR) : false;
    if (failIfExists && Find(target)) return Fail(EEXIST);
    TNode* to = CreateFile(target);
    if (!to) return false;
    if (to != from) to->Bytes = from->Bytes;
    return true;
}

// Files only: the fuzz targets never rename a folder.
bool RenameFile(const std::string& source, const std::string& target) {
    TPlace from, to;
    if (!PlaceOf(source, from) || !PlaceOf(target, to)) return false;
    const TNode* node = from.Existing();
    if (!node) return Fail(ENOENT);
    if (node->Folder) return Fail(EXDEV);
    if (const TNode* existing = to.Existing(); existing && existing->Folder) return Fail(EISDIR);
    std::shared_ptr<TNode> moved = from.Folder->Children.find(from.Name)->second;
    from.Folder->RemoveChild(from.Name);
    moved->Parent = to.Folder;
    to.Folder->Children[std::string(to.Name)] = std::move(moved);
    return true;
}

int LastErrorCode() { return lastError; }

// The root is the only current folder.
std::string CurrentFolder() { return "/"; }
bool SetCurrentFolder(const std::string&) { return false; }
std::string ProgramFile() { return "/fuzz/fuzzer"; }
std::string ProgramFolder() { return "/fuzz"; }
std::string TempFolder() { return "/tmp/"; }

std::string CreateTempFile(const std::string& folder, const std::string& prefix) {
    static unsigned counter = 0;
    std::string base = NativePath(folder);
    if (!base.empty() && base.back() != '/') base += '/';
    for (int attempt = 0; attempt < 16; ++attempt) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%06X", ++counter & 0xFFFFFF);
        const std::string name = base + prefix + hex + ".tmp";
        if (!Find(name) && CreateFile(name)) return name;
    }
    return std::string();
}

struct TFindEnum::State {
    std::vector<TSearchRec> Found;
    size_t Next = 0;
};

TFindEnum::TFindEnum() : state_(std::make_unique<State>()) {}
TFindEnum::~TFindEnum() = default;

bool TFindEnum::First(const std::string& pattern, uint32_t attributes, TSearchRec& found) {
    Close();
    const std::string native = NativePath(pattern);
    const size_t cut = native.find_last_of('/');
    const std::string folder = cut == std::string::npos ? "." : cut == 0 ? "/" : native.substr(0, cut);
    const std::string mask = cut == std::string::npos ? native : native.substr(cut + 1);
    const TNode* node = Find(folder);
    if (!node || !node->Folder) return Fail(ENOENT);
    // Entries whose special attributes were not asked for are passed over.
    const uint32_t excluded = (faHidden | faSysFile | faVolumeID | faDirectory) & ~attributes;
    const auto add = [&](const std::string& name, const TNode& entry) {
        const bool matches = mask == "*.*" || mask == "*" || ::fnmatch(mask.c_str(), name.c_str(), 0) == 0;
        TSearchRec item = SearchRecOf(name, entry);
        if (matches && !(item.Attr & excluded)) state_->Found.push_back(std::move(item));
    };
    add(".", *node);
    add("..", *node);
    for (const auto& [name, entry] : node->Children) add(name, *entry);
    return Next(found);
}

bool TFindEnum::Next(TSearchRec& found) {
    if (state_->Next >= state_->Found.size()) return false;
    found = state_->Found[state_->Next++];
    return true;
}

void TFindEnum::Close() { *state_ = {}; }

}  // namespace platform

struct TFileStream::Handle {
    std::shared_ptr<TNode> Node;  // kept when the file is removed while open, as on POSIX
    int64_t Position = 0;
    int WriteError = 0;
};

TFileStream::TFileStream(const std::string& fileName, TFileMode mode)
    : fileName_(fileName), handle_(std::make_unique<Handle>()) {
    const bool create = mode == TFileMode::fmCreate || mode == TFileMode::fmCreateDenyWrite ||
                        mode == TFileMode::fmCreatePlainDenyWrite;
    TNode* node = create ? CreateFile(fileName) : Find(fileName);
    if (create && !node) throw EFCreateError(fileName);
    if (!node || node->Folder) throw EFOpenError(fileName);
    handle_->Node = node->shared_from_this();
}

TFileStream::~TFileStream() = default;

int32_t TFileStream::Read(void* buffer, int32_t count) {
    const std::vector<uint8_t>& bytes = handle_->Node->Bytes;
    const int64_t size = static_cast<int64_t>(bytes.size());
    if (count <= 0 || handle_->Position >= size) return 0;
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(count, size - handle_->Position));
    std::memcpy(buffer, bytes.data() + handle_->Position, static_cast<size_t>(n));
    handle_->Position += n;
    return n;
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
    if (count <= 0) return 0;
    if (handle_->Position > MaxFileSize - count) {
        handle_->WriteError = EFBIG;  // what a file system's size limit says
        return 0;
    }
    std::vector<uint8_t>& bytes = handle_->Node->Bytes;
    const size_t position = static_cast<size_t>(handle_->Position);
    if (bytes.size() < position) bytes.resize(position);  // a gap reads as zeros
    const uint8_t* source = static_cast<const uint8_t*>(buffer);
    const size_t overwritten = std::min(bytes.size() - position, static_cast<size_t>(count));
    if (overwritten > 0) std::memcpy(bytes.data() + position, source, overwritten);
    bytes.insert(bytes.end(), source + overwritten, source + count);
    handle_->Position += count;
    return count;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int64_t base = origin == TSeekOrigin::soBeginning ? 0
                         : origin == TSeekOrigin::soCurrent ? handle_->Position
                                                            : Size();
    int64_t position = 0;
    if (__builtin_add_overflow(base, offset, &position) || position < 0) return -1;
    return handle_->Position = position;
}

int64_t TFileStream::Size() { return static_cast<int64_t>(handle_->Node->Bytes.size()); }

int TFileStream::WriteErrorCode() const { return handle_->WriteError; }
