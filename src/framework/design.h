// Design tables: a form's components as rows in code (kind, name, place,
// hint, handler, further properties), created and set in the stored order,
// then the form is told its design is loaded and its creation handler runs.
//
// A row's kind makes the component and binds it to the form's member for
// it, so a row whose kind does not match its member does not compile:
//
//     {fw::part<&MainWindow::PlayKey>, "PlayKey", place(20, 190, 25, 17), "Play", &MainWindow::PlayKeyClick}
#pragma once

#include <functional>
#include <span>
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

template <class Member>
struct PartOf;
template <class FormT, class T>
struct PartOf<T * FormT::*> {
    using Form = FormT;
    using Part = T;
};

// Points the form's member at a component the form has just made.
template <auto Member>
typename PartOf<decltype(Member)>::Part& bindPart(typename PartOf<decltype(Member)>::Form& form,
                                                  typename PartOf<decltype(Member)>::Part& made) {
    form.*Member = &made;
    return made;
}

// The kind column of a row for a part made from its owner and name.
template <auto Member>
Component& part(typename PartOf<decltype(Member)>::Form& form, const std::string& name) {
    using T = typename PartOf<decltype(Member)>::Part;
    return bindPart<Member>(form, form.template create<T>(name));
}

// Left, top, width, height, as designs are written.
constexpr Rect place(int left, int top, int width, int height) {
    return Rect::fromSize(left, top, width, height);
}

// Further properties for a row, typed for its kind.
template <class T>
std::function<void(Component&)> with(std::function<void(T&)> set) {
    return [set = std::move(set)](Component& c) { set(dynamic_cast<T&>(c)); };
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

}  // namespace fw
