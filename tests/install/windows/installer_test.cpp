// The Windows installer and the zip as a player's machine meets them, run under Wine in a fresh
// prefix: a silent install and what it leaves (files, Start menu shortcut, the uninstall entry),
// the installed game started and closed by its close message, installing again and a newer
// version over it, and a silent uninstall that leaves nothing of the game behind. It installs for
// the player alone by default, and for everyone only in Program Files. It must keep to a folder
// of its own beside another program's files, take none of them when upgrading what earlier
// installers put there, run no uninstaller it finds there, and keep its hands off a game that is
// running, and as administrator nothing outside Program Files\Zentrix and the player's own
// profile, nor anything a folder there swapped for a link leads to. (Wine runs every program as
// administrator, enforces no permissions and makes no junctions, but shows a Unix symbolic link as
// one: see As, the Desktop's link and makeLink.)
//
//   zentrix_installer_tests SETUP NEWER_SETUP UNPACKED_ZIP VERSION NEWER_VERSION
//
// SETUP and NEWER_SETUP are installers of VERSION and of the newer NEWER_VERSION; UNPACKED_ZIP
// is the folder the zip of VERSION was unpacked into. Paths may be Unix paths (Wine's Z: drive).
#include <windows.h>
// After windows.h:
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <winver.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "tests/box_recorder.h"
#include "tests/wine_paths.h"

namespace {

struct Packages {
    std::wstring setup;
    std::wstring newerSetup;
    std::wstring unpackedZip;
    std::wstring version;
    std::wstring newerVersion;
};
Packages packages;

constexpr const wchar_t* kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const wchar_t* kGameKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zentrix";

std::wstring widen(const char* text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string narrow(const std::wstring& text) {
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), length, nullptr, nullptr);
    result.resize(result.size() - 1);
    return result;
}

using zentrix::testing::lower;

std::wstring windowsPath(const char* path) {
    return zentrix::testing::onWineDrive(widen(path));
}

bool contains(const std::wstring& text, const std::wstring& part) {
    return lower(text).find(lower(part)) != std::wstring::npos;
}

std::wstring knownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    EXPECT_EQ(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), S_OK) << csidl;
    return path;
}

std::wstring programFiles() {
    return knownFolder(CSIDL_PROGRAM_FILES);
}
// Where the game goes for the player alone, by default, and for everyone.
std::wstring defaultLocation() {
    return knownFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Zentrix";
}
std::wstring everyonesLocation() {
    return programFiles() + L"\\Zentrix";
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string readFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Names in a folder, sorted; sub-folders end in a backslash.
std::vector<std::wstring> folderContents(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            names.push_back(isFolder ? name + L"\\" : name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Every file or folder under `folder` whose name mentions the game.
void findGameNames(const std::wstring& folder, std::set<std::wstring>& hits, int depth = 0) {
    if (depth > 12) {
        return;
    }
    for (const std::wstring& name : folderContents(folder)) {
        const std::wstring path = folder + L"\\" + name;
        if (contains(name, L"zentrix")) {
            hits.insert(path);
        }
        if (name.back() == L'\\') {
            findGameNames(path.substr(0, path.size() - 1), hits, depth + 1);
        }
    }
}

// Is this 32-bit program running on 64-bit Windows, with two registry views?
bool twoRegistryViews() {
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    return wow64 != FALSE;
}

std::vector<REGSAM> registryViews() {
    if (twoRegistryViews()) {
        return {KEY_WOW64_32KEY, KEY_WOW64_64KEY};
    }
    return {0};
}

// Every key, value name or text value under `path`, down to `levels` levels of subkeys, that
// mentions the game.
void findGameKeys(HKEY root, const std::wstring& path, REGSAM view, int levels,
                  std::set<std::wstring>& hits) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
        return;
    }
    const std::wstring where = std::wstring(root == HKEY_LOCAL_MACHINE ? L"HKLM" : L"HKCU") +
                               (view == KEY_WOW64_32KEY   ? L"(32)\\"
                                : view == KEY_WOW64_64KEY ? L"(64)\\"
                                                          : L"\\") +
                               path;
    std::vector<wchar_t> name(16384);
    std::vector<BYTE> data(65536);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD dataLength = static_cast<DWORD>(data.size());
        const LONG status = RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type,
                                          data.data(), &dataLength);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status != ERROR_SUCCESS) {
            continue;
        }
        const std::wstring valueName(name.data(), nameLength);
        std::wstring text;
        if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
            text.assign(reinterpret_cast<const wchar_t*>(data.data()),
                        dataLength / sizeof(wchar_t));
            std::replace(text.begin(), text.end(), L'\0', L' ');
        }
        if (contains(valueName, L"zentrix") || contains(text, L"zentrix")) {
            hits.insert(where + L" [" + valueName + L"] = " + text);
        }
    }
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        subkeys.emplace_back(name.data(), nameLength);
    }
    RegCloseKey(key);
    for (const std::wstring& subkey : subkeys) {
        if (contains(subkey, L"zentrix")) {
            hits.insert(where + L"\\" + subkey);
        }
        if (levels > 0) {
            findGameKeys(root, path + L"\\" + subkey, view, levels - 1, hits);
        }
    }
}

// What of the game there is on the machine: files and folders under Program Files, the Start
// menus and the desktops; and, for the machine and the user in every registry view, keys named
// after it under Software (where programs keep their settings), installed programs' entries,
// program paths and what runs at logon. (Walking the whole registry under Wine takes minutes.)
struct Traces {
    std::set<std::wstring> files;
    std::set<std::wstring> keys;
};

