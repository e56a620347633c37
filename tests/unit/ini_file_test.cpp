#include <gtest/gtest.h>

#include <ostream>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/ini_file.h"
#include "support/case_name.h"
#include "ini_file_fixture.h"

namespace {

namespace fs = std::filesystem;

using testing_support::IniFileTest;

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    fw::IniFile ini(path);
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 1);
    EXPECT_EQ(ini.readString("COMENZI_IR", "PLAY", ""), "");
    put("[IR]\r\nACTIVARE=0\r\n");
    ini = fw::IniFile(path);
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 1);
    EXPECT_EQ(ini.readInteger("IR", "Minimizare", 1), 1);
    EXPECT_FALSE(ini.readBool("IR", "ACTIVARE", true));
    EXPECT_FALSE(fs::exists(dir / "ir_zav.ini.new")) << "reading never writes";
}

TEST_F(IniFileTest, NamesMatchWithoutRegardToCase) {
    fw::IniFile ini(path);
    ini.writeInteger("IR", "MINIMIZARE", 0);
    EXPECT_EQ(ini.readInteger("ir", "Minimizare", 1), 0);
    ini.writeString("comenzi_ir", "play", "1A2B3");
    ini.writeString("COMENZI_IR", "PLAY", "FFEE1");
    EXPECT_EQ(ini.readString("Comenzi_Ir", "Play", ""), "FFEE1");
    EXPECT_EQ(contents(), "[IR]\r\nMINIMIZARE=0\r\n\r\n[comenzi_ir]\r\nplay=FFEE1\r\n")
        << "one key, written under the spelling it first got";
}

struct IntegerCase {
    const char* stored;
    int expected;
};

void PrintTo(const IntegerCase& c, std::ostream* os) { *os << "\"" << c.stored << "\""; }


class IniIntegers : public IniFileTest, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(IniIntegers, ReadIntegerConvertsOrFallsBack) {
    put(std::string("[PORT_SET]\nPORT=") + GetParam().stored + "\n");
    EXPECT_EQ(fw::IniFile(path).readInteger("PORT_SET", "PORT", 1), GetParam().expected) << GetParam().stored;
}

INSTANTIATE_TEST_SUITE_P(Values, IniIntegers,
                         ::testing::Values(IntegerCase{"0x3", 3}, IntegerCase{"0X1f", 31}, IntegerCase{"$4", 4},
                                           IntegerCase{"abc", 1}, IntegerCase{"-2", -2}, IntegerCase{"", 1},
                                           IntegerCase{"0x", 1}, IntegerCase{"0", 0}, IntegerCase{"  7  ", 7},
                                           IntegerCase{"2 ", 2}, IntegerCase{"yes", 1},
                                           IntegerCase{"99999999999", 1}, IntegerCase{"\"5\"", 5}));

TEST_F(IniFileTest, TextIsCutTo1023Characters) {
    const std::string longValue(100000, 'A');
    put("[COMENZI_IR]\nPLAY=" + longValue + "\nSTOP=12345\n");
    fw::IniFile ini(path);
    EXPECT_EQ(ini.readString("COMENZI_IR", "PLAY", ""), std::string(1023, 'A'));
    EXPECT_EQ(ini.readString("COMENZI_IR", "STOP", ""), "12345");
}

TEST_F(IniFileTest, BadContentGivesValuesOrDefaultsNeverAnError) {
    std::string binary = "\x01\x02\xff\xfe[junk\n=novalue\nlonely line\n";
    binary.push_back('\0');
    binary += "\n[IR]\r\nno equals here\r\nACTIVARE\r\n\x80\x81=\x90\r\nACTIVARE=0\r\nACTIVARE=1\r\n";
    binary += "[IR]\nMinimizare=0\n[PORT_SET]\nPORT=3";  // duplicate section, no final newline
    put(binary);
    fw::IniFile ini(path);
    EXPECT_EQ(ini.readInteger("IR", "ACTIVARE", 7), 0) << "the first of duplicate keys wins";
    EXPECT_EQ(ini.readInteger("IR", "Minimizare", 1), 1) << "only the first of duplicate sections is read";
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 3) << "the last line counts without a newline";
    EXPECT_EQ(ini.readString("IR", "\x80\x81", ""), "\xC2\x90") << "8-bit text read in the code page, held as UTF-8";

    ini.writeString("PORT_SET", "PORT", "4");
    EXPECT_EQ(contents(), binary.substr(0, binary.size() - 1) + "4") << "every other byte stays";
}

