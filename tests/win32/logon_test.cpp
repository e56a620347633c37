// The log-on list in the registry under Wine: the value written, read back
// and removed through the wide-character calls.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/win32_run_at_logon.h"

namespace {

// Wine starts every value of the list at each session start: whatever
// happens in the test, the value goes.
struct RemovedAtTheEnd {
    win32::Win32RunAtLogon& logon;
    ~RemovedAtTheEnd() { logon.remove(); }
};

TEST(LogonUnderWine, TheValueIsWrittenReadBackAndRemoved) {
    win32::Win32RunAtLogon logon;
    RemovedAtTheEnd trap{logon};
    ASSERT_TRUE(logon.remove()) << "removing a value that is not there succeeds";
    EXPECT_FALSE(logon.read());
    const std::string commandLine = "\"C:\\Program Files\\ZAV Amp\\zav_amp.exe\"";
    ASSERT_TRUE(logon.write(commandLine));
    EXPECT_EQ(logon.read(), commandLine);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_QUERY_VALUE,
                            &key),
              ERROR_SUCCESS);
    char stored[260] = {};
    DWORD size = sizeof stored, type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "ZAV Amp", nullptr, &type, reinterpret_cast<BYTE*>(stored), &size), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(stored, commandLine.c_str()) << "where Windows looks for it, under its name";

    const std::string anyFolder = "\"C:\\Пульт ΖΑV\\zav_amp.exe\"";
    ASSERT_TRUE(logon.write(anyFolder));
    EXPECT_EQ(logon.read(), anyFolder) << "a folder named outside the system's code page";

    EXPECT_TRUE(logon.remove());
    EXPECT_FALSE(logon.read());
}

TEST(LogonUnderWine, AValueThatNamesVariablesIsReadExpandedAsTheSystemStartsIt) {
    win32::Win32RunAtLogon logon;
    RemovedAtTheEnd trap{logon};
    ASSERT_TRUE(SetEnvironmentVariableW(L"ZAV_TEST_HOME", L"C:\\Users\\Ана"));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring stored = L"\"%ZAV_TEST_HOME%\\ZAV Amp\\zav_amp.exe\"";
    RegSetValueExW(key, L"ZAV Amp", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(stored.c_str()),
                   static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    EXPECT_EQ(logon.read(), "\"C:\\Users\\Ана\\ZAV Amp\\zav_amp.exe\"");
    SetEnvironmentVariableW(L"ZAV_TEST_HOME", nullptr);
}

TEST(LogonUnderWine, FileNamesCompareAsTheSystemComparesThemInEveryAlphabet) {
    const win32::Win32RunAtLogon logon;
    EXPECT_TRUE(logon.sameFile("C:\\ПУЛЬТ ΖΑV\\ZAV_AMP.EXE", "c:\\пульт ζαv\\zav_amp.exe"));
    EXPECT_TRUE(logon.sameFile("C:\\Muzică\\zav_amp.exe", "C:\\MUZICĂ\\ZAV_AMP.EXE"));
    EXPECT_FALSE(logon.sameFile("C:\\Пульт\\zav_amp.exe", "C:\\Пульт 2\\zav_amp.exe"));
    EXPECT_FALSE(logon.sameFile("C:\\Muzica\\zav_amp.exe", "C:\\Muzică\\zav_amp.exe")) << "no letter stands for another";
}

}  // namespace