Traces gameTraces() {
    Traces traces;
    std::set<std::wstring> folders = {programFiles(),
                                      knownFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs"};
    wchar_t native[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"ProgramW6432", native, MAX_PATH) > 0) {
        folders.insert(native);
    }
    for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY,
                      CSIDL_DESKTOPDIRECTORY}) {
        folders.insert(knownFolder(csidl));
    }
    for (const std::wstring& folder : folders) {
        findGameNames(folder, traces.files);
    }

    const std::wstring windows = L"Software\\Microsoft\\Windows\\CurrentVersion";
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        for (REGSAM view : registryViews()) {
            findGameKeys(root, L"Software", view, 0, traces.keys);
            findGameKeys(root, windows + L"\\Uninstall", view, 1, traces.keys);
            findGameKeys(root, windows + L"\\App Paths", view, 1, traces.keys);
            findGameKeys(root, windows + L"\\Run", view, 0, traces.keys);
            findGameKeys(root, windows + L"\\RunOnce", view, 0, traces.keys);
        }
    }
    return traces;
}

std::string describe(const std::set<std::wstring>& names) {
    std::string text;
    for (const std::wstring& name : names) {
        text += "\n  " + narrow(name);
    }
    return text.empty() ? " (none)" : text;
}

std::optional<std::wstring> readText(HKEY root, const std::wstring& keyPath, const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(root, keyPath.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

std::optional<DWORD> readNumber(HKEY root, const std::wstring& keyPath, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(root, keyPath.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

// The entries of Windows' installed programs called Zentrix, for everyone (in every registry
// view) or for the player.
int gameEntries(HKEY root) {
    int entries = 0;
    for (REGSAM view : root == HKEY_LOCAL_MACHINE ? registryViews() : std::vector<REGSAM>{0}) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, kUninstallKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
            continue;
        }
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            wchar_t displayName[256] = {};
            DWORD size = sizeof(displayName);
            if (RegGetValueW(key, name, L"DisplayName", RRF_RT_REG_SZ, nullptr, displayName,
                             &size) == ERROR_SUCCESS &&
                contains(displayName, L"Zentrix")) {
                ++entries;
            }
        }
        RegCloseKey(key);
    }
    return entries;
}

// Who starts an installer or uninstaller: the player, whose token holds the Administrators group
// only to deny, as under User Account Control, or an administrator.
enum class As { Player, Administrator };

bool startProcess(std::wstring commandLine, As as, DWORD flags, PROCESS_INFORMATION& process) {
    static HANDLE playersToken = nullptr;
    if (playersToken == nullptr) {
        BYTE administrators[SECURITY_MAX_SID_SIZE] = {};
        DWORD size = sizeof(administrators);
        CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size);
        SID_AND_ATTRIBUTES denyOnly = {administrators, 0};
        HANDLE own = nullptr;
        OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own);
        CreateRestrictedToken(own, 0, 1, &denyOnly, 0, nullptr, 0, nullptr, &playersToken);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    return as == As::Player
               ? CreateProcessAsUserW(playersToken, nullptr, commandLine.data(), nullptr, nullptr,
                                      FALSE, flags, nullptr, nullptr, &startup, &process)
               : CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags,
                                nullptr, nullptr, &startup, &process);
}

// Runs a command line and waits until it and every process it started have ended (NSIS's
// uninstaller hands over to a copy of itself in the temporary folder and returns at once).
// Returns the first process's exit status.
DWORD runAndWait(const std::wstring& commandLine, As as = As::Player) {
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    EXPECT_NE(job, nullptr);
    PROCESS_INFORMATION process = {};
    if (!startProcess(commandLine, as, CREATE_SUSPENDED, process)) {
        ADD_FAILURE() << "could not start " << narrow(commandLine) << ": " << GetLastError();
        CloseHandle(job);
        return ~DWORD{0};
    }
    AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 120000), WAIT_OBJECT_0) << narrow(commandLine);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    while (QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting,
                                     sizeof(accounting), nullptr) &&
           accounting.ActiveProcesses > 0 && std::chrono::steady_clock::now() < deadline) {
        Sleep(50);
    }
    EXPECT_EQ(accounting.ActiveProcesses, 0u) << narrow(commandLine) << " left processes running";
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(job);
    return status;
}

void install(const std::wstring& setup, const std::wstring& folder = L"", As as = As::Player) {
    // NSIS takes the folder as the last argument, unquoted.
    std::wstring command = L"\"" + setup + L"\" /S";
    if (!folder.empty()) {
        command += L" /D=" + folder;
    }
    ASSERT_EQ(runAndWait(command, as), 0u) << narrow(command);
}

// Uninstalls the game for the player, or if it is not installed for the player, for everyone.
void uninstall() {
    std::optional<std::wstring> command =
        readText(HKEY_CURRENT_USER, kGameKey, L"QuietUninstallString");
    As as = As::Player;
    if (!command.has_value()) {
        command = readText(HKEY_LOCAL_MACHINE, kGameKey, L"QuietUninstallString");
        as = As::Administrator;
    }
    ASSERT_TRUE(command.has_value()) << "no QuietUninstallString";
    ASSERT_EQ(runAndWait(*command, as), 0u) << narrow(*command);
}

// The numeric file version of a program, "1.2.3".
std::wstring fileVersion(const std::wstring& program) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    std::vector<BYTE> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoW(program.c_str(), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
        return L"(no version block)";
    }
    return std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
           std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
           std::to_wstring(HIWORD(fixed->dwFileVersionLS)) +
           (LOWORD(fixed->dwFileVersionLS) == 0 ? L"" : L".?");
}

// Where a shortcut leads, and the file and index of its icon.
struct Shortcut {
    std::wstring target;
    std::wstring icon;
    int iconIndex = -1;
};

