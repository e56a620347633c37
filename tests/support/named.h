// A component found by its stored name, of the kind the test expects; a
// test that names a part that is not there fails loudly.
#pragma once

#include <stdexcept>
#include <string>

#include "framework/component.h"

namespace testing_support {

template <class T>
T& named(const fw::Component& owner, const std::string& name) {
    if (auto* found = dynamic_cast<T*>(owner.findComponent(name))) return *found;
    throw std::logic_error("no component " + name + " of the expected kind");
}

}  // namespace testing_support
