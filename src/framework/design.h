// Design tables: a form's components as rows in code (kind, name, place,
// hint, handler, further properties), created and set in the stored order,
// then the form is told its design is loaded and its creation handler runs.
#pragma once

#include <functional>
#include <span>
#include <stdexcept>
#include <string>

#include "framework/control.h"
#include "framework/form.h"

namespace fw {

template <class FormT>
struct DesignRow {
    using Make = Component& (*)(FormT& form, const std::string& name);
    Make make;
    const char* name;
    Rect bounds{};  // empty for components that are not controls
    const char* hint = "";
    void (FormT::*handler)(Component& sender) = nullptr;
    std::function<void(Component&)> properties = nullptr;
};

// The kind column of a row: makes a T owned by the form.
template <class T, class FormT>
Component& make(FormT& form, const std::string& name) {
    return form.template create<T>(name);
}

// Left, top, width, height, as designs are written.
constexpr Rect place(int left, int top, int width, int height) {
    return Rect::fromSize(left, top, width, height);
}

// Further properties for a row, typed for its kind.
template <class T>
std::function<void(Component&)> with(std::function<void(T&)> set) {
    return [set = std::move(set)](Component& c) { set(static_cast<T&>(c)); };
}

template <class FormT>
void applyDesign(FormT& form, std::span<const DesignRow<FormT>> rows) {
    for (const auto& row : rows) {
        Component& c = row.make(form, row.name);
        if (auto* control = dynamic_cast<Control*>(&c)) {
            if (!row.bounds.empty()) control->setBounds(row.bounds);
            control->setHint(row.hint);
        }
        if (row.handler) c.bindHandler([&form, h = row.handler](Component& sender) { (form.*h)(sender); });
        if (row.properties) row.properties(c);
    }
    form.finishCreate();
}

// A designed component by name, of the kind the caller expects.
template <class T>
T& component(const Component& owner, const std::string& name) {
    if (auto* found = dynamic_cast<T*>(owner.findComponent(name))) return *found;
    throw std::logic_error("no component " + name + " of the expected kind");
}

}  // namespace fw
