#include "platform/Component.h"

TComponent::~TComponent() {
    destroying_ = true;
    DestroyComponents();
}

void TComponent::DestroyComponents() {
    // Owned components go in the reverse order of their creation.
    while (!owned_.empty()) {
        owned_.back()->MarkDestroying();
        owned_.pop_back();
    }
}
