// What the game-play tests share: level files written from a short
// description, and a fixture that opens a game frame in a private folder.
#ifndef ZARUL_GAMEPLAYSUPPORT_H
#define ZARUL_GAMEPLAYSUPPORT_H

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GameTestApp.h"
#include "GameTestFolder.h"

class CGameController;
class CGrid;
class CMoveStoneEventHandler;

// One level of a test level file. Stones and fields are (x, y, z, type).
struct TestLevel {
    struct Cell { int x, y, z, type; };
    std::string name = "Test";
    std::vector<Cell> fields;
    int placeableMode = 0;
    std::vector<int> placeable;
    std::vector<Cell> stones;
};

// The text of a level file with the levels in order.
std::string LevelFileText(const std::vector<TestLevel>& levels, int completed = 0, int last = 1);
// A high-score file with one "puzzle" result per (level, moves) pair.
std::string HighScoreText(const std::vector<std::pair<int, int> >& results);

// The sound effects of the game that have been started since QuietSounds
// stopped every sound, by name. Only an open audio device flags a started
// effect; the fixture asks SDL for its dummy driver when none is chosen.
void QuietSounds();
std::vector<std::string> SoundsPlaying();

class GameFixture : public ::testing::Test {
protected:
    // Opens the frame in a private folder holding these files (null: the build's).
    void Open(const char* levelsXml = nullptr, const char* highscoreXml = nullptr);
    void Open(const std::vector<TestLevel>& levels, const char* highscoreXml = nullptr);
    void TearDown() override;

    CGameController* Controller();
    CGrid* Board();
    // Starts a game at the stored start level and lets the starting stones
    // drop in and the banner go.
    void StartAndSettle();
    // Objects in the scene right now.
    int SceneObjects();
    CMoveStoneEventHandler* SlideTool();
    // The overlay's move counter.
    std::string MovesShown();
    // Pointer clicks found by projecting through the game camera: on a floor
    // cell, and on the top stone of a column after the slide tool has shown
    // the arrow for the direction.
    void ClickCell(int column, int row);
    void SlideWithPointer(int column, int row, int direction);

    std::unique_ptr<GameTestFolder> folder;
    std::unique_ptr<GameTestApp> app;
};

#endif
