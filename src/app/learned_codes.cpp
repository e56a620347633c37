#include "app/learned_codes.h"

#include "framework/convert.h"
#include "ir/key_codes.h"

namespace app {

bool isSerialCode(std::string_view text) {
    if (text.empty() || text.size() > 12) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

bool isServerCode(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == 0 || colon == std::string_view::npos || colon + 1 == text.size() ||
        text.find(':', colon + 1) != std::string_view::npos || text.size() > maxServerCodeLength)
        return false;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7F || c == ',' || c == '=') return false;
    }
    return true;
}

bool isKeyCode(std::string_view text) {
    return ir::parseKeyCode(text).has_value() || ir::parseHidCode(text).has_value();
}

bool isCodeText(std::string_view text) {
    return isSerialCode(text) || isServerCode(text) || isKeyCode(text);
}

bool sameCode(std::string_view a, std::string_view b) {
    return isSerialCode(a) && isSerialCode(b) ? fw::sameText(a, b) : a == b;
}

CodeList parseCodeList(std::string_view value) {
    CodeList codes;
    while (codes.size() < maxCodesPerCommand) {
        const std::size_t comma = value.find(',');
        const std::string_view item = fw::trimBlanks(value.substr(0, comma));
        if (isCodeText(item)) codes.emplace_back(item);
        if (comma == std::string_view::npos) break;
        value.remove_prefix(comma + 1);
    }
    return codes;
}

std::string formatCodeList(const CodeList& codes) {
    std::string value;
    for (const std::string& code : codes) value += (value.empty() ? "" : ",") + code;
    return value;
}

bool holdsCode(const CodeList& codes, std::string_view code) {
    if (code.empty()) return false;
    for (const std::string& c : codes)
        if (sameCode(c, code)) return true;
    return false;
}

}  // namespace app
