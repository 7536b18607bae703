#include "Sounds.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

// A mono mix buffer in floating point. Notes added past the end wrap round to the start
// when the buffer is a loop, so the loop has no seam.
struct Mix {
    std::vector<double> s;
    bool loop;

    Mix(double seconds, bool isLoop) : s((size_t)(seconds * kSoundRate), 0.0), loop(isLoop) {}

    void Add(long i, double v)
    {
        const long n = (long)s.size();
        if (loop)
            s[((i % n) + n) % n] += v;
        else if (i >= 0 && i < n)
            s[i] += v;
    }
};

// Deterministic white noise in -1..1.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed) {}
    double Next()
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1 << 23) - 1.0;
    }
};

double Freq(int midiNote)
{
    return 440.0 * pow(2.0, (midiNote - 69) / 12.0);
}

// A bell-like tone: a few harmonics, a soft attack and an exponential decay.
void Bell(Mix& m, double start, double freq, double length, double decay, double gain)
{
    const long first = (long)(start * kSoundRate);
    const long count = (long)(length * kSoundRate);
    const double partials[3][2] = { { 1.0, 1.0 }, { 2.0, 0.35 }, { 3.01, 0.12 } };
    for (long i = 0; i < count; i++) {
        const double t = i / (double)kSoundRate;
        const double env = (1 - exp(-t * 300)) * exp(-t / decay);
        double v = 0;
        for (const auto& p : partials)
            v += p[1] * sin(2 * M_PI * freq * p[0] * t) * (p[0] > 1.5 ? exp(-t / (decay * 0.5)) : 1.0);
        m.Add(first + i, v * env * gain);
    }
}

// A soft pad voice: slow attack and release, gentle vibrato.
void Pad(Mix& m, double start, double freq, double length, double gain)
{
    const long first = (long)(start * kSoundRate);
    const long count = (long)((length + 2.0) * kSoundRate);
    for (long i = 0; i < count; i++) {
        const double t = i / (double)kSoundRate;
        double env = t < 1.5 ? t / 1.5 : 1.0;
        if (t > length)
            env *= exp(-(t - length) * 2.5);
        const double ph = 2 * M_PI * freq * t + 0.15 * sin(2 * M_PI * 4.5 * t);
        m.Add(first + i, (sin(ph) + 0.25 * sin(2 * ph)) * env * gain);
    }
}

// Filtered noise: a one-pole low pass whose cutoff follows `cutoff(t)`.
template <typename Cutoff, typename Envelope>
void NoiseSweep(Mix& m, double length, Cutoff cutoff, Envelope env, double gain, uint32_t seed)
{
    Noise noise(seed);
    double low = 0;
    const long count = (long)(length * kSoundRate);
    for (long i = 0; i < count; i++) {
        const double t = i / (double)kSoundRate;
        const double k = 1 - exp(-2 * M_PI * cutoff(t) / kSoundRate);
        low += (noise.Next() - low) * k;
        m.Add(i, low * env(t) * gain);
    }
}

// A sine whose pitch glides from f0 to f1 (exponentially), with a decay envelope.
void Glide(Mix& m, double start, double f0, double f1, double length, double decay, double gain)
{
    double phase = 0;
    const long first = (long)(start * kSoundRate);
    const long count = (long)(length * kSoundRate);
    for (long i = 0; i < count; i++) {
        const double t = i / (double)kSoundRate;
        const double f = f0 * pow(f1 / f0, t / length);
        phase += 2 * M_PI * f / kSoundRate;
        const double env = (1 - exp(-t * 800)) * exp(-t / decay);
        m.Add(first + i, sin(phase) * env * gain);
    }
}

// Scales the mix to the given peak and fades the last milliseconds of a one-shot sound.
std::vector<short> Finish(Mix& m, double peak)
{
    double top = 1e-9;
    for (double v : m.s)
        top = std::max(top, fabs(v));
    const size_t n = m.s.size();
    const size_t fade = m.loop ? 0 : std::min(n, (size_t)(0.01 * kSoundRate));
    std::vector<short> out(n);
    for (size_t i = 0; i < n; i++) {
        double v = m.s[i] / top * peak;
        if (i >= n - fade)
            v *= (n - i) / (double)fade;
        out[i] = (short)lrint(v * 32767);
    }
    return out;
}