TEST_F(IniFileTest, TenMegabyteFileIsReadAndWritten) {
    std::string big;
    big.reserve(10 * 1024 * 1024 + 100);
    big += "[FILLER]\n";
    for (int i = 0; big.size() < 10 * 1024 * 1024; ++i) big += "K" + std::to_string(i) + "=" + std::string(80, 'x') + "\n";
    big += "[PORT_SET]\nPORT=2\n";
    put(big);
    fw::IniFile ini(path);
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 2);
    ini.writeInteger("PORT_SET", "PORT", 3);
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 3);
    EXPECT_EQ(fs::file_size(path), big.size());
}

TEST_F(IniFileTest, WritesCreateWhatIsMissingAndLeaveEveryOtherLine) {
    fw::IniFile ini(path);
    ini.writeInteger("PORT_SET", "PORT", -2);
    EXPECT_EQ(contents(), "[PORT_SET]\r\nPORT=-2\r\n");

    put("; settings\n[PORT_SET]\nPORT = 1\n\n[IR]\nACTIVARE=1\n");
    ini = fw::IniFile(path);
    ini.writeBool("IR", "MINIMIZARE", false);
    ini.writeBool("PORT_SET", "EXTRA", true);
    ini.writeInteger("PORT_SET", "port", 4);
    ini.writeString("COMENZI_IR", "ALEGE COMANDA", "");
    EXPECT_EQ(contents(),
              "; settings\n[PORT_SET]\nPORT=4\nEXTRA=1\n\n[IR]\nACTIVARE=1\nMINIMIZARE=0\n\n[COMENZI_IR]\nALEGE COMANDA=\n");
    EXPECT_EQ(ini.readString("COMENZI_IR", "ALEGE COMANDA", "default"), "") << "an empty value is a value";
}

TEST_F(IniFileTest, LineBreaksInNamesOrValuesCannotAddLines) {
    fw::IniFile ini(path);
    ini.writeString("COMENZI_IR", "PLAY", "12\r\n[IR]\r\nACTIVARE=0");
    EXPECT_EQ(ini.readInteger("IR", "ACTIVARE", 1), 1);
    EXPECT_EQ(ini.readString("COMENZI_IR", "PLAY", ""), "12  [IR]  ACTIVARE=0");
}

TEST_F(IniFileTest, RoundTripIsStable) {
    fw::IniFile ini(path);
    ini.writeInteger("PORT_SET", "PORT", 2);
    ini.writeBool("IR", "ACTIVARE", true);
    ini.writeBool("IR", "MINIMIZARE", false);
    ini.writeString("COMENZI_IR", "PLAY", "A1B2C3");
    const std::string first = contents();
    ini.writeInteger("PORT_SET", "PORT", ini.readInteger("PORT_SET", "PORT", 0));
    ini.writeBool("IR", "ACTIVARE", ini.readBool("IR", "ACTIVARE", false));
    ini.writeString("COMENZI_IR", "PLAY", ini.readString("COMENZI_IR", "PLAY", ""));
    EXPECT_EQ(contents(), first);
}

TEST_F(IniFileTest, AnAccessorReadsTheFileOnceAndTheNextOneAfresh) {
    put("[PORT_SET]\nPORT=2\n");
    fw::IniFile ini(path);
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 2);
    put("[PORT_SET]\nPORT=3\n");
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 2) << "one load reads the file once";
    EXPECT_EQ(fw::IniFile(path).readInteger("PORT_SET", "PORT", 1), 3);
    ini.writeInteger("IR", "ACTIVARE", 0);
    EXPECT_EQ(ini.readInteger("IR", "ACTIVARE", 1), 0) << "its own writes it sees";
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 3) << "a write starts from the file as it is, undoing nothing";
}

// Files may not grow past `limit` bytes while this lives: a write beyond it
// fails even for root, which read-only permissions would not stop.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lowered = old_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int);
};

