#include "GameTestFolder.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <unistd.h>

#include "TestFiles.h"

namespace fs = std::filesystem;

GameTestFolder::GameTestFolder(const char* levelsXml, const char* highscoreXml) : ready(false)
{
    static int counter = 0;
    std::error_code error;
    fs::path source = fs::absolute(MediaFolder(), error);
    fs::path folder = fs::temp_directory_path(error) /
                      ("zarul_game_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(folder, error);
    if (!fs::create_directories(folder / "media", error))
        return;
    path = folder.string();

    for (const fs::directory_entry& entry : fs::directory_iterator(source, error)) {
        std::string name = entry.path().filename().string();
        if (name == "levels.xml" || name == "highscore.xml")
            continue;
        fs::create_symlink(entry.path(), folder / "media" / name, error);
    }
    if (levelsXml)
        WriteText((folder / "media" / "levels.xml").string(), levelsXml);
    else
        fs::copy_file(source / "levels.xml", folder / "media" / "levels.xml", error);
    if (highscoreXml)
        WriteText((folder / "media" / "highscore.xml").string(), highscoreXml);
    else if (fs::exists(source / "highscore.xml", error))
        fs::copy_file(source / "highscore.xml", folder / "media" / "highscore.xml", error);

    previous = fs::current_path(error).string();
    fs::current_path(folder, error);
    ready = !error;
}

GameTestFolder::~GameTestFolder()
{
    std::error_code error;
    if (!previous.empty())
        fs::current_path(previous, error);
    if (!path.empty())
        fs::remove_all(path, error);
}

std::string GameTestFolder::ReadMediaFile(const char* name) const
{
    std::ifstream in((fs::path(path) / "media" / name).string(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool GameTestFolder::MediaFileExists(const char* name) const
{
    std::error_code error;
    return fs::exists(fs::path(path) / "media" / name, error);
}
