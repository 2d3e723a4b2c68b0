#pragma once
// A COM interface pointer owned by one place, released when it goes.
namespace platform {

template <class T>
class TComRef {
public:
    TComRef() = default;
    ~TComRef() {
        if (object_) object_->Release();
    }
    TComRef(const TComRef&) = delete;
    TComRef& operator=(const TComRef&) = delete;

    // Where a creating call stores the pointer; the reference must be empty.
    T** Out() { return &object_; }
    void** OutVoid() { return reinterpret_cast<void**>(&object_); }
    T* operator->() const { return object_; }
    T* Get() const { return object_; }

private:
    T* object_ = nullptr;
};

}  // namespace platform