TEST_F(IniFileTest, FailedWriteRaisesAndLeavesTheOldFileByteForByte) {
    const std::string old = "[PORT_SET]\r\nPORT=2\r\n[IR]\r\nACTIVARE=1\r\n";
    put(old);
    fw::IniFile ini(path);
    try {
        FileSizeLimit limit(old.size() + 4);
        ini.writeString("COMENZI_IR", "PLAY", "0123456789ABCDEF");
        FAIL() << "the write did not fail";
    } catch (const fw::IniWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path.string());
    }
    EXPECT_EQ(contents(), old);
    EXPECT_FALSE(fs::exists(dir / "ir_zav.ini.new")) << "no half-written file is left behind";

    // A stale temporary file from an interrupted write does not stand in the way.
    std::ofstream(dir / "ir_zav.ini.new") << "garbage";
    ini.writeInteger("PORT_SET", "PORT", 3);
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 3);
}

TEST_F(IniFileTest, WriteIntoAMissingFolderOrOverAFolderFails) {
    fw::IniFile nowhere(dir / "missing" / "ir_zav.ini");
    EXPECT_THROW(nowhere.writeInteger("PORT_SET", "PORT", 1), fw::IniWriteError);
    EXPECT_FALSE(fs::exists(dir / "missing"));

    fs::create_directories(path);
    fw::IniFile overFolder(path);
    EXPECT_EQ(overFolder.readInteger("PORT_SET", "PORT", 5), 5);
    EXPECT_THROW(overFolder.writeInteger("PORT_SET", "PORT", 1), fw::IniWriteError);
    EXPECT_TRUE(fs::is_directory(path));
}

// Every kind of line end ends a line, the last line's included: a write
// elsewhere must neither change a value nor mix line ends.
struct LineEndCase {
    const char* what;
    std::string file;
    int port;
    std::string afterWrite;  // after ACTIVARE=0 is written
};

void PrintTo(const LineEndCase& c, std::ostream* os) { *os << c.what; }

class IniLineEnds : public IniFileTest, public ::testing::WithParamInterface<LineEndCase> {};

