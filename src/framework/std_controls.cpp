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

void TabControl::setPages(std::vector<Page> pages) {
    titles_.clear();
    pages_.clear();
    for (Page& page : pages) {
        titles_.push_back(page.group->text());
        page.controls.insert(page.controls.begin(), page.group);
        pages_.push_back(std::move(page.controls));
    }
    if (peer()) peer()->setItems(titles_);
    setPageIndex(0);
}

int TabControl::pageIndex() const {
    const auto it = std::find(titles_.begin(), titles_.end(), text());
    return it == titles_.end() ? -1 : static_cast<int>(it - titles_.begin());
}

void TabControl::setPageIndex(int index) {
    if (index < 0 || index >= static_cast<int>(titles_.size())) return;
    setText(titles_[static_cast<std::size_t>(index)]);
    showPage();
}

void TabControl::step(int by) {
    const int n = static_cast<int>(titles_.size());
    if (n == 0) return;
    const int from = std::max(pageIndex(), 0);
    setPageIndex(((from + by) % n + n) % n);
    setFocus();
    click();
}

int TabControl::pageOf(const Control& control) const {
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (std::find(pages_[i].begin(), pages_[i].end(), &control) != pages_[i].end()) return static_cast<int>(i);
    return -1;
}

void TabControl::peerClicked() {
    showPage();
    click();
}

void TabControl::peerCreated() {
    const std::string shown = text();
    peer()->setItems(titles_);
    peer()->setText(shown);
}

void TabControl::showPage() {
    const int chosen = pageIndex();
    // Hidden first, so two pages never show at once.
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (static_cast<int>(i) != chosen)
            for (Control* c : pages_[i]) c->setOnPage(false);
    if (chosen >= 0)
        for (Control* c : pages_[static_cast<std::size_t>(chosen)]) c->setOnPage(true);
}

}  // namespace fw
