// GameTestFolder: a private working folder for a test that lets the game write
// its files. It makes <temp>/zarul_game_<pid>_<n>/media with links to every
// file of the build's media folder, but its own copies of levels.xml and
// highscore.xml (or given texts), and makes it the working folder; the
// destructor goes back and removes the folder with everything in it.
#ifndef ZARUL_GAMETESTFOLDER_H
#define ZARUL_GAMETESTFOLDER_H

#include <string>

class GameTestFolder {
public:
    // levelsXml / highscoreXml: the files' texts; null copies the build's file
    // (highscore.xml is left out when the build has none).
    GameTestFolder(const char* levelsXml = nullptr, const char* highscoreXml = nullptr);
    ~GameTestFolder();

    bool IsReady() const { return ready; }
    const std::string& GetPath() const { return path; }
    // The working folder before this one (the build folder when run by ctest).
    const std::string& GetPreviousFolder() const { return previous; }
    // Text of a file in the folder's media (empty when missing).
    std::string ReadMediaFile(const char* name) const;
    bool MediaFileExists(const char* name) const;

private:
    GameTestFolder(const GameTestFolder&);
    GameTestFolder& operator=(const GameTestFolder&);

    std::string path;
    std::string previous;
    bool ready;
};

#endif
