// mediagen: makes every picture, mesh and sound of the game from code, so the build can
// produce them from nothing and the same sources give the same files.
//
//   mediagen media <media folder> <contact sheet .png>
//   mediagen sounds <wav folder> <generated .cpp>
#include "Art.h"
#include "MediaSet.h"
#include "Sounds.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include <sys/stat.h>

static void MakeFolder(const std::string& path)
{
    mkdir(path.c_str(), 0755);
}

static double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

static int MakeMedia(const std::string& folder, const std::string& sheet)
{
    MakeFolder(folder);
    MediaSet media(folder);
    MakeStoneArt(media);
    MakeFontAtlas(media);
    MakeInterfaceArt(media);
    MakeHelpArt(media);
    MakeEffectArt(media);
    MakeMeshes(media);
    if (!media.WriteContactSheet(sheet)) {
        fprintf(stderr, "mediagen: cannot write %s\n", sheet.c_str());
        return 1;
    }
    return media.Failures() == 0 ? 0 : 1;
}

static int MakeSoundFiles(const std::string& folder, const std::string& source)
{
    MakeFolder(folder);
    const std::vector<NamedSound> sounds = MakeSounds();
    if (!WriteSoundFiles(sounds, folder) || !WriteSoundSource(sounds, source)) {
        fprintf(stderr, "mediagen: cannot write the sounds\n");
        return 1;
    }
    return 0;
}

int main(int argc, char** argv)
{
    if (argc != 4 || (strcmp(argv[1], "media") != 0 && strcmp(argv[1], "sounds") != 0)) {
        fprintf(stderr, "usage: mediagen media <media folder> <contact sheet.png>\n"
                        "       mediagen sounds <wav folder> <generated.cpp>\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const bool media = strcmp(argv[1], "media") == 0;
    const int result = media ? MakeMedia(argv[2], argv[3]) : MakeSoundFiles(argv[2], argv[3]);
    printf("mediagen: %s written in %.2f s\n", media ? "media" : "sounds", SecondsSince(start));
    return result;
}