std::vector<short> Place()
{
    Mix m(0.18, false);
    Bell(m, 0, 520, 0.18, 0.045, 1.0);
    Bell(m, 0, 780, 0.18, 0.03, 0.4);
    NoiseSweep(m, 0.01, [](double) { return 4000.0; }, [](double t) { return 1 - t / 0.01; }, 0.5, 7);
    return Finish(m, 0.8);
}

std::vector<short> Move()
{
    Mix m(0.28, false);
    NoiseSweep(m, 0.28, [](double t) { return 300 + 2500 * t; },
               [](double t) { return sin(M_PI * t / 0.28); }, 1.0, 11);
    Glide(m, 0, 180, 140, 0.25, 0.1, 0.3);
    return Finish(m, 0.7);
}

std::vector<short> Pop()
{
    Mix m(0.12, false);
    Glide(m, 0, 300, 900, 0.12, 0.04, 1.0);
    return Finish(m, 0.75);
}

std::vector<short> Loaded()
{
    Mix m(0.9, false);
    const int notes[3] = { 76, 80, 83 };   // E5, G#5, B5
    for (int i = 0; i < 3; i++)
        Bell(m, i * 0.08, Freq(notes[i]), 0.9 - i * 0.08, 0.25, 0.6);
    return Finish(m, 0.7);
}

std::vector<short> Explosion()
{
    Mix m(0.65, false);
    NoiseSweep(m, 0.65, [](double t) { return 3000 * exp(-t * 5) + 200; },
               [](double t) { return (1 - exp(-t * 400)) * exp(-t / 0.15); }, 1.0, 13);
    Glide(m, 0, 110, 40, 0.5, 0.15, 0.9);
    return Finish(m, 0.85);
}

std::vector<short> Finished()
{
    Mix m(1.6, false);
    const int arpeggio[4] = { 72, 76, 79, 84 };   // C5 E5 G5 C6
    for (int i = 0; i < 4; i++)
        Bell(m, i * 0.12, Freq(arpeggio[i]), 1.0, 0.3, 0.5);
    const int chord[3] = { 72, 76, 79 };
    for (int n : chord)
        Bell(m, 0.5, Freq(n), 1.1, 0.45, 0.35);
    Bell(m, 0.5, Freq(84), 1.1, 0.5, 0.45);
    return Finish(m, 0.8);
}

std::vector<short> Crystal()
{
    Mix m(0.9, false);
    Bell(m, 0, 2093, 0.9, 0.25, 0.5);
    Bell(m, 0.03, 2637 * 1.01, 0.85, 0.2, 0.35);
    Bell(m, 0.06, 3520, 0.8, 0.15, 0.25);
    return Finish(m, 0.6);
}

std::vector<short> Click()
{
    Mix m(0.05, false);
    Bell(m, 0, 1200, 0.05, 0.012, 1.0);
    return Finish(m, 0.6);
}

std::vector<short> MouseOver()
{
    Mix m(0.06, false);
    Bell(m, 0, 2000, 0.06, 0.015, 1.0);
    return Finish(m, 0.3);
}

std::vector<short> Rotate()
{
    Mix m(0.32, false);
    NoiseSweep(m, 0.32, [](double t) { return 600 + 3000 * sin(M_PI * t / 0.32); },
               [](double t) { return pow(sin(M_PI * t / 0.32), 2); }, 1.0, 17);
    return Finish(m, 0.5);
}

// 24 seconds: four chords of six seconds (Am, F, C, G) under a slow bell arpeggio.
// Everything is mixed into a ring buffer, so the tails of the last chord sound on over
// the start and the loop joins without a click.
std::vector<short> MenuLoop()
{
    const double chordLength = 6.0;
    Mix m(4 * chordLength, true);
    const int chords[4][3] = { { 57, 60, 64 }, { 53, 57, 60 }, { 48, 52, 55 }, { 55, 59, 62 } };
    for (int c = 0; c < 4; c++) {
        for (int v = 0; v < 3; v++)
            Pad(m, c * chordLength, Freq(chords[c][v]), chordLength, 0.18);
        Pad(m, c * chordLength, Freq(chords[c][0] - 12), chordLength, 0.22);
        // the arpeggio walks up and down the chord, an octave higher
        const int pattern[8] = { 0, 1, 2, 1, 0, 2, 1, 2 };
        for (int step = 0; step < 8; step++) {
            const int note = chords[c][pattern[step]] + 12 + (step == 5 ? 12 : 0);
            Bell(m, c * chordLength + step * 0.75, Freq(note), 2.0, 0.6, 0.22);
        }
    }
    return Finish(m, 0.6);
}