std::optional<Shortcut> readShortcut(const std::wstring& path) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return std::nullopt;
    }
    std::optional<Shortcut> shortcut;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
            wchar_t target[MAX_PATH] = {};
            wchar_t icon[MAX_PATH] = {};
            Shortcut read;
            if (SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) &&
                SUCCEEDED(link->GetIconLocation(icon, MAX_PATH, &read.iconIndex))) {
                read.target = target;
                read.icon = icon;
                shortcut = read;
            }
        }
        file->Release();
    }
    link->Release();
    return shortcut;
}

// A visible top-level window of `process`: its main window, or one it `owned` (a message box).
struct WindowSearch {
    DWORD process = 0;
    bool owned = false;
    HWND window = nullptr;
};

BOOL CALLBACK findProcessWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && IsWindowVisible(window) &&
        (GetWindow(window, GW_OWNER) != nullptr) == search->owned) {
        search->window = window;
        return FALSE;
    }
    return TRUE;
}

// The display's current width and height.
std::pair<DWORD, DWORD> displaySize() {
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return {mode.dmPelsWidth, mode.dmPelsHeight};
}

// The installed game, started as its shortcut would start it.
struct RunningGame {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
};

// Starts `program` and waits for its main window.
RunningGame startGame(const std::wstring& program) {
    RunningGame game;
    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &game.process)) {
        ADD_FAILURE() << "could not start " << narrow(program) << ": " << GetLastError();
        return game;
    }
    WindowSearch search{.process = game.process.dwProcessId};
    for (int tries = 0; tries < 300 && search.window == nullptr; ++tries) {
        if (WaitForSingleObject(game.process.hProcess, 100) == WAIT_OBJECT_0) {
            break;
        }
        EnumWindows(findProcessWindow, reinterpret_cast<LPARAM>(&search));
    }
    EXPECT_NE(search.window, nullptr) << "the installed game showed no window";
    game.window = search.window;
    return game;
}

// Closes the game with its close message, as the window's close box does, and waits for it to
// end with status 0.
void closeGame(RunningGame& game) {
    if (game.process.hProcess == nullptr) {
        return;
    }
    if (game.window != nullptr) {
        PostMessageW(game.window, WM_CLOSE, 0, 0);
    }
    const bool ended = WaitForSingleObject(game.process.hProcess, 30000) == WAIT_OBJECT_0;
    EXPECT_TRUE(ended) << "the game did not end on its close message";
    if (!ended) {
        TerminateProcess(game.process.hProcess, 1);
        WaitForSingleObject(game.process.hProcess, 10000);
    }
    DWORD status = 0;
    GetExitCodeProcess(game.process.hProcess, &status);
    EXPECT_EQ(status, 0u);
    CloseHandle(game.process.hThread);
    CloseHandle(game.process.hProcess);
    game = {};
}

// Starts the installed game, checks its window and the display it switched to, and closes it.
// The game switches the display to 1024 x 768 while it runs and puts it back when it closes.
void playAndClose(const std::wstring& program) {
    const std::pair<DWORD, DWORD> before = displaySize();
    RunningGame game = startGame(program);
    if (game.window != nullptr) {
        wchar_t caption[64] = {};
        GetWindowTextW(game.window, caption, 64);
        EXPECT_EQ(narrow(caption), "Zentrix");
        EXPECT_EQ(displaySize(), (std::pair<DWORD, DWORD>{1024, 768}));
    }
    closeGame(game);
    EXPECT_EQ(displaySize(), before) << "the display was not put back";
}

// Everything one install of `version` in `location` should have left, and nothing more: for the
// player (the entry under HKEY_CURRENT_USER), or for everyone.
void expectInstalled(const std::wstring& location, const std::wstring& version,
                     HKEY root = HKEY_CURRENT_USER) {
    SCOPED_TRACE("installed in " + narrow(location));
    EXPECT_EQ(folderContents(location),
              (std::vector<std::wstring>{L"LICENSE.txt", L"README.txt", L"uninstall.exe",
                                         L"zentrix.exe"}));
    const std::wstring program = location + L"\\zentrix.exe";
    EXPECT_EQ(fileVersion(program), version);

    // One shortcut, in the Start menu of whoever it is installed for, to the game with its icon.
    const bool forEveryone = root == HKEY_LOCAL_MACHINE;
    EXPECT_FALSE(exists(knownFolder(forEveryone ? CSIDL_PROGRAMS : CSIDL_COMMON_PROGRAMS) +
                        L"\\Zentrix.lnk"));
    const std::wstring link =
        knownFolder(forEveryone ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS) + L"\\Zentrix.lnk";
    const std::optional<Shortcut> shortcut = readShortcut(link);
    ASSERT_TRUE(shortcut.has_value()) << "no shortcut " << narrow(link);
    EXPECT_EQ(lower(shortcut->target), lower(program));
    EXPECT_EQ(lower(shortcut->icon), lower(program));
    EXPECT_EQ(shortcut->iconIndex, 0);

    // The uninstall entry.
    EXPECT_EQ(gameEntries(root), 1);
    EXPECT_EQ(gameEntries(forEveryone ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE), 0);
    EXPECT_EQ(readText(root, kGameKey, L"DisplayName"), L"Zentrix");
    EXPECT_EQ(readText(root, kGameKey, L"DisplayVersion"), version);
    EXPECT_EQ(readText(root, kGameKey, L"Publisher"), L"The Zentrix developers");
    EXPECT_EQ(readText(root, kGameKey, L"DisplayIcon"), program + L",0");
    EXPECT_EQ(readText(root, kGameKey, L"InstallLocation"), location);
    EXPECT_EQ(readText(root, kGameKey, L"UninstallString"),
              L"\"" + location + L"\\uninstall.exe\"");
    EXPECT_EQ(readNumber(root, kGameKey, L"NoModify"), 1u);
    EXPECT_EQ(readNumber(root, kGameKey, L"NoRepair"), 1u);
    double bytes = 0;
    for (const std::wstring& name : folderContents(location)) {
        bytes += static_cast<double>(readFile(location + L"\\" + name).size());
    }
    const std::optional<DWORD> estimated = readNumber(root, kGameKey, L"EstimatedSize");
    ASSERT_TRUE(estimated.has_value());
    EXPECT_NEAR(static_cast<double>(*estimated), bytes / 1024, 1.0) << "kilobytes";
}

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        clean_ = gameTraces();
        ASSERT_EQ(gameEntries(HKEY_LOCAL_MACHINE) + gameEntries(HKEY_CURRENT_USER), 0)
            << "the game is installed before the test";
        ASSERT_FALSE(exists(defaultLocation()));
        ASSERT_FALSE(exists(everyonesLocation()));
    }
    // Uninstalling gives back the machine as it was before the test, as far as the game goes.
    void expectUninstalledCleanly() {
        const Traces left = gameTraces();
        EXPECT_EQ(left.files, clean_.files) << "files:" << describe(left.files);
        EXPECT_EQ(left.keys, clean_.keys) << "registry:" << describe(left.keys);
        EXPECT_EQ(gameEntries(HKEY_LOCAL_MACHINE) + gameEntries(HKEY_CURRENT_USER), 0);
    }

