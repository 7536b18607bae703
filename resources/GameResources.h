// The data built into the program: the game's sounds as "WAVE" resources and the
// level editor's dialog template.
#pragma once

// Registers every built-in resource with the platform, so FindResourceA finds the sounds
// by name ("GAME_PLACE", "MENU_BACKGROUND", ...). Call once at start; calling again
// registers the same data again, which is harmless.
void RegisterGameResources();
