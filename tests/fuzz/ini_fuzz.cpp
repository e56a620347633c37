// The settings file as anyone may have left it. The input's first byte
// gives the length of a command name taken from what follows; the rest is
// the file. Whatever the file holds, reading it must not fail, writing it
// back unchanged must give the same bytes, and learning a code under the
// name must change that key alone, readable again from what is written
// (in the file's encoding, or in UTF-16 where its 8-bit text would not
// read back as it was).
// Every value read as a list of codes gives at most four codes; that list
// written under the name reads back as the same list; forgetting the
// name's codes takes that key alone away.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/convert.h"
#include "app/learned_codes.h"
#include "framework/ini_file.h"
#include "fuzz_check.h"

namespace {

const std::vector<std::pair<std::string, std::string>> probes{
    {"PORT_SET", "PORT"}, {"IR", "ACTIVARE"}, {"IR", "Minimizare"}, {"IR", "EXECUTARE"},
    {"COMENZI_IR", "PLAY"}, {"COMENZI_IR", "TASTE 1"}, {"COMENZI_IR", "ALEGE COMANDA"}};

std::optional<std::string> read(const fw::IniDocument& d, const std::string& section, const std::string& key) {
    const auto v = d.value(section, key);
    if (!v) return std::nullopt;
    return std::string(*v);
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t nameLength = std::min<std::size_t>(data[0] % 24, size - 1);
    const std::string name(reinterpret_cast<const char*>(data + 1), nameLength);
    const std::string bytes(reinterpret_cast<const char*>(data + 1 + nameLength), size - 1 - nameLength);

    const fw::IniDocument file = fw::IniDocument::fromBytes(bytes);
    FUZZ_CHECK(file.toBytes() == bytes);
    for (const auto& [section, key] : probes)
        if (const auto v = read(file, section, key)) fw::strToIntDef(*v, 1);

    // The list under the name, as the settings read it, written back.
    const app::CodeList codes = app::parseCodeList(read(file, "COMENZI_IR", name).value_or(""));
    FUZZ_CHECK(codes.size() <= app::maxCodesPerCommand);
    for (const std::string& c : codes) FUZZ_CHECK(app::isCodeText(c));
    FUZZ_CHECK(app::parseCodeList(app::formatCodeList(codes)) == codes);
    try {
        fw::IniDocument listed = file;
        listed.set("COMENZI_IR", name, app::formatCodeList(codes));
        listed.encodeToHoldText();
        const fw::IniDocument back = fw::IniDocument::fromBytes(listed.toBytes());
        FUZZ_CHECK(app::parseCodeList(read(back, "COMENZI_IR", name).value_or("")) == codes);
        fw::IniDocument forgotten = back;
        const bool removed = forgotten.remove("COMENZI_IR", name);
        FUZZ_CHECK(removed);
        for (const auto& [section, key] : probes) {
            if (section == "COMENZI_IR" && sameName(trimmed(name), key)) continue;
            FUZZ_CHECK(read(forgotten, section, key) == read(back, section, key));
        }
    } catch (const fw::IniNameError&) {
    }

    fw::IniDocument learned = file;
    try {
        learned.set("COMENZI_IR", name, "A1B2C3");
    } catch (const fw::IniNameError&) {
        const std::string_view t = trimmed(name);
        FUZZ_CHECK(t.find('=') != std::string_view::npos || (!t.empty() && t.front() == '['));
        FUZZ_CHECK(learned.toBytes() == bytes);
        return 0;
    }
    // As the writer does: what the 8-bit code page cannot give back as it
    // was read turns the file into UTF-16.
    learned.encodeToHoldText();
    const fw::IniDocument reread = fw::IniDocument::fromBytes(learned.toBytes());
    // A UTF-8 file left with nothing beyond ASCII is plain 8-bit text.
    const std::string written = learned.toBytes();
    const bool ascii = std::all_of(written.begin(), written.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    using Encoding = fw::IniDocument::Encoding;
    FUZZ_CHECK(reread.encoding() == file.encoding() ||
               (file.encoding() == Encoding::bytes && reread.encoding() == Encoding::utf16le) ||
               (file.encoding() == Encoding::utf8 && reread.encoding() == Encoding::bytes && ascii));
    FUZZ_CHECK(read(learned, "COMENZI_IR", name) == std::optional<std::string>("A1B2C3"));
    FUZZ_CHECK(read(reread, "COMENZI_IR", name) == std::optional<std::string>("A1B2C3"));
    for (const auto& [section, key] : probes) {
        if (section == "COMENZI_IR" && sameName(trimmed(name), key)) continue;
        FUZZ_CHECK(read(learned, section, key) == read(file, section, key));
        FUZZ_CHECK(read(reread, section, key) == read(file, section, key));
    }
    return 0;
}
