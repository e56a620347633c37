#include "app/learned_codes.h"

#include "framework/convert.h"

namespace app {

bool isCodeText(std::string_view text) {
    if (text.empty() || text.size() > 12) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

CodeList parseCodeList(std::string_view value) {
    CodeList codes;
    while (codes.size() < maxCodesPerCommand) {
        const std::size_t comma = value.find(',');
        std::string_view item = value.substr(0, comma);
        while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
        while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
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
        if (fw::sameText(c, code)) return true;
    return false;
}

}  // namespace app
