// The game's sounds, synthesized: short effects and a calm menu loop, as 16-bit mono WAVE
// data at 22050 Hz. The program carries them as named resources; WriteSoundSource turns
// them into a C++ source with one byte string per sound.
#pragma once

#include <string>
#include <vector>

struct NamedSound {
    std::string name;
    std::vector<unsigned char> wave;   // a complete RIFF WAVE file
};

const int kSoundRate = 22050;

std::vector<NamedSound> MakeSounds();
std::vector<unsigned char> WaveFile(const std::vector<short>& samples, int rate);

// Writes every sound as folder/NAME.wav.
bool WriteSoundFiles(const std::vector<NamedSound>& sounds, const std::string& folder);
// Writes the C++ source that defines the table of GameSoundTable.h.
bool WriteSoundSource(const std::vector<NamedSound>& sounds, const std::string& path);
