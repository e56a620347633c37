// Folders named outside the system's code page under Wine: settings read
// and written there, programs started from there, and the texts the
// launcher reads from the system, all through the wide-character calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/settings.h"
#include "control/activ_app.h"
#include "framework/file_system.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_launcher.h"

namespace {

// A fresh folder of that name under the temporary folder, gone afterwards.
class Folder {
public:
    explicit Folder(const std::wstring& name) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + name;
        removeAll();
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~Folder() { removeAll(); }
    const std::wstring& wide() const { return path_; }
    std::string utf8() const { return win32::narrow(path_); }
    bool holds(const std::wstring& file) const {
        return GetFileAttributesW((path_ + L"\\" + file).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

private:
    void removeAll() {
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
            while (FindNextFileW(h, &found));
            FindClose(h);
        }
        RemoveDirectoryW(path_.c_str());
    }
    std::wstring path_;
};

const std::wstring names[] = {L"Win amp", L"Пульт ΖΑV", L"遥控器"};

TEST(AnyFolder, SettingsAreWrittenAndReadInAFolderOfAnyName) {
    for (const std::wstring& name : names) {
        Folder folder(name);
        win32::Win32Files files;
        app::SettingsStore store(app::configPath(fw::pathFromUtf8(folder.utf8() + "\\zav_amp.exe")), files);
        const std::string player = folder.utf8() + "\\winamp.exe";
        store.SaveSettings({3, true, false, false, true, control::VolumePreference::automatic, player});
        EXPECT_TRUE(folder.holds(L"ir_zav.ini")) << win32::narrow(name);
        EXPECT_FALSE(folder.holds(L"ir_zav.ini.new")) << "the new content took the old file's place";
        app::SettingsStore again(app::configPath(fw::pathFromUtf8(folder.utf8() + "\\zav_amp.exe")), files);
        again.LoadSettings();
        EXPECT_EQ(again.settings().PortNumber, 3) << win32::narrow(name);
        EXPECT_EQ(again.settings().PlayerPath, player) << win32::narrow(name);
    }
}

// The system's command interpreter, copied into the folder, started as the
// player would be; it leaves a file in its working folder.
TEST(AnyFolder, AProgramInAFolderOfAnyNameStartsAsThatFileInThatFolder) {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    for (const std::wstring& name : names) {
        Folder folder(name);
        const std::wstring copy = folder.wide() + L"\\cmd.exe";
        ASSERT_TRUE(CopyFileW((std::wstring(system) + L"\\cmd.exe").c_str(), copy.c_str(), FALSE));
        win32::Win32Launcher launcher;
        EXPECT_TRUE(launcher.fileExists(win32::narrow(copy)));
        platform::Launch launch = control::launchOf(win32::narrow(copy));
        EXPECT_EQ(launch.folder, folder.utf8());
        launch.commandLine += " /c echo started>started.txt";
        launcher.runFile(launch);
        bool started = false;
        for (int i = 0; i < 200 && !started; ++i) {
            started = folder.holds(L"started.txt");
            if (!started) Sleep(50);
        }
        EXPECT_TRUE(started) << win32::narrow(name);
        Sleep(200);  // the interpreter lets go of its file
    }
}

TEST(AnyFolder, TheLauncherReadsVariablesAndTheUsersRegistryInFullText) {
    win32::Win32Launcher launcher;
    const std::wstring value = L"D:\\Пульт ΖΑV";
    ASSERT_TRUE(SetEnvironmentVariableW(L"ZAV_TEST_FOLDER", value.c_str()));
    EXPECT_EQ(launcher.environment("ZAV_TEST_FOLDER"), win32::narrow(value));
    SetEnvironmentVariableW(L"ZAV_TEST_FOLDER", nullptr);
    EXPECT_EQ(launcher.environment("ZAV_TEST_FOLDER"), std::nullopt) << "not set is none, not empty";

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\ZavAmpTest", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    EXPECT_EQ(launcher.userSetting("Software\\ZavAmpTest", ""), win32::narrow(value)) << "the key's default value";
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\ZavAmpTest");
    EXPECT_EQ(launcher.userSetting("Software\\ZavAmpTest", ""), std::nullopt);
}

TEST(AnyFolder, TextIsUtf8Inside) {
    EXPECT_EQ(win32::widen("Пульт ΖΑV 遥控器"), L"Пульт ΖΑV 遥控器");
    EXPECT_EQ(win32::narrow(L"Пульт ΖΑV 遥控器"), "Пульт ΖΑV 遥控器");
}

TEST(AnyFolder, TextThatIsNotUtf8IsNotGuessedAtByTheWindowEdge) {
    // 8-bit settings are decoded once, when the file is read: what reaches
    // a window is UTF-8, and a stray byte shows as the replacement mark.
    EXPECT_EQ(win32::widen("caf\xE9"), L"caf\xFFFD");
}

}  // namespace
