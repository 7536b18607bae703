#include "GameResources.h"
#include "GameSoundTable.h"
#include "EditorDialogResource.h"

#include <windows.h>

void RegisterGameResources()
{
    for (int i = 0; i < g_gameSoundCount; i++) {
        const GameSound& s = g_gameSounds[i];
        RegisterResourceA(s.name, "WAVE", s.data, (DWORD)s.size);
    }
    RegisterEditorDialog();
}
