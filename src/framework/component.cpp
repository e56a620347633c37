#include "framework/component.h"

namespace fw {

Component::Component(Component* owner, std::string name) : owner_(owner), name_(std::move(name)) {}

Component::~Component() { destroyComponents(); }

void Component::destroyComponents() {
    // Each one leaves the list before it dies, so a dying component never
    // sees itself among its owner's components.
    while (!owned_.empty()) {
        auto last = std::move(owned_.back());
        owned_.pop_back();
        last.reset();
    }
}

Component* Component::findComponent(const std::string& name) const {
    for (const auto& c : owned_)
        if (c->name() == name) return c.get();
    return nullptr;
}

void Component::loaded() {
    loaded_ = true;
    for (const auto& c : owned_) c->loaded();
}

void Component::bindHandler(Handler) {}

}  // namespace fw
