#include <gtest/gtest.h>

#include <ostream>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/ini_file.h"

namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    IniFileTest() {
        dir = fs::temp_directory_path() /
              ("ini_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = dir / "ir_zav.ini";
    }
    ~IniFileTest() override { fs::remove_all(dir); }

    void put(const std::string& content) {
        std::ofstream out(path, std::ios::binary);
        out << content;
    }
    std::string contents() const {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir;
    fs::path path;
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    fw::IniFile ini(path);
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 1);
    EXPECT_EQ(ini.readString("COMENZI_IR", "PLAY", ""), "");
    put("[IR]\r\nACTIVARE=0\r\n");
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
    EXPECT_EQ(ini.readString("IR", "\x80\x81", ""), "\x90");

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

TEST_F(IniFileTest, EveryReadSeesTheFileAsItIsNow) {
    fw::IniFile ini(path);
    put("[PORT_SET]\nPORT=2\n");
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 2);
    put("[PORT_SET]\nPORT=3\n");
    EXPECT_EQ(ini.readInteger("PORT_SET", "PORT", 1), 3);
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

}  // namespace
