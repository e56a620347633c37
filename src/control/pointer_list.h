// TPointerList: a growable list that owns its items and hands out plain
// pointers to them by position: none past the end, an error for a negative
// position (a caller's mistake).
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace control {

class EListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

template <class T>
class TPointerList {
public:
    void Add(std::unique_ptr<T> item) { items_.push_back(std::move(item)); }
    T* Item(std::int32_t index) const {
        if (index < 0) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
        return static_cast<std::size_t>(index) < items_.size() ? items_[static_cast<std::size_t>(index)].get()
                                                               : nullptr;
    }
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    void Clear() { items_.clear(); }

private:
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace control
