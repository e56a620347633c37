// TPointerList: a growable list of pointers with an OnFreeItem event that
// Clear (and destruction) calls for every item, in index order.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

class EListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

template <class T>
class TPointerList {
public:
    TPointerList() = default;
    ~TPointerList() { Clear(); }
    TPointerList(const TPointerList&) = delete;
    TPointerList& operator=(const TPointerList&) = delete;

    std::function<void(T* item)> OnFreeItem;

    void Add(T* item) { items_.push_back(item); }
    // nil when the index is not below Count; a negative index is a
    // caller's error.
    T* Item(std::int32_t index) const {
        if (index < 0) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
        return static_cast<std::size_t>(index) < items_.size() ? items_[static_cast<std::size_t>(index)] : nullptr;
    }
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    void Clear() {
        if (OnFreeItem)
            for (T* item : items_) OnFreeItem(item);
        items_.clear();
    }

private:
    std::vector<T*> items_;
};
