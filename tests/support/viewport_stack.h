// The origin and clip stack the test canvases share: origins add up, clips
// narrow, both kept in window coordinates.
#pragma once

#include <vector>

#include "framework/geometry.h"

namespace testing_support {

class ViewportStack {
public:
    explicit ViewportStack(fw::Size size) { stack_.push_back({{0, 0}, fw::Rect::fromSize(0, 0, size.width, size.height)}); }
    void push(fw::Point origin, const fw::Rect& clip) {
        const Entry& cur = stack_.back();
        const fw::Point abs{cur.origin.x + origin.x, cur.origin.y + origin.y};
        stack_.push_back({abs, clip.offset(abs.x, abs.y).intersect(cur.clip)});
    }
    void pop() {
        if (stack_.size() > 1) stack_.pop_back();
    }
    fw::Point origin() const { return stack_.back().origin; }
    const fw::Rect& clip() const { return stack_.back().clip; }

private:
    struct Entry {
        fw::Point origin;
        fw::Rect clip;
    };
    std::vector<Entry> stack_;
};

}  // namespace testing_support
