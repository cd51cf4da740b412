// Zentrix for Windows: clear the heap in sets of eleven.
#include <windows.h>

#include "display/display_rescue.h"
#include "display/windows_display_driver.h"
#include "display/windows_display_rescue.h"
#include "game/random_source.h"
#include "ui/win32/form1.h"
#include "ui/win32/one_game.h"
#include "ui/win32/pictures.h"
#include "ui/win32/system_library.h"
#include "ui/win32/text.h"

namespace {

void tellThePlayer(const std::string& text) {
    MessageBoxW(nullptr, zentrix::win32::widen(text).c_str(), L"Zentrix", MB_OK | MB_ICONHAND);
}

// The program's message loop over `form` and its help windows, their dialog keys first (none
// once a crash on another thread is ending the program). Returns the exit code WM_QUIT carries.
int runMessageLoop(zentrix::win32::Form1& form) {
    MSG message{};
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (!zentrix::display::crashInProgress() && form.translateDialogMessage(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got < 0 ? 1 : static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace zentrix;
    // Before anything loads a DLL: the system's DLLs from the system folder only.
    win32::searchSystemFolderOnly();
    // One game at a time on the desktop: a second start puts the running game in front and ends
    // here, before the display is switched. The lock goes when the program ends, after the
    // display is back.
    const win32::OneGameLock oneGame;
    if (oneGame.heldByAnotherProgram()) {
        tellThePlayer(win32::kLockHeldByAnotherProgram);
        return 1;
    }
    if (!oneGame.held()) {
        return 0;
    }
    // The last game ended without letting go of the lock, perhaps at its own mode: the desktop's
    // mode back before the display session takes the mode in force for the desktop's.
    if (oneGame.abandoned()) {
        display::putRegisteredModeBack();
    }
    // Before the display is switched: whatever ends the program from inside puts it back.
    static display::DisplayRescue rescue;
    display::installDisplayRescue(rescue);

    win32::GdiplusSession gdiplus;
    display::WindowsDisplayDriver driver;
    ClockSeededRandom random;
    try {
        win32::Form1 form({.instance = instance,
                           .random = &random,
                           .display = &driver,
                           .rescue = &rescue,
                           .gdiplus = &gdiplus,
                           .quitWhenClosed = true});
        form.startUp(showCommand);
        const int status = form.hasEnded() ? 0 : runMessageLoop(form);
        form.shutDown();
        if (!form.failure().empty()) {
            tellThePlayer("Zentrix stopped: " + form.failure());
            return 1;
        }
        return status;
    } catch (const win32::StartUpError& error) {
        // The window has gone and the display is as it was.
        tellThePlayer(error.what());
        return 1;
    } catch (const std::exception& error) {
        tellThePlayer(std::string("Zentrix stopped: ") + error.what());
        return 1;
    }
}
