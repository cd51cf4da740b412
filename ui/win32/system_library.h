// The system's DLLs from the system folder and nowhere else. Windows looks for a DLL named
// without a path in the program's own folder first: a gdiplus.dll left beside zentrix.exe (a
// zip unpacked into Downloads) would run inside the game. Every DLL the program loads itself
// goes through loadSystemLibrary.
#pragma once

#include <windows.h>

namespace zentrix::win32 {

// First thing in the program: every DLL loaded later without a full path, by the program or by
// the system's own DLLs on its behalf, is looked for in the system folder only. Does nothing on
// a Windows without SetDefaultDllDirectories (Windows 7 without its 2011 loader update).
void searchSystemFolderOnly();

// System DLL `name` ("gdiplus.dll") from the system folder, or null when it is not there or
// does not load. A DLL of that name anywhere else is never loaded.
HMODULE loadSystemLibrary(const wchar_t* name);

}  // namespace zentrix::win32
