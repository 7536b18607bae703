// The program's entry: makes the application object and runs the frame loop.
#include <windows.h>

#include "CMediaLock.h"
#include "CZarulApplication.h"
#include "GameResources.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)previous;
    (void)commandLine;
    (void)show;
    // A second copy on the same media folder would write its stale levels and
    // results over those the first one saves: it says so and ends untouched.
    if (!CMediaLock::Take("media")) {
        MessageBoxA(nullptr,
                    "Zarul l\xe4uft schon mit diesem Ordner (media).\n"
                    "Ein zweites Spiel w\xfcrde die gespeicherten Ergebnisse des ersten \xfc"
                    "berschreiben "
                    "und wird nicht gestartet.",
                    "Zarul", MB_OK | MB_ICONWARNING);
        return 1;
    }
    // The sounds and the editor's dialog template, found by name from now on.
    RegisterGameResources();
    // Lives for the whole run, reached through the global pointer.
    CZarulApplication* app = new CZarulApplication();
    g_pZarulApp = app;
    g_hZarulInstance = instance;
    // No window or device: the program could not start, and says so.
    if (FAILED(app->Create(instance)))
        return 1;
    // The loop ends when the player quits (the quit question posts 1) or closes
    // the window (0): both are a normal end.
    app->Run();
    return 0;
}
