#include "CSoundDev.h"

#include <cstdio>
#include <SDL.h>
#include <SDL_mixer.h>

#include "CResourceManager.h"
#include "CMessageLog.h"

static const int MIX_CHANNELS_WANTED = 16;

CSoundDev::CSoundDev()
    : soundSwitch(1), music(nullptr), musicIndex(-1), open(0), triedOpen(0)
{
}

CSoundDev::~CSoundDev()
{
    StopAll();
    for (size_t i = 0; i < sounds.size(); i++) {
        if (sounds[i].chunk)
            Mix_FreeChunk(sounds[i].chunk);
    }
    if (open) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

// Opens the audio device once. Without one (no driver, no hardware) the device
// stays closed and every sound is silent; that is said once, not per sound.
void CSoundDev::OpenAudio()
{
    if (triedOpen)
        return;
    triedOpen = 1;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        fprintf(stderr, "sound: no audio (%s); playing silently\n", SDL_GetError());
        return;
    }
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        fprintf(stderr, "sound: no audio device (%s); playing silently\n", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Mix_AllocateChannels(MIX_CHANNELS_WANTED);
    open = 1;
}

int CSoundDev::LoadSound(const char* name, HINSTANCE instance)
{
    if (!name)
        name = "";
    for (size_t i = 0; i < sounds.size(); i++) {
        if (sounds[i].name == name)
            return (int)i;
    }

    OpenAudio();

    // Every name gets an index, even one without a resource, so callers can use
    // the index and its state flag freely; such a sound just never plays.
    Sound sound;
    sound.name = name;
    sound.data = nullptr;
    sound.size = 0;
    sound.chunk = nullptr;
    sound.decodeFailed = 0;
    sound.channel = -1;

    // Resources stay in memory for the whole run, so a sound keeps only a
    // pointer to its file and decodes when it is first played.
    HRSRC resource = FindResourceA(instance, name, "WAVE");
    if (!resource) {
        char text[256];
        snprintf(text, sizeof(text), "sound %s not found", name);
        CResourceManager::MessageLog()->Message(0, text);
    } else {
        HGLOBAL handle = LoadResource(instance, resource);
        sound.data = LockResource(handle);
        sound.size = (int)SizeofResource(instance, resource);
        if (sound.size <= 0)
            sound.data = nullptr;
    }

    sounds.push_back(sound);
    soundState.push_back(0);
    return (int)sounds.size() - 1;
}

Mix_Chunk* CSoundDev::Chunk(Sound& sound)
{
    if (!sound.chunk && !sound.decodeFailed && sound.data) {
        sound.chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(sound.data, sound.size), 1);
        if (!sound.chunk) {
            fprintf(stderr, "sound: %s cannot be decoded (%s)\n", sound.name.c_str(), Mix_GetError());
            sound.decodeFailed = 1;
        }
    }
    return sound.chunk;
}

// Returns 1 when the sound started on a mixer channel.
int CSoundDev::PlayChunk(Sound& sound, int loop, int level)
{
    Mix_Chunk* chunk = Chunk(sound);
    if (!chunk)
        return 0;
    int channel = Mix_PlayChannel(-1, chunk, loop ? -1 : 0);
    if (channel < 0)
        return 0;
    Mix_Volume(channel, level);
    sound.channel = channel;
    return 1;
}

// Streams a looping sound as the mixer's music. Returns 0 when it cannot, and
// the caller plays it as a decoded chunk instead.
int CSoundDev::PlayMusic(int index, int level)
{
    Sound& sound = sounds[index];
    if (musicIndex >= 0 || !sound.data)
        return 0;
    music = Mix_LoadMUS_RW(SDL_RWFromConstMem(sound.data, sound.size), 1);
    if (!music)
        return 0;
    if (Mix_PlayMusic(music, -1) != 0) {
        Mix_FreeMusic(music);
        music = nullptr;
        return 0;
    }
    Mix_VolumeMusic(level);
    musicIndex = index;
    return 1;
}

void CSoundDev::StopMusic()
{
    if (musicIndex < 0)
        return;
    Mix_HaltMusic();
    Mix_FreeMusic(music);
    music = nullptr;
    soundState[musicIndex] = 0;
    musicIndex = -1;
}

void CSoundDev::PlayIndex(int index, int loop, float volume, int play)
{
    if (index < 0 || index >= (int)sounds.size())
        return;
    Sound& sound = sounds[index];

    if (!play) {
        if (index == musicIndex)
            StopMusic();
        if (open && sound.channel >= 0 && sound.chunk && Mix_GetChunk(sound.channel) == sound.chunk)
            Mix_HaltChannel(sound.channel);
        sound.channel = -1;
        soundState[index] = 0;
        return;
    }

    // The sound switch silences the effects; looping music has its own switch.
    if (!loop && !soundSwitch)
        return;

    Update();
    // Music already running is left alone rather than started a second time.
    if (loop && soundState[index])
        return;

    if (open && sound.data) {
        int level = volume < 0.0f ? MIX_MAX_VOLUME : (int)(volume * MIX_MAX_VOLUME);
        if (level > MIX_MAX_VOLUME)
            level = MIX_MAX_VOLUME;
        int started = 0;
        if (loop)
            started = PlayMusic(index, level);
        if (!started)
            started = PlayChunk(sound, loop, level);
        if (started) {
            soundState[index] = 1;
            return;
        }
    }
    // Silent: looping sounds count as playing until stopped; effects end at once.
    soundState[index] = loop ? 1 : 0;
}

void CSoundDev::Update()
{
    if (!open)
        return;
    if (musicIndex >= 0 && !Mix_PlayingMusic())
        StopMusic();
    for (size_t i = 0; i < sounds.size(); i++) {
        Sound& sound = sounds[i];
        if (sound.channel < 0)
            continue;
        if (!Mix_Playing(sound.channel) || Mix_GetChunk(sound.channel) != sound.chunk) {
            sound.channel = -1;
            soundState[i] = 0;
        }
    }
}

void CSoundDev::StopAll()
{
    if (open) {
        StopMusic();
        Mix_HaltChannel(-1);
    }
    for (size_t i = 0; i < sounds.size(); i++) {
        sounds[i].channel = -1;
        soundState[i] = 0;
    }
}

int CSoundDev::GetSoundState(int index) const
{
    if (index < 0 || index >= (int)soundState.size())
        return 0;
    return soundState[index];
}
