// The encodings of a profile file: its UTF-8 mark, UTF-16 either way with
// its mark, and 8-bit text in the system's code page, decoded once and
// turned into UTF-16 when a change needs letters the code page lacks.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "framework/ini_file.h"
#include "ini_file_fixture.h"
#include "support/recording_files.h"

namespace testing_support {

std::string utf16(const std::u16string& text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : text) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

}  // namespace testing_support

namespace {

using testing_support::IniFileTest;
using testing_support::utf16;

TEST_F(IniFileTest, AUtf8MarkIsSkippedAndKept) {
    put("\xEF\xBB\xBF[PORT_SET]\r\nPORT=3\r\n");
    EXPECT_EQ(fw::IniFile(path).readInteger("PORT_SET", "PORT", 1), 3);
    fw::IniFile(path).writeInteger("PORT_SET", "PORT", 2);
    EXPECT_EQ(contents(), "\xEF\xBB\xBF[PORT_SET]\r\nPORT=2\r\n");
}

class IniUtf16 : public IniFileTest, public ::testing::WithParamInterface<bool> {};

TEST_P(IniUtf16, IsReadAndWrittenInItsOwnEncoding) {
    const bool bigEndian = GetParam();
    // Notepad's "Unicode" file, with a name beyond Latin-1 and a lone
    // surrogate in a comment: both must come back unit for unit.
    const std::u16string text = u"; \x0218ir \xD83D\xDE00 \xD800!\r\n[PORT_SET]\r\nPORT=3\r\n[COMENZI_IR]\r\nPLAY=A1B2C3\r\n";
    put(utf16(text, bigEndian));
    fw::IniFile ini(path);
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 3);
    EXPECT_EQ(ini.readString("COMENZI_IR", "PLAY", ""), "A1B2C3");
    ini.writeString("COMENZI_IR", "STOP", "D4E5F6");
    ini.writeInteger("PORT_SET", "PORT", 2);
    EXPECT_EQ(contents(), utf16(u"; \x0218ir \xD83D\xDE00 \xD800!\r\n[PORT_SET]\r\nPORT=2\r\n[COMENZI_IR]\r\nPLAY=A1B2C3\r\n"
                                u"STOP=D4E5F6\r\n",
                                bigEndian))
        << "no 8-bit text appended to a UTF-16 file";
    EXPECT_EQ(fw::IniFile(path).readString("COMENZI_IR", "STOP", ""), "D4E5F6");
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, IniUtf16, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BigEndian" : "LittleEndian"; });

TEST_F(IniFileTest, AnOddByteAtTheEndOfAUtf16FileStays) {
    put(utf16(u"[PORT_SET]\r\nPORT=3\r\n", false) + "\x41");
    fw::IniFile(path).writeInteger("PORT_SET", "PORT", 4);
    EXPECT_EQ(contents(), utf16(u"[PORT_SET]\r\nPORT=4\r\n", false) + "\x41");
}

}  // namespace

namespace {

// The part of the Central European code page (1250) the cases need: "ă"
// and "ş" where Latin-1 has "ã" and "º"; every other byte as Latin-1, and
// nothing for the byte 0x81, which it leaves undefined.
class CentralEuropean : public fw::CodePage {
public:
    std::string toUtf8(std::string_view bytes) const override {
        std::string out;
        for (const char c : bytes) {
            if (c == '\xE3') out += "\xC4\x83";
            else if (c == '\xBA') out += "\xC5\x9F";
            else if (c == '\x81') out += "?";
            else out += fw::latin1().toUtf8(std::string(1, c));
        }
        return out;
    }
    std::optional<std::string> fromUtf8(std::string_view text) const override {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const std::string_view pair = text.substr(i, 2);
            if (static_cast<unsigned char>(text[i]) < 0x80) {
                out += text[i];
            } else if (pair == "\xC4\x83") {
                out += '\xE3', ++i;
            } else if (pair == "\xC5\x9F") {
                out += '\xBA', ++i;
            } else if (pair == "\xC3\xA3" || pair == "\xC2\xBA") {
                return std::nullopt;  // Latin-1's letters at those bytes
            } else if (auto latin = fw::latin1().fromUtf8(pair); latin && pair.size() == 2) {
                out += *latin, ++i;
            } else {
                return std::nullopt;
            }
        }
        return out;
    }
};

class IniCodePage : public IniFileTest {
protected:
    IniCodePage() { files.page = &page; }
    CentralEuropean page;
    testing_support::RecordingFiles files;
};

TEST_F(IniCodePage, An8BitFileIsReadInTheSystemsCodePageAndKeptAsItWasWhenItStillHoldsTheText) {
    put("; Muzic\xE3\r\n[PLAYER]\r\nPATH=C:\\Muzic\xE3\r\n");
    fw::IniFile ini(path, files);
    EXPECT_EQ(ini.readString("PLAYER", "PATH", ""), "C:\\Muzic\xC4\x83");
    ini.writeString("PLAYER", "PATH", "D:\\Mu\xC5\x9F\x69");
    EXPECT_EQ(contents(), "; Muzic\xE3\r\n[PLAYER]\r\nPATH=D:\\Mu\xBAi\r\n") << "8-bit still, in the code page";
}

TEST_F(IniCodePage, ALetterTheCodePageLacksTurnsTheFileIntoUtf16WithEveryOlderLetterAsItWasMeant) {
    put("; Muzic\xE3\r\n[PLAYER]\r\nPATH=C:\\Muzic\xE3\r\n");
    fw::IniFile ini(path, files);
    ini.writeString("PLAYER", "PATH", "E:\\\xD0\x9C\xD1\x83\xD0\xB7");
    EXPECT_EQ(contents(), utf16(u"; Muzic\u0103\r\n[PLAYER]\r\nPATH=E:\\\u041C\u0443\u0437\r\n", false))
        << "\"ă\" as the code page meant it, not Latin-1's \"ã\"";
    EXPECT_EQ(fw::IniFile(path, files).readString("PLAYER", "PATH", ""), "E:\\\xD0\x9C\xD1\x83\xD0\xB7");
}

TEST_F(IniCodePage, Utf8WithoutAMarkStaysUtf8AndBytesTheCodePageCannotGiveBackStay) {
    put("[PLAYER]\r\nPATH=C:\\Muzic\xC4\x83\r\n");  // Notepad's UTF-8, no mark
    fw::IniFile ini(path, files);
    EXPECT_EQ(ini.readString("PLAYER", "PATH", ""), "C:\\Muzic\xC4\x83");
    ini.writeString("IR", "OSD", "0");
    EXPECT_EQ(contents(), "[PLAYER]\r\nPATH=C:\\Muzic\xC4\x83\r\n\r\n[IR]\r\nOSD=0\r\n");

    put("[IR]\r\nX=\x81\xE3\r\n");  // a byte the code page has no letter for
    fw::IniFile odd(path, files);
    odd.writeString("IR", "OSD", "1");
    EXPECT_EQ(contents(), "[IR]\r\nX=\x81\xE3\r\nOSD=1\r\n") << "nothing lost";
}

}  // namespace
