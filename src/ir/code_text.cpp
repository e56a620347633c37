#include "ir/code_text.h"

namespace ir {

std::string CodeText::byteText(std::uint8_t byte) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string s;
    if (byte >= 16) s.push_back(digits[byte >> 4]);
    s.push_back(digits[byte & 0xF]);
    return s;
}

void CodeText::append(std::uint8_t byte) {
    std::lock_guard lock(mutex_);
    text_ += byteText(byte);
    if (text_.size() > capacity) text_.resize(capacity);
}

std::string CodeText::text() const {
    std::lock_guard lock(mutex_);
    return text_;
}

std::size_t CodeText::length() const {
    std::lock_guard lock(mutex_);
    return text_.size();
}

void CodeText::clear() {
    std::lock_guard lock(mutex_);
    text_.clear();
}

std::string CodeText::takeIfComplete() {
    std::lock_guard lock(mutex_);
    std::string out;
    if (text_.size() >= completeAt) out.swap(text_);
    return out;
}

}  // namespace ir