private:
    Traces clean_;
};

TEST_F(Installer, InstallsPlaysAndUninstallsSilentlyLikeTheZip) {
    install(packages.setup);
    expectInstalled(defaultLocation(), packages.version);

    // The zip holds the same game and documents, without the uninstaller.
    EXPECT_EQ(folderContents(packages.unpackedZip),
              (std::vector<std::wstring>{L"LICENSE.txt", L"README.txt", L"zentrix.exe"}));
    for (const wchar_t* name : {L"zentrix.exe", L"README.txt", L"LICENSE.txt"}) {
        const std::string installed = readFile(defaultLocation() + L"\\" + name);
        EXPECT_FALSE(installed.empty()) << narrow(name);
        EXPECT_TRUE(installed == readFile(packages.unpackedZip + L"\\" + name))
            << narrow(name) << " differs between the zip and the installed game";
    }
    const std::string readme = readFile(packages.unpackedZip + L"\\README.txt");
    EXPECT_NE(readme.find("1024 x 768"), std::string::npos);
    EXPECT_NE(readme.find("Version " + narrow(packages.version) + "\r\n"), std::string::npos);
    EXPECT_NE(readFile(packages.unpackedZip + L"\\LICENSE.txt").find("MIT License\r\n"),
              std::string::npos);

    playAndClose(defaultLocation() + L"\\zentrix.exe");
    // The game wrote nothing next to itself.
    EXPECT_EQ(folderContents(defaultLocation()).size(), 4u);

    uninstall();
    EXPECT_FALSE(exists(defaultLocation()));
    expectUninstalledCleanly();
}

