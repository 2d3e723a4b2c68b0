#pragma once
// The framework's component base: an owner that destroys what it owns,
// a name, and the knowledge of being destroyed.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TControl;
class TWinControl;
class TForm;

class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr) : owner_(owner) {}
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    bool Destroying() const { return destroying_; }

    // What kind of framework object this is, without run-time type
    // information (the Windows programs are built without it, for size).
    virtual TControl* AsControl() { return nullptr; }
    virtual TWinControl* AsWinControl() { return nullptr; }
    virtual TForm* AsForm() { return nullptr; }

    // Creates a component owned by this one; it lives until this one is destroyed.
    template <class T, class... Args>
    T& Make(Args&&... args) {
        auto component = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& result = *component;
        owned_.push_back(std::move(component));
        return result;
    }

    size_t ComponentCount() const { return owned_.size(); }
    TComponent& Component(size_t index) const { return *owned_[index]; }
    // Destroys every owned component, the last made first.
    void DestroyComponents();

protected:
    // Called first thing by destructors that still run work which must
    // know that the component is going away.
    void MarkDestroying() { destroying_ = true; }

private:
    TComponent* owner_;
    std::string name_;
    bool destroying_ = false;
    std::vector<std::unique_ptr<TComponent>> owned_;
};

// The framework's plain notification: who sent it.
using TNotifyEvent = std::function<void(TComponent& sender)>;
