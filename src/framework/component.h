// Components: named objects with an owner. An owner destroys what it owns
// in the reverse order of creation, and tells its components when the
// design it was created from has been applied (loaded).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace fw {

class Component;
using Handler = std::function<void(Component& sender)>;

class Component {
public:
    explicit Component(Component* owner, std::string name = {});
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Component* owner() const { return owner_; }
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // Creates a component owned by this one; it lives until this one dies.
    template <class T, class... Args>
    T& create(Args&&... args) {
        auto made = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& ref = *made;
        owned_.push_back(std::move(made));
        return ref;
    }

    const std::vector<std::unique_ptr<Component>>& components() const { return owned_; }
    Component* findComponent(const std::string& name) const;

    // Called once the owner's design has been applied: every stored
    // property is set. Owners pass it on to their components in order.
    virtual void loaded();
    bool isLoaded() const { return loaded_; }

    // The component's principal event (a click, a timer tick), bound from a
    // design table row. Components without one ignore it.
    virtual void bindHandler(Handler handler);

protected:
    // Destroys the owned components, last created first. Subclasses whose
    // components use the subclass's members call it in their destructor.
    void destroyComponents();

private:
    Component* owner_;
    std::string name_;
    std::vector<std::unique_ptr<Component>> owned_;
    bool loaded_ = false;
};

}  // namespace fw