TEST_F(Installer, InstallsAgainAndUpgradesInPlaceWithOneEntry) {
    // A player's own games folder, which the installer did not make and must leave alone.
    const std::wstring games = L"C:\\My Games";
    CreateDirectoryW(games.c_str(), nullptr);
    const std::wstring chosen = games + L"\\Zentrix";
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(games.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(lower(shortName), lower(games));

    // A Zentrix folder that the installer did not make is refused, and left as it was.
    ASSERT_TRUE(CreateDirectoryW(chosen.c_str(), nullptr));
    EXPECT_EQ(runAndWait(L"\"" + packages.setup + L"\" /S /D=" + games), 2u);
    EXPECT_EQ(folderContents(chosen), std::vector<std::wstring>{});
    ASSERT_TRUE(RemoveDirectoryW(chosen.c_str()));

    // Given by its short name, the folder is recorded by its long one.
    install(packages.setup, std::wstring(shortName) + L"\\Zentrix");
    expectInstalled(chosen, packages.version);

    // The same version again, with no folder given: it goes where the first one is.
    install(packages.setup);
    expectInstalled(chosen, packages.version);
    EXPECT_FALSE(exists(defaultLocation()));

    // The newer version over it, in place.
    install(packages.newerSetup);
    expectInstalled(chosen, packages.newerVersion);

    // The newer version again, to another folder: the copy in the first folder goes.
    install(packages.newerSetup, defaultLocation());
    expectInstalled(defaultLocation(), packages.newerVersion);
    EXPECT_FALSE(exists(chosen));
    EXPECT_TRUE(exists(games));

    uninstall();
    EXPECT_FALSE(exists(defaultLocation()));
    EXPECT_EQ(folderContents(games), std::vector<std::wstring>{});
    RemoveDirectoryW(games.c_str());
    expectUninstalledCleanly();
}

struct ControlSearch {
    int id = 0;
    HWND control = nullptr;
};

BOOL CALLBACK findControlWithId(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (GetDlgCtrlID(child) == search->id) {
        search->control = child;
        return FALSE;
    }
    return TRUE;
}

// The control `id` in the window `top` or any window within it.
HWND findControl(HWND top, int id) {
    ControlSearch search{.id = id};
    EnumChildWindows(top, findControlWithId, reinterpret_cast<LPARAM>(&search));
    return search.control;
}

// The controls of NSIS's pages: "Only for me" on the first, the licence text, the folder box
// and the Next button, which is Install or Uninstall on the last page before the work and Close
// at the end.
constexpr int kOnlyForMe = 1200;
constexpr int kLicenceText = 1000;
constexpr int kFolderBox = 1019;
constexpr int kNextButton = IDOK;

// The button to press in a message box, given its text.
using Answer = std::function<int(const std::string& text)>;

// Runs `command` as `as` with its pages, as a player would: on each page in turn, once it shows
// the control in `pages`, `typed` put into the folder box if it has one, and Next; then Close
// when it has finished. Every message box on the way is noted in `told` (its icon is not read)
// and answered as `answer` says, by default Yes. Returns the exit status.
using InstallerBoxes = zentrix::testing::BoxRecorder<std::monostate>;
DWORD walkThePages(
    const std::wstring& command, As as, const std::vector<int>& pages, const std::wstring& typed,
    InstallerBoxes& told, const Answer& answer = [](const std::string&) { return IDYES; }) {
    PROCESS_INFORMATION process = {};
    if (!startProcess(command, as, 0, process)) {
        ADD_FAILURE() << "could not start " << narrow(command) << ": " << GetLastError();
        return ~DWORD{0};
    }
    HWND window = nullptr;
    // The button that ends the run once it has finished: Close, or Cancel when it gave up.
    int last = kNextButton;
    // Waits up to 60 s for the installer's window to hold the control `id` with Next enabled,
    // and if `finished`, to have finished: Next shows Close and Cancel is disabled for good, or
    // on the progress page, having given up, Next is disabled and Cancel enabled.
    const auto waitForPage = [&](int id, bool finished) {
        for (int tries = 0; tries < 600; ++tries) {
            WindowSearch box{.process = process.dwProcessId, .owned = true};
            EnumWindows(findProcessWindow, reinterpret_cast<LPARAM>(&box));
            if (box.window != nullptr) {
                wchar_t text[1024] = {};
                GetDlgItemTextW(box.window, 0xFFFF, text, 1024);  // A message box's text.
                wchar_t title[256] = {};
                GetWindowTextW(box.window, title, 256);
                told.record(narrow(text), narrow(title), {});
                SendMessageTimeoutW(box.window, WM_COMMAND, answer(narrow(text)), 0, 0, 10000,
                                    nullptr);
            }
            WindowSearch search{.process = process.dwProcessId};
            EnumWindows(findProcessWindow, reinterpret_cast<LPARAM>(&search));
            window = search.window;
            const HWND next = window != nullptr ? GetDlgItem(window, kNextButton) : nullptr;
            const HWND cancel = window != nullptr ? GetDlgItem(window, IDCANCEL) : nullptr;
            wchar_t text[64] = {};
            if (next != nullptr) {
                GetWindowTextW(next, text, 64);
            }
            if (next != nullptr && IsWindowEnabled(next) && findControl(window, id) != nullptr &&
                (!finished ||
                 (contains(text, L"Close") && cancel != nullptr && !IsWindowEnabled(cancel)))) {
                return true;
            }
            constexpr int kProgressBar = 1004;
            if (finished && next != nullptr && !IsWindowEnabled(next) && cancel != nullptr &&
                IsWindowEnabled(cancel) && findControl(window, kProgressBar) != nullptr) {
                last = IDCANCEL;
                return true;
            }
            if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) {
                return false;
            }
        }
        return false;
    };
    const auto next = [&] {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(last, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, last)));
    };
    bool walked = true;
    for (const int page : pages) {
        walked = walked && waitForPage(page, false);
        if (walked) {
            if (const HWND box = findControl(window, kFolderBox); box != nullptr) {
                SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()),
                                    SMTO_ABORTIFHUNG, 10000, nullptr);
            }
            next();
        }
    }
    walked = walked && waitForPage(kNextButton, true);
    if (walked) {
        next();
    }
    EXPECT_TRUE(walked) << "the installer's pages did not come as expected";
    const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    EXPECT_TRUE(ended) << "the installer did not end";
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
    }
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

// Files standing for another program's, by name and contents.
using Files = std::map<std::wstring, std::string>;

void writeFiles(const std::wstring& folder, const Files& files) {
    for (const auto& [name, contents] : files) {
        std::ofstream((folder + L"\\" + name).c_str(), std::ios::binary) << contents;
    }
}

// `folder` holds `files` untouched, and besides them only `also`.
void expectFiles(const std::wstring& folder, const Files& files,
                 std::vector<std::wstring> also = {}) {
    SCOPED_TRACE("in " + narrow(folder));
    for (const auto& [name, contents] : files) {
        also.push_back(name);
        EXPECT_TRUE(readFile(folder + L"\\" + name) == contents) << narrow(name) << " was changed";
    }
    std::sort(also.begin(), also.end());
    EXPECT_EQ(folderContents(folder), also);
}

