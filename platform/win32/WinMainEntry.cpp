// The C entry point: records the arguments for GetCommandLineA and calls the
// program's WinMain with the arguments after the program's name.
#include "Win32Internal.h"

#include <malloc.h>

int main(int argc, char** argv)
{
    // Large blocks (decoded pictures, texture rectangles, sounds) are mapped
    // and handed back to the system when freed. Left to itself the allocator
    // raises this bound after the first large block is freed and then keeps
    // later ones in its heap, where the freed memory stays resident.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    Win32SetCommandLine(argc, argv);
    int result = WinMain(GetModuleHandleA(NULL), NULL, Win32GetArgumentLine(), SW_SHOWNORMAL);
    if (SDL_WasInit(0))
        SDL_Quit();
    return result;
}
