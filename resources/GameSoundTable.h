// The table of sounds that the generator writes into GameSounds.cpp at build time.
#pragma once

struct GameSound {
    const char* name;              // resource name, e.g. "GAME_PLACE"
    const unsigned char* data;     // a complete RIFF WAVE file
    unsigned long size;            // bytes of data
};

extern const GameSound g_gameSounds[];
extern const int g_gameSoundCount;