// What installers before the game had a folder of its own left when given `folder`, the only
// way they installed: the game's program among that folder's files, and the entry for everyone
// (its texts; its numbers do not matter here).
void writeEarlierInstall(const std::wstring& folder) {
    ASSERT_TRUE(CopyFileW((packages.unpackedZip + L"\\zentrix.exe").c_str(),
                          (folder + L"\\zentrix.exe").c_str(), FALSE));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const std::wstring uninstaller = L"\"" + folder + L"\\uninstall.exe\"";
    for (const auto& [name, text] :
         std::map<std::wstring, std::wstring>{{L"DisplayName", L"Zentrix"},
                                              {L"DisplayVersion", packages.version},
                                              {L"Publisher", L"The Zentrix developers"},
                                              {L"DisplayIcon", folder + L"\\zentrix.exe,0"},
                                              {L"InstallLocation", folder},
                                              {L"UninstallString", uninstaller},
                                              {L"QuietUninstallString", uninstaller + L" /S"}}) {
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
}

TEST_F(Installer, KeepsToAFolderOfItsOwnBesideAnotherProgramsFiles) {
    // Another program's folder, typed in as the game's: its README, licence and uninstaller
    // have the names of the game's.
    const std::wstring tools = L"C:\\Tools";
    ASSERT_TRUE(CreateDirectoryW(tools.c_str(), nullptr));
    const Files theirs = {{L"LICENSE.txt", "The tools' licence\r\n"},
                          {L"README.txt", "Read me: the tools\r\n"},
                          {L"uninstall.exe", "The tools' uninstaller"}};
    writeFiles(tools, theirs);
    const std::wstring own = tools + L"\\Zentrix";

    // The game there as an earlier installer left it, for everyone: the upgrade goes for everyone
    // too, to Program Files\Zentrix, and removes nothing outside that folder, however the folder
    // is written; nor from another in Program Files, which a program may let every user change.
    const std::wstring installedTools = programFiles() + L"\\Tools";
    ASSERT_TRUE(CreateDirectoryW(installedTools.c_str(), nullptr));
    writeFiles(installedTools, theirs);
    for (const auto& [folder, recorded] : std::vector<std::pair<std::wstring, std::wstring>>{
             {tools, tools},
             {tools, programFiles() + L"\\..\\Tools"},
             {installedTools, installedTools}}) {
        SCOPED_TRACE("recorded as " + narrow(recorded));
        writeEarlierInstall(recorded);
        install(packages.setup, L"", As::Administrator);
        expectInstalled(everyonesLocation(), packages.version, HKEY_LOCAL_MACHINE);
        expectFiles(folder, theirs, {L"zentrix.exe"});
        uninstall();
    }
    std::filesystem::remove_all(installedTools);
    ASSERT_TRUE(DeleteFileW((tools + L"\\zentrix.exe").c_str()));
    // For everyone, no folder but that in Program Files.
    EXPECT_EQ(
        runAndWait(L"\"" + packages.setup + L"\" /S /ALLUSERS /D=" + tools, As::Administrator), 2u);
    expectFiles(tools, theirs);

    install(packages.setup, tools);
    expectInstalled(own, packages.version);
    expectFiles(tools, theirs, {L"Zentrix\\"});
    playAndClose(own + L"\\zentrix.exe");

    // The newer version over it, with the tools' folder typed in on the installer's page, and
    // again silently to the same folder with a backslash on the end: both in place. The page
    // warns that other users may change it.
    InstallerBoxes told;
    EXPECT_EQ(walkThePages(L"\"" + packages.newerSetup + L"\"", As::Player,
                           {kOnlyForMe, kLicenceText, kFolderBox}, tools, told),
              0u);
    const std::string warning = "Other users of this computer may be able to change " + narrow(own);
    EXPECT_TRUE(
        std::any_of(told.seen.begin(), told.seen.end(),
                    [&](const auto& box) { return box.text.find(warning) != std::string::npos; }))
        << "no box warned: \"" << warning << "\"";
    expectInstalled(own, packages.newerVersion);
    install(packages.newerSetup, tools + L"\\");
    expectInstalled(own, packages.newerVersion);
    expectFiles(tools, theirs, {L"Zentrix\\"});

    uninstall();
    expectFiles(tools, theirs);
    for (const auto& [name, contents] : theirs) {
        DeleteFileW((tools + L"\\" + name).c_str());
    }
    RemoveDirectoryW(tools.c_str());
    expectUninstalledCleanly();
}

// Where an uninstall.exe planted in the game's folder leaves its mark when it runs (this very
// program, copied there, does that: see main).
const std::wstring kPlantedMark = L"C:\\planted-uninstaller-ran.txt";

TEST_F(Installer, UpgradesWithoutRunningTheUninstallerInTheGamesFolder) {
    // A folder ordinary users may write to, where one of them swaps the uninstaller for a
    // program of their own, to have it run as administrator.
    const std::wstring games = L"C:\\Games";
    CreateDirectoryW(games.c_str(), nullptr);
    const std::wstring chosen = games + L"\\Zentrix";
    const std::wstring planted = chosen + L"\\uninstall.exe";
    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    DeleteFileW(kPlantedMark.c_str());

    install(packages.setup, chosen);
    ASSERT_TRUE(CopyFileW(self, planted.c_str(), FALSE));
    // The newer version in place writes its own uninstaller over the planted one.
    install(packages.newerSetup);
    expectInstalled(chosen, packages.newerVersion);
    EXPECT_FALSE(readFile(planted) == readFile(self)) << "the planted uninstaller is still there";

    // And moving to another folder removes the old folder's files without running any of them.
    ASSERT_TRUE(CopyFileW(self, planted.c_str(), FALSE));
    install(packages.newerSetup, defaultLocation());
    expectInstalled(defaultLocation(), packages.newerVersion);
    EXPECT_FALSE(exists(chosen));

    EXPECT_FALSE(exists(kPlantedMark))
        << "an upgrade ran the uninstaller planted in the folder: " << readFile(kPlantedMark);
    DeleteFileW(kPlantedMark.c_str());
    uninstall();
    RemoveDirectoryW(games.c_str());
    expectUninstalledCleanly();
}

TEST_F(Installer, LeavesARunningGameAlone) {
    install(packages.setup);
    const std::wstring program = defaultLocation() + L"\\zentrix.exe";
    const std::string installed = readFile(program);
    // (Nothing from here to closeGame may end the test early and leave the game running.)
    RunningGame game = startGame(program);

    // Silently there is nobody to ask to close the game: the installer ends with an error, and
    // so does the upgrade to another folder, having changed nothing.
    EXPECT_NE(runAndWait(L"\"" + packages.newerSetup + L"\" /S"), 0u);
    EXPECT_NE(runAndWait(L"\"" + packages.newerSetup + L"\" /S /D=C:\\Games"), 0u);
    expectInstalled(defaultLocation(), packages.version);
    EXPECT_TRUE(readFile(program) == installed) << "the running game's program was replaced";
    EXPECT_FALSE(exists(L"C:\\Games\\Zentrix"));
    // Nor does the uninstaller remove anything.
    const std::optional<std::wstring> quietUninstall =
        readText(HKEY_CURRENT_USER, kGameKey, L"QuietUninstallString");
    EXPECT_TRUE(quietUninstall.has_value());
    if (quietUninstall.has_value()) {
        runAndWait(*quietUninstall);
    }
    expectInstalled(defaultLocation(), packages.version);

    // Once the game is closed, the upgrade goes ahead, whatever other program has a window of
    // the game's class.
    closeGame(game);
    WNDCLASSW lookalike = {};
    lookalike.lpfnWndProc = DefWindowProcW;
    lookalike.lpszClassName = L"ZentrixForm1";
    RegisterClassW(&lookalike);
    const HWND window = CreateWindowW(L"ZentrixForm1", L"Zentrix", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                      100, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(window, nullptr);
    install(packages.newerSetup);
    DestroyWindow(window);
    expectInstalled(defaultLocation(), packages.newerVersion);
    uninstall();
    EXPECT_FALSE(exists(defaultLocation()));
    expectUninstalledCleanly();
}

TEST_F(Installer, UninstallsOnlyWhatAnInstallRecorded) {
    // The game for the player, and for everyone by an administrator.
    install(packages.setup);
    ASSERT_EQ(runAndWait(L"\"" + packages.setup + L"\" /S /ALLUSERS", As::Administrator), 0u);
    const auto expectBoth = [] {
        EXPECT_EQ(folderContents(defaultLocation()).size(), 4u);
        EXPECT_EQ(folderContents(everyonesLocation()).size(), 4u);
        EXPECT_EQ(gameEntries(HKEY_CURRENT_USER) + gameEntries(HKEY_LOCAL_MACHINE), 2);
    };
    expectBoth();

    // Everyone's uninstaller, by a short name: for the player it ends with 740, removing
    // nothing; for an administrator it removes the game for everyone, and nothing of the player's.
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(everyonesLocation().c_str(), shortName, MAX_PATH), 0u);
    const std::wstring everyones = L"\"" + std::wstring(shortName) + L"\\uninstall.exe\" /S";
    EXPECT_EQ(runAndWait(everyones + L" _?=" + shortName), 740u);
    expectBoth();
    EXPECT_EQ(runAndWait(everyones, As::Administrator), 0u);
    EXPECT_FALSE(exists(everyonesLocation()));
    expectInstalled(defaultLocation(), packages.version);

    // As administrator for the player, the installer neither takes the folder the player's own
    // settings name nor removes it.
    const std::wstring copied = L"C:\\Copied";
    const std::wstring moved = copied + L"\\Zentrix";
    install(packages.newerSetup, copied, As::Administrator);
    expectInstalled(moved, packages.newerVersion);
    // The player's uninstaller there, where no entry names it now, removes nothing and says so.
    EXPECT_EQ(
        runAndWait(L"\"" + defaultLocation() + L"\\uninstall.exe\" /S _?=" + defaultLocation()),
        2u);
    EXPECT_EQ(folderContents(defaultLocation()).size(), 4u);
    // Nor is the game installed through a link (in Wine's prefix, the Desktop is one).
    const std::wstring desktop = knownFolder(CSIDL_DESKTOPDIRECTORY);
    EXPECT_NE(GetFileAttributesW(desktop.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    EXPECT_EQ(runAndWait(L"\"" + packages.setup + L"\" /S /D=" + desktop), 2u);

    // A file that cannot be removed ends the uninstaller with an error, keeping the entry.
    const HANDLE held = CreateFileW((moved + L"\\README.txt").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(runAndWait(L"\"" + moved + L"\\uninstall.exe\" /S _?=" + moved), 2u);
    CloseHandle(held);
    EXPECT_EQ(readText(HKEY_CURRENT_USER, kGameKey, L"InstallLocation"), moved);
    uninstall();
    std::filesystem::remove_all(defaultLocation());
    EXPECT_TRUE(RemoveDirectoryW(copied.c_str()));

    // A player whose programs all run with an administrator's rights (Wine, or no admin prompts)
    // still removes the game from their own profile.
    install(packages.setup, L"", As::Administrator);
    expectInstalled(defaultLocation(), packages.version);
    const auto own = readText(HKEY_CURRENT_USER, kGameKey, L"QuietUninstallString");
    ASSERT_TRUE(own.has_value());
    EXPECT_EQ(runAndWait(*own, As::Administrator), 0u);
    EXPECT_FALSE(exists(defaultLocation()));
    expectUninstalledCleanly();
}

// Runs a Unix command (Wine starts one as it starts a Windows program, but gives no handle to
// wait on) and waits until `done` says it has had its effect.
void runUnix(const std::string& command, const std::function<bool()>& done) {
    std::wstring line = widen(command.c_str());
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process))
        << command;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        Sleep(10);
    }
    EXPECT_TRUE(done()) << command << " had no effect";
}

std::string unixPath(const std::wstring& path) {
    using ToUnix = char*(CDECL*)(const wchar_t*);
    // Wine's own, outside the Windows API, and of a type GetProcAddress does not know.
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* unix = toUnix != nullptr ? toUnix(path.c_str()) : nullptr;
    const std::string result = unix != nullptr ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

// Puts a link to `target` at `link`, as a program of the player's would put a junction there.
// Wine makes no junctions, but shows a Unix symbolic link to Windows programs as a reparse point
// that leads on, as it does the Desktop's.
void makeLink(const std::wstring& link, const std::wstring& target) {
    runUnix("/bin/ln -s " + unixPath(target) + " " + unixPath(link), [&] {
        return (GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
               exists(link);
    });
}

void removeLink(const std::wstring& link) {
    runUnix("/bin/rm " + unixPath(link), [&] { return !exists(link); });
}

TEST_F(Installer, AsAdministratorChangesNothingWhereALinkLeads) {
    // A folder of an administrator's, with files of the names of the game's.
    const std::wstring theirs = L"C:\\Administrators";
    ASSERT_TRUE(CreateDirectoryW(theirs.c_str(), nullptr));
    const Files files = {{L"LICENSE.txt", "Their licence\r\n"},
                         {L"README.txt", "Their read me\r\n"},
                         {L"uninstall.exe", "Their uninstaller"},
                         {L"zentrix.exe", "Their program"}};
    writeFiles(theirs, files);

    // A program of the player's holds the game in the player's own folder open, so that the
    // installer or uninstaller asks for it to be closed, and while that box waits, moves the
    // folder away and puts a link to the administrator's folder in its place.
    const std::wstring own = defaultLocation();
    const std::wstring moved = own + L"-moved";
    HANDLE game = INVALID_HANDLE_VALUE;
    const auto holdTheGame = [&] {
        std::filesystem::create_directories(own);
        if (!exists(own + L"\\zentrix.exe")) {
            writeFiles(own, {{L"zentrix.exe", "The game"}});
        }
        game = CreateFileW((own + L"\\zentrix.exe").c_str(), GENERIC_READ, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(game, INVALID_HANDLE_VALUE);
    };
    const Answer swap = [&](const std::string& text) {
        if (text.starts_with("Your own settings name")) {
            // Only now, after an install for the player has found no folder there, the game.
            holdTheGame();
        } else if (text.starts_with("Zentrix is running") && game != INVALID_HANDLE_VALUE) {
            CloseHandle(game);
            game = INVALID_HANDLE_VALUE;
            EXPECT_TRUE(MoveFileW(own.c_str(), moved.c_str()));
            makeLink(own, theirs);
            return IDRETRY;
        }
        return IDYES;
    };
    wchar_t temporary[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temporary), 0u);
    const std::wstring uninstaller = std::wstring(temporary) + L"zentrix-uninstall.exe";

    struct Case {
        const char* what;
        std::function<void()> prepare;
        std::wstring command;
        std::vector<int> pages;
        DWORD status;
    };
    const std::vector<Case> cases = {
        {"an upgrade for everyone from the player's folder",
         [&] {
             std::filesystem::create_directories(own);
             writeEarlierInstall(own);
             holdTheGame();
         },
         L"\"" + packages.setup + L"\" /ALLUSERS",
         {kLicenceText},
         0},
        {"the player's uninstaller",
         [&] {
             install(packages.setup);
             ASSERT_TRUE(CopyFileW((own + L"\\uninstall.exe").c_str(), uninstaller.c_str(), FALSE));
             holdTheGame();
         },
         L"\"" + uninstaller + L"\" _?=" + own,
         {kNextButton},
         2},
        {"an install for the player",
         [&] {
             HKEY key = nullptr;
             ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kGameKey, 0, nullptr, 0, KEY_WRITE,
                                       nullptr, &key, nullptr),
                       ERROR_SUCCESS);
             const std::wstring elsewhere = L"C:\\Elsewhere\\Zentrix";
             RegSetValueExW(key, L"InstallLocation", 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(elsewhere.c_str()),
                            static_cast<DWORD>((elsewhere.size() + 1) * sizeof(wchar_t)));
             RegCloseKey(key);
         },
         L"\"" + packages.setup + L"\"",
         {kOnlyForMe, kLicenceText, kFolderBox},
         2},
    };
    for (const Case& scenario : cases) {
        SCOPED_TRACE(scenario.what);
        scenario.prepare();
        InstallerBoxes told;
        const DWORD status =
            walkThePages(scenario.command, As::Administrator, scenario.pages, own, told, swap);
        std::string boxes;
        for (const std::string& text : told.texts()) {
            boxes += "\n  " + text;
        }
        EXPECT_EQ(status, scenario.status) << "boxes:" << boxes;
        EXPECT_NE(boxes.find("Zentrix is running"), std::string::npos)
            << "the game held open did not hold the run up; boxes:" << boxes;
        expectFiles(theirs, files);

        // The player's folder back as it was, and the game uninstalled.
        if (game != INVALID_HANDLE_VALUE) {
            CloseHandle(game);
            game = INVALID_HANDLE_VALUE;
        }
        if (exists(moved)) {
            removeLink(own);
            ASSERT_TRUE(MoveFileW(moved.c_str(), own.c_str()));
        }
        if (gameEntries(HKEY_LOCAL_MACHINE) + gameEntries(HKEY_CURRENT_USER) > 0) {
            uninstall();
        }
        RegDeleteKeyW(HKEY_CURRENT_USER, kGameKey);
        std::filesystem::remove_all(own);
    }
    for (const auto& [name, contents] : files) {
        DeleteFileW((theirs + L"\\" + name).c_str());
    }
    RemoveDirectoryW(theirs.c_str());
    DeleteFileW(uninstaller.c_str());
    expectUninstalledCleanly();
}

}  // namespace

int main(int argc, char** argv) {
    // Copied into the game's folder as its uninstaller, this program only leaves its mark.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (lower(self).ends_with(L"\\uninstall.exe")) {
        std::ofstream(kPlantedMark.c_str()) << narrow(GetCommandLineW()) << "\n";
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 6) {
        std::fprintf(stderr,
                     "usage: zentrix_installer_tests SETUP NEWER_SETUP UNPACKED_ZIP VERSION "
                     "NEWER_VERSION\n");
        return 2;
    }
    packages = {.setup = windowsPath(argv[1]),
                .newerSetup = windowsPath(argv[2]),
                .unpackedZip = windowsPath(argv[3]),
                .version = widen(argv[4]),
                .newerVersion = widen(argv[5])};
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
