#include "ui/win32/system_library.h"

#include <string>

namespace zentrix::win32 {

namespace {

// SetDefaultDllDirectories, and with it LOAD_LIBRARY_SEARCH_SYSTEM32, came with the loader
// update of 2011; a Windows without it has neither.
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

SetDefaultDllDirectoriesFunction setDefaultDllDirectories() {
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    if (kernel32 == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
}

}  // namespace

void searchSystemFolderOnly() {
    if (const SetDefaultDllDirectoriesFunction set = setDefaultDllDirectories()) {
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

HMODULE loadSystemLibrary(const wchar_t* name) {
    if (setDefaultDllDirectories() != nullptr) {
        if (const HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
            return module;
        }
        if (GetLastError() != ERROR_INVALID_PARAMETER) {
            return nullptr;
        }
    }
    // Without the flag: the DLL by its full path in the system folder, and the DLLs it needs
    // looked for beside it first.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    std::wstring path(folder, length);
    path += L'\\';
    path += name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace zentrix::win32
