// A settings file in a folder of the test's own: what the profile file's
// tests share.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace testing_support {

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

// A UTF-16 file's bytes, its mark first.
std::string utf16(const std::u16string& text, bool bigEndian);

}  // namespace testing_support
