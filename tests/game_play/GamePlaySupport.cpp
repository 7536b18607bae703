#include "GamePlaySupport.h"

#include <cstdlib>

#include "C3DStaticText.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGameOverlay.h"
#include "CGridView.h"
#include "CMoveStoneEventHandler.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CSoundDev.h"
#include "GameResources.h"

static std::string Position(const TestLevel::Cell& cell)
{
    return "<position x=\"" + std::to_string(cell.x) + "\" y=\"" + std::to_string(cell.y) + "\" z=\"" +
           std::to_string(cell.z) + "\"/>\n";
}

std::string LevelFileText(const std::vector<TestLevel>& levels, int completed, int last)
{
    std::string text = "<levels completed=\"" + std::to_string(completed) + "\" last=\"" + std::to_string(last) +
                       "\">\n";
    for (size_t i = 0; i < levels.size(); i++) {
        const TestLevel& level = levels[i];
        text += "<level nr=\"" + std::to_string(i + 1) + "\" name=\"" + level.name + "\">\n<grid size=\"6\">\n";
        for (const TestLevel::Cell& field : level.fields)
            text += "<field type=\"" + std::to_string(field.type) + "\">\n" + Position(field) + "</field>\n";
        text += "</grid>\n<placeable mode=\"" + std::to_string(level.placeableMode) + "\">\n";
        for (int type : level.placeable)
            text += "<stone type=\"" + std::to_string(type) + "\"/>\n";
        text += "</placeable>\n<stones>\n";
        for (const TestLevel::Cell& stone : level.stones)
            text += "<stone type=\"" + std::to_string(stone.type) + "\">\n" + Position(stone) + "</stone>\n";
        text += "</stones>\n</level>\n";
    }
    return text + "</levels>\n";
}

std::string HighScoreText(const std::vector<std::pair<int, int> >& results)
{
    std::string text = "<HighScores>\n<puzzle>\n";
    for (const std::pair<int, int>& result : results) {
        text += "<level number=\"" + std::to_string(result.first) + "\">\n<highscore>\n<name>Alte</name>\n<score>" +
                std::to_string(result.second) + "</score>\n<date>01.01.2000</date>\n</highscore>\n</level>\n";
    }
    return text + "</puzzle>\n<panik>\n</panik>\n</HighScores>\n";
}

void QuietSounds()
{
    CSoundDev* sound = CResourceManager::GetSoundDevice();
    sound->LoadSound("GAME_PLACE", nullptr);   // opens the audio device
    ASSERT_TRUE(sound->IsOpen());
    sound->StopAll();
}

std::vector<std::string> SoundsPlaying()
{
    static const char* const names[] = { "GAME_EXPLO", "GAME_FINISH", "GAME_LOADED", "GAME_MOVE", "GAME_PLACE",
                                         "GAME_POP", "MENU_BACKGROUND", "MENU_CLICK", "MENU_ROTATE" };
    CSoundDev* sound = CResourceManager::GetSoundDevice();
    std::vector<std::string> playing;
    for (const char* name : names) {
        if (sound->GetSoundState(sound->LoadSound(name, nullptr)))
            playing.push_back(name);
    }
    return playing;
}

void GameFixture::Open(const char* levelsXml, const char* highscoreXml)
{
    // The program's sounds, as its start registers them, through SDL's dummy
    // driver when no other is chosen.
    static bool soundsRegistered = false;
    if (!soundsRegistered) {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        RegisterGameResources();
        soundsRegistered = true;
    }
    folder.reset(new GameTestFolder(levelsXml, highscoreXml));
    ASSERT_TRUE(folder->IsReady());
    app.reset(new GameTestApp());
    ASSERT_TRUE(app->Open());
}

void GameFixture::Open(const std::vector<TestLevel>& levels, const char* highscoreXml)
{
    std::string text = LevelFileText(levels);
    Open(text.c_str(), highscoreXml);
}

void GameFixture::TearDown()
{
    app.reset();
    folder.reset();
}

CGameController* GameFixture::Controller()
{
    return app->controller;
}

CGrid* GameFixture::Board()
{
    return app->controller->gameData ? app->controller->gameData->board : nullptr;
}

void GameFixture::StartAndSettle()
{
    app->StartGameAtCurrentLevel();
    app->StepSeconds(3.2f);
}

int GameFixture::SceneObjects()
{
    return CResourceManager::GetObjectQueue()->GetObjectCount();
}

CMoveStoneEventHandler* GameFixture::SlideTool()
{
    return static_cast<CMoveStoneEventHandler*>(Controller()->handlers[1]);
}

std::string GameFixture::MovesShown()
{
    return Controller()->gridView->overlay->moveCounter->GetText();
}

void GameFixture::ClickCell(int column, int row)
{
    float x, y;
    ASSERT_TRUE(app->FindCellPointer(column, row, &x, &y));
    app->Click(x, y);
}

void GameFixture::SlideWithPointer(int column, int row, int direction)
{
    float x, y;
    ASSERT_TRUE(app->FindSlidePointer(column, row, direction, &x, &y));
    app->MoveMouse(x, y);
    ASSERT_EQ(1, SlideTool()->hover);
    ASSERT_EQ(CMoveStoneEventHandler::MARKER_ARROW, SlideTool()->markerIndex);
    ASSERT_EQ(direction, SlideTool()->direction);
    app->Click(x, y);
}
