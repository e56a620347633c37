#include "framework/code_page.h"

#include <cstdint>

namespace fw {
namespace {

class Latin1 : public CodePage {
public:
    std::string toUtf8(std::string_view bytes) const override {
        std::string out;
        out.reserve(bytes.size());
        for (const char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 0x80) {
                out.push_back(c);
            } else {
                out.push_back(static_cast<char>(0xC0 | (b >> 6)));
                out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
            }
        }
        return out;
    }
    std::optional<std::string> fromUtf8(std::string_view text) const override {
        std::string out;
        out.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto b = static_cast<unsigned char>(text[i]);
            if (b < 0x80) {
                out.push_back(text[i]);
                continue;
            }
            // Only U+0080 to U+00FF have a byte: a two-byte sequence led by C2 or C3.
            if ((b != 0xC2 && b != 0xC3) || i + 1 >= text.size()) return std::nullopt;
            const auto next = static_cast<unsigned char>(text[++i]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            out.push_back(static_cast<char>(((b & 0x03) << 6) | (next & 0x3F)));
        }
        return out;
    }
};

}  // namespace

const CodePage& latin1() {
    static const Latin1 page;
    return page;
}

}  // namespace fw
