#ifndef CSOUNDDEV_H
#define CSOUNDDEV_H

#include <string>
#include <vector>
#include <windows.h>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

// Plays the program's WAVE resources through SDL_mixer. Without an audio device
// it stays silent and everything else goes on working: sounds still get indices
// and state flags. Effects are decoded whole on first use; looping music is
// streamed from the resource, since decoded at the mixer's rate it would take
// about sixteen times the size of the file.
class CSoundDev {
public:
    CSoundDev();
    ~CSoundDev();

    // Index of the named WAVE resource, loading it the first time; -1 when there
    // is no such resource.
    int LoadSound(const char* name, HINSTANCE instance);
    // play 1 starts the sound (looping when loop is 1), play 0 stops it. volume in
    // 0..1; a negative volume means full volume. Effects (loop 0) are not started
    // while the sound switch is 0.
    void PlayIndex(int index, int loop, float volume, int play);
    void StopAll();

    int GetSoundCount() const { return (int)sounds.size(); }
    // The state flag of a sound; 0 for an index that names none.
    int GetSoundState(int index) const;
    int IsOpen() const { return open; }
    // Refreshes the state flags of sounds that have ended on their own.
    void Update();

    // Per loaded sound: 1 while it is playing (or has been started), else 0.
    std::vector<int> soundState;
    // 1: sound effects are played; 0: they are not.
    int soundSwitch;

private:
    struct Sound {
        std::string name;
        const void* data;       // the resource's WAVE file, or 0 when there is none
        int size;
        Mix_Chunk* chunk;       // decoded on first play as an effect
        int decodeFailed;
        int channel;
    };

    void OpenAudio();
    Mix_Chunk* Chunk(Sound& sound);
    int PlayChunk(Sound& sound, int loop, int level);
    int PlayMusic(int index, int level);
    void StopMusic();

    std::vector<Sound> sounds;
    Mix_Music* music;           // the streamed looping sound, if one plays
    int musicIndex;             // its sound index, or -1
    int open;
    int triedOpen;
};

#endif
