#include "framework/std_controls.h"

#include <algorithm>
#include <charconv>

namespace fw {

void Frame::paint(Canvas& canvas) {
    const int w = bounds().width(), h = bounds().height();
    if (w < 2 || h < 2) return;
    canvas.setBrushStyle(BrushStyle::clear);
    canvas.setPenColor(colors::white);
    canvas.rectangle({1, 1, w, h});
    canvas.setPenColor(colors::gray);
    canvas.rectangle({0, 0, w - 1, h - 1});
    canvas.setBrushStyle(BrushStyle::solid);
}

void CheckBox::setChecked(bool checked) {
    checked_ = checked;
    if (peer()) peer()->setChecked(checked);
}

void CheckBox::peerCreated() { peer()->setChecked(checked_); }

void ComboBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    if (peer()) peer()->setItems(items_);
}

void ComboBox::peerCreated() {
    const std::string shown = text();
    peer()->setItems(items_);
    peer()->setText(shown);
}

int DropDownList::itemIndex() const {
    const auto it = std::find(items().begin(), items().end(), text());
    return it == items().end() ? -1 : static_cast<int>(it - items().begin());
}

void DropDownList::setItemIndex(int index) {
    setText(index >= 0 && index < static_cast<int>(items().size()) ? items()[static_cast<std::size_t>(index)] : "");
}

SpinEdit::SpinEdit(Component* owner, std::string name)
    : WinControl(owner, std::move(name), ControlKind::spinEdit) {
    setText("0");
}

void SpinEdit::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    if (peer()) peer()->setRange(minimum, maximum);
}

int SpinEdit::clamp(int v) const {
    // An empty range means no limits, as the dialog library's spin edit has it.
    if (maximum_ == minimum_) return v;
    return std::clamp(v, minimum_, std::max(minimum_, maximum_));
}

int SpinEdit::value() const {
    const std::string t = text();
    int v = 0;
    const char* first = t.data();
    const char* last = t.data() + t.size();
    while (first != last && *first == ' ') ++first;
    if (first != last && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, v);
    if (ec != std::errc{} || end != last || first == last) v = minimum_;
    return clamp(v);
}

void SpinEdit::setValue(int value) { setText(std::to_string(clamp(value))); }

void SpinEdit::peerFocusLost() { setText(std::to_string(value())); }

void SpinEdit::peerCreated() { peer()->setRange(minimum_, maximum_); }

}  // namespace fw