void PutLE(std::vector<unsigned char>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out.push_back((unsigned char)(v >> (8 * i)));
}

} // namespace

std::vector<unsigned char> WaveFile(const std::vector<short>& samples, int rate)
{
    const uint32_t dataBytes = (uint32_t)samples.size() * 2;
    std::vector<unsigned char> out;
    out.reserve(44 + dataBytes);
    out.insert(out.end(), { 'R', 'I', 'F', 'F' });
    PutLE(out, 36 + dataBytes, 4);
    out.insert(out.end(), { 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ' });
    PutLE(out, 16, 4);         // chunk size
    PutLE(out, 1, 2);          // PCM
    PutLE(out, 1, 2);          // mono
    PutLE(out, rate, 4);
    PutLE(out, rate * 2, 4);   // bytes per second
    PutLE(out, 2, 2);          // block align
    PutLE(out, 16, 2);         // bits per sample
    out.insert(out.end(), { 'd', 'a', 't', 'a' });
    PutLE(out, dataBytes, 4);
    for (short s : samples)
        PutLE(out, (uint16_t)s, 2);
    return out;
}

std::vector<NamedSound> MakeSounds()
{
    struct {
        const char* name;
        std::vector<short> (*make)();
    } table[] = {
        { "GAME_CRISTAL", Crystal }, { "GAME_EXPLO", Explosion }, { "GAME_FINISH", Finished },
        { "GAME_LOADED", Loaded },   { "GAME_MOVE", Move },       { "GAME_PLACE", Place },
        { "GAME_POP", Pop },         { "MENU_BACKGROUND", MenuLoop }, { "MENU_CLICK", Click },
        { "MENU_MOUSEOVER", MouseOver }, { "MENU_ROTATE", Rotate },
    };
    std::vector<NamedSound> sounds;
    for (const auto& entry : table)
        sounds.push_back({ entry.name, WaveFile(entry.make(), kSoundRate) });
    return sounds;
}

bool WriteSoundFiles(const std::vector<NamedSound>& sounds, const std::string& folder)
{
    bool ok = true;
    for (const NamedSound& s : sounds) {
        const std::string path = folder + "/" + s.name + ".wav";
        FILE* f = fopen(path.c_str(), "wb");
        if (!f) {
            ok = false;
            continue;
        }
        ok = fwrite(s.wave.data(), 1, s.wave.size(), f) == s.wave.size() && ok;
        ok = fclose(f) == 0 && ok;
    }
    return ok;
}

bool WriteSoundSource(const std::vector<NamedSound>& sounds, const std::string& path)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    fprintf(f, "// Written by mediagen: the game's sounds as WAVE files in byte strings.\n");
    fprintf(f, "#include \"GameSoundTable.h\"\n\n");
    for (size_t i = 0; i < sounds.size(); i++) {
        const std::vector<unsigned char>& w = sounds[i].wave;
        fprintf(f, "static const char kSound%zu[] =\n", i);
        // octal escapes have a fixed length, so no following character can extend them
        for (size_t at = 0; at < w.size(); at += 64) {
            fputs("\"", f);
            for (size_t j = at; j < w.size() && j < at + 64; j++)
                fprintf(f, "\\%03o", w[j]);
            fputs("\"\n", f);
        }
        fprintf(f, ";\n\n");
    }
    fprintf(f, "const GameSound g_gameSounds[] = {\n");
    for (size_t i = 0; i < sounds.size(); i++)
        fprintf(f, "    { \"%s\", reinterpret_cast<const unsigned char*>(kSound%zu), sizeof(kSound%zu) - 1 },\n",
                sounds[i].name.c_str(), i, i);
    fprintf(f, "};\n\nconst int g_gameSoundCount = %zu;\n", sounds.size());
    return fclose(f) == 0;
}
