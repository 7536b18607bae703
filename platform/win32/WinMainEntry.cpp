// The C entry point: records the arguments for GetCommandLineA and calls the
// program's WinMain with the arguments after the program's name.
#include "Win32Internal.h"

int main(int argc, char** argv)
{
    Win32SetCommandLine(argc, argv);
    int result = WinMain(GetModuleHandleA(nullptr), nullptr, Win32GetArgumentLine(), SW_SHOWNORMAL);
    if (SDL_WasInit(0))
        SDL_Quit();
    return result;
}
