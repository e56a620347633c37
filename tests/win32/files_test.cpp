// Saving ir_zav.ini on Win32 under Wine: a file another program holds for
// a moment is saved once it lets go, a read-only file is said to be so and
// left as it was, and 8-bit files are read in the system's code page and
// stay right when a save turns them into UTF-16. The code-page cases run in
// the passes that start Wine under a Romanian (1250) and a Russian (1251)
// locale; in the others they skip.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "app/settings.h"
#include "framework/ini_file.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_files.h"

namespace {

class SettingsFile : public ::testing::Test {
protected:
    SettingsFile() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"zav files " + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        file_ = folder_ + L"\\ir_zav.ini";
    }
    ~SettingsFile() override {
        SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file_.c_str());
        DeleteFileW((file_ + L".new").c_str());
        DeleteFileW((file_ + L".bak").c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    std::filesystem::path path() const { return std::filesystem::path(file_); }
    void put(const std::string& bytes) const { std::ofstream(path(), std::ios::binary) << bytes; }
    std::string contents() const {
        std::ifstream in(path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool leftovers() const {
        return GetFileAttributesW((file_ + L".new").c_str()) != INVALID_FILE_ATTRIBUTES ||
               GetFileAttributesW((file_ + L".bak").c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::wstring folder_;
    std::wstring file_;
    win32::Win32Files files;
};

TEST_F(SettingsFile, ASaveWhileAnotherProgramHoldsTheFileFor300MsWaitsAndSucceeds) {
    put("[IR]\r\nMinimizare=0\r\n");
    // As an antivirus or an indexer does: the file held without sharing.
    HANDLE held = CreateFileW(file_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::atomic<bool> released{false};
    std::thread other([&] {
        Sleep(300);
        released = true;
        CloseHandle(held);
    });
    app::SettingsStore store(path(), files);
    std::string error;
    try {
        store.SaveCodIr("PLAY", "ABCDEF");
    } catch (const std::exception& e) {
        error = e.what();
    }
    other.join();
    EXPECT_EQ(error, "");
    EXPECT_TRUE(released) << "the save waited for the other program";
    EXPECT_NE(contents().find("PLAY=ABCDEF"), std::string::npos);
    EXPECT_NE(contents().find("Minimizare=0"), std::string::npos) << "read once the file was free, nothing lost";
    EXPECT_FALSE(leftovers());
}

TEST_F(SettingsFile, AReadOnlyFileIsSaidToBeSoAndLeftAsItWas) {
    put("[IR]\r\nMinimizare=0\r\n");
    ASSERT_TRUE(SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_READONLY));
    app::SettingsStore store(path(), files);
    std::string error;
    const DWORD began = GetTickCount();
    try {
        store.SaveCodIr("PLAY", "ABCDEF");
    } catch (const fw::IniWriteError& e) {
        error = e.what();
    }
    EXPECT_EQ(error, "Unable to write to " + win32::narrow(file_) + ": the file is read-only");
    EXPECT_LT(GetTickCount() - began, 500u) << "the user's own mark is not waited out";
    EXPECT_EQ(contents(), "[IR]\r\nMinimizare=0\r\n");
    EXPECT_FALSE(leftovers());
    EXPECT_TRUE(GetFileAttributesW(file_.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(SettingsFile, AFileThatIsNotThereIsMadeAndAnExistingOneReplacedInOneStep) {
    app::SettingsStore store(path(), files);
    store.SaveCodIr("PLAY", "ABCDEF");
    EXPECT_EQ(contents(), "[COMENZI_IR]\r\nPLAY=ABCDEF\r\n");
    store.SaveCodIr("STOP", "12345");
    EXPECT_EQ(contents(), "[COMENZI_IR]\r\nPLAY=ABCDEF\r\nSTOP=12345\r\n");
    EXPECT_FALSE(leftovers());
}

// One 8-bit settings file per code page: a player path in its letters,
// another in letters it lacks.
struct CodePageCase {
    UINT codePage;
    std::string bytes;        // "Muzică" or "Музыка", in the code page's bytes
    std::string utf8;         // the same, as the program holds it
    std::string outsideUtf8;  // a folder in letters the code page lacks
};

const CodePageCase cases[] = {
    {1250, "Muzic\xE3", "Muzic\xC4\x83", "\xD0\x9C\xD1\x83\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB0"},
    {1251, "\xCC\xF3\xE7\xFB\xEA\xE0", "\xD0\x9C\xD1\x83\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB0", "Muzic\xC4\x83"},
};

const CodePageCase* caseForThisSystem() {
    for (const CodePageCase& c : cases)
        if (c.codePage == GetACP()) return &c;
    return nullptr;
}

TEST(CodePages, An8BitFileIsReadInTheSystemsCodePageAndStaysRightWhenItBecomesUtf16) {
    const CodePageCase* c = caseForThisSystem();
    if (!c) GTEST_SKIP() << "the system's code page is " << GetACP() << ": this case runs under 1250 and 1251";
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring file = std::wstring(temp) + L"zav_codepage.ini";
    const std::filesystem::path path(file);
    const std::string old = "; " + c->bytes + "\r\n[PLAYER]\r\nPATH=C:\\" + c->bytes + "\\winamp.exe\r\n";
    std::ofstream(path, std::ios::binary) << old;
    win32::Win32Files files;
    app::SettingsStore store(path, files);
    store.LoadSettings();
    EXPECT_EQ(store.settings().PlayerPath, "C:\\" + c->utf8 + "\\winamp.exe") << "read in code page " << c->codePage;

    // A path in the code page's own letters keeps the file 8-bit.
    app::DialogSettings values;
    values.PlayerPath = "D:\\" + c->utf8 + "\\winamp.exe";
    store.SaveSettings(values);
    std::string saved = [&] {
        std::ifstream in(path, std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }();
    EXPECT_EQ(saved.rfind("; " + c->bytes + "\r\n", 0), 0u) << "still 8-bit, the comment as it was";
    EXPECT_NE(saved.find("PATH=D:\\" + c->bytes + "\\winamp.exe"), std::string::npos);

    // One outside it turns the file into UTF-16, with every older letter
    // as the code page meant it.
    values.PlayerPath = "E:\\" + c->outsideUtf8 + "\\winamp.exe";
    store.SaveSettings(values);
    std::ifstream in(path, std::ios::binary);
    const std::string utf16{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    ASSERT_GE(utf16.size(), 2u);
    EXPECT_EQ(utf16.substr(0, 2), "\xFF\xFE");
    const std::wstring text(reinterpret_cast<const wchar_t*>(utf16.data() + 2), (utf16.size() - 2) / 2);
    EXPECT_EQ(text.rfind(L"; " + win32::widen(c->utf8) + L"\r\n", 0), 0u) << "the comment's letters survived";
    EXPECT_NE(text.find(L"PATH=" + win32::widen(values.PlayerPath.value())), std::wstring::npos);
    app::SettingsStore again(path, files);
    again.LoadSettings();
    EXPECT_EQ(again.settings().PlayerPath, *values.PlayerPath);
    DeleteFileW(file.c_str());
}

TEST(CodePages, EachCodePageGivesBackItsOwnBytesAndRefusesLettersItLacks) {
    for (const CodePageCase& c : cases) {
        const auto page = win32::systemCodePage(c.codePage);
        EXPECT_EQ(page->toUtf8(c.bytes), c.utf8) << c.codePage;
        EXPECT_EQ(page->fromUtf8(c.utf8), c.bytes) << c.codePage;
        EXPECT_EQ(page->fromUtf8(c.outsideUtf8), std::nullopt) << c.codePage << ": no look-alike stands in";
    }
}

}  // namespace