TEST_P(IniLineEnds, EndLinesAlikeAndWritesKeepEveryOtherValue) {
    const LineEndCase& c = GetParam();
    put(c.file);
    EXPECT_EQ(fw::IniFile(path).readInteger("PORT_SET", "PORT", 1), c.port);
    fw::IniFile(path).writeBool("IR", "ACTIVARE", false);
    EXPECT_EQ(contents(), c.afterWrite);
    EXPECT_EQ(fw::IniFile(path).readInteger("PORT_SET", "PORT", 1), c.port) << "the write changed no other setting";
    EXPECT_EQ(fw::IniFile(path).readInteger("IR", "ACTIVARE", 1), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniLineEnds,
    ::testing::Values(
        // Found by fuzzing: 5b504f52545f5345545d0d0a504f52543d330d.
        LineEndCase{"last line ends in a lone CR", "[PORT_SET]\r\nPORT=3\r", 3,
                    "[PORT_SET]\r\nPORT=3\r\r\n[IR]\r\nACTIVARE=0\r\n"},
        LineEndCase{"a hexadecimal value before a lone CR", "[PORT_SET]\r\nPORT=0x3ffff7\r", 0x3ffff7,
                    "[PORT_SET]\r\nPORT=0x3ffff7\r\r\n[IR]\r\nACTIVARE=0\r\n"},
        LineEndCase{"CR only", "[IR]\rACTIVARE=1\r[PORT_SET]\rPORT=2", 2, "[IR]\rACTIVARE=0\r[PORT_SET]\rPORT=2"},
        LineEndCase{"LF only", "[PORT_SET]\nPORT=4\n[IR]\nACTIVARE=1\n", 4, "[PORT_SET]\nPORT=4\n[IR]\nACTIVARE=0\n"},
        LineEndCase{"mixed", "[PORT_SET]\rPORT=2\n[IR]\r\nMINIMIZARE=1\r", 2,
                    "[PORT_SET]\rPORT=2\n[IR]\r\nMINIMIZARE=1\rACTIVARE=0\r"},
        LineEndCase{"no line end at all", "[PORT_SET]", 1, "[PORT_SET]\r\n\r\n[IR]\r\nACTIVARE=0\r\n"}),
    testing_support::byWhat);

TEST_F(IniFileTest, NamesAreStoredAsTheyAreFoundAgain) {
    fw::IniFile ini(path);
    ini.writeString("COMENZI_IR", "  PLAY\t", "A1");
    ini.writeString("COMENZI_IR", " PLAY ", "B2");
    ini.writeString(" COMENZI_IR ", "PLAY", "C3");
    EXPECT_EQ(contents(), "[COMENZI_IR]\r\nPLAY=C3\r\n") << "one key, the file does not grow";
    EXPECT_EQ(fw::IniFile(path).readString("COMENZI_IR", "PLAY", ""), "C3");
}

struct BadNameCase {
    const char* section;
    const char* key;
    const char* message;
};

void PrintTo(const BadNameCase& c, std::ostream* os) { *os << c.section << "/" << c.key; }

class IniBadNames : public IniFileTest, public ::testing::WithParamInterface<BadNameCase> {};

TEST_P(IniBadNames, AreRefusedWithAMessageAndWriteNothing) {
    const std::string old = "[COMENZI_IR]\r\nPLAY=A1\r\n";
    put(old);
    try {
        fw::IniFile(path).writeString(GetParam().section, GetParam().key, "B2");
        FAIL() << "written";
    } catch (const fw::IniNameError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
    EXPECT_EQ(contents(), old);
}

INSTANTIATE_TEST_SUITE_P(
    Names, IniBadNames,
    ::testing::Values(
        BadNameCase{"COMENZI_IR", "PLAY=1", "Cannot save under the name \"PLAY=1\": a name cannot contain \"=\" or start with \"[\""},
        BadNameCase{"COMENZI_IR", " [IR]", "Cannot save under the name \"[IR]\": a name cannot contain \"=\" or start with \"[\""},
        BadNameCase{"COMENZI_IR", "[X", "Cannot save under the name \"[X\": a name cannot contain \"=\" or start with \"[\""},
        BadNameCase{"A]B", "PLAY", "Cannot save under the section name \"A]B\": a section name cannot contain \"]\""}));

// Hostile files: whatever can be read is, the rest reads as the defaults.
TEST_F(IniFileTest, HugeFilesLongLinesAndNulBytesAreSurvived) {
    std::string file(5 * 1024 * 1024, '\n');
    file += "[PORT_SET]\r\nPORT=2\r\n";
    file += "[IR]\r\nACTIVARE=" + std::string(1024 * 1024, '7') + "\r\n";
    file += std::string("MINI\0MIZARE=0\r\nEXECUTARE=\0" "1\r\n", 29);
    put(file);
    fw::IniFile ini(path);
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 2);
    EXPECT_EQ(ini.readInteger("IR", "ACTIVARE", 1), 1) << "a value too long to convert gives the default";
    EXPECT_EQ(ini.readInteger("IR", "Minimizare", 1), 1) << "a NUL is part of the name";
    EXPECT_EQ(ini.readString("IR", "EXECUTARE", "x"), std::string("\0" "1", 2));
    ini.writeInteger("PORT_SET", "PORT", 3);
    EXPECT_EQ(fs::file_size(path), file.size());
    EXPECT_EQ(fw::IniFile(path).readInteger("PORT_SET", "PORT", 1), 3);
}

TEST_F(IniFileTest, AFileTooLargeToBeOursReadsAsMissingAndIsNotWrittenOver) {
    const std::string big = "[PORT_SET]\r\nPORT=2\r\n" + std::string(fw::IniFile::maxFileSize, ';');
    put(big);
    fw::IniFile ini(path);
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 1);
    EXPECT_THROW(ini.writeInteger("PORT_SET", "PORT", 3), fw::IniWriteError);
    EXPECT_EQ(fs::file_size(path), big.size());
}

}  // namespace

TEST(IniDocumentKeys, ASectionsKeysComeInOrderTheFirstOfTwinsWinning) {
    auto document = fw::IniDocument::fromBytes(
        "[WEB_PHONES]\r\n  aa = 2026-12-09 Ana \r\n; a note\r\nbb=2026-12-10 Bob\r\nno equals here\r\n"
        "AA=twin\r\n[web_phones]\r\ncc=later section\r\n[OTHER]\r\ndd=x\r\n");
    using Keys = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(document.keys("web_phones"), (Keys{{"aa", "2026-12-09 Ana"}, {"bb", "2026-12-10 Bob"}}));
    EXPECT_EQ(document.keys("OTHER"), (Keys{{"dd", "x"}}));
    EXPECT_TRUE(document.keys("MISSING").empty());
}
