// Menu ring, submenus, questions and the start submenu, driven inside a real
// application object that runs headless in a media folder of its own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "PrivateMedia.h"
#include "TestFiles.h"
#include "CZarulApplication.h"
#include "CGameController.h"
#include "CGameData.h"
#include "C3DAlphaButton.h"
#include "C3DTextArea.h"
#include "C3DTextButton.h"
#include "CMainMenu.h"
#include "CMenuRing.h"
#include "CMenuItemCub.h"
#include "CSubMenu.h"
#include "CSubMenuClose.h"
#include "CSubMenuEndGame.h"
#include "CSubMenuResetLevel.h"
#include "CSubMenuStart.h"
#include "CInputManager.h"
#include "CMouse.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CSoundDev.h"
#include "GameResources.h"

namespace {

const float STEP = 1.0f / 30.0f;

class FrontEnd : public ::testing::Test {
protected:
    FrontEnd() : media("frontend"), app("zarul") {}

    void SetUp() override
    {
        ASSERT_TRUE(media.IsReady());
        ASSERT_TRUE(media.Enter());
        // The interface sounds are told by the sound device's state flags,
        // which need the sounds and an audio device (SDL's silent one will do).
        const char* driver = getenv("SDL_AUDIODRIVER");
        if (!driver || !*driver)
            setenv("SDL_AUDIODRIVER", "dummy", 1);
        RegisterGameResources();
        app.settingsFile = "";
        ASSERT_GE(app.Create(nullptr), 0);
        queue = CResourceManager::GetObjectQueue();
        // The tests build their own screens: the intro goes.
        queue->ReleaseAllObjects(CObjQueue::RELEASE_KEEP_MOUSE);
        queue->DeleteMarkedObjects();
    }
    void TearDown() override
    {
        // One more frame, then the frame's own shutdown.
        app.SetHeadlessRun(app.GetFrameCount() + 1, STEP);
        app.Run();
    }

    // Frames as the frame loop runs them, for the given game time.
    void Step(float seconds)
    {
        for (float t = 0.0f; t < seconds - 0.001f; t += STEP) {
            app.FrameMove(STEP);
            app.Render();
            queue->DeleteMarkedObjects();
        }
    }
    void Key(int code)
    {
        DIDEVICEOBJECTDATA data;
        ZeroMemory(&data, sizeof(data));
        data.dwOfs = (DWORD)code;
        CResourceManager::GetInputManager()->FireKeyPressed(CKeyEvent(nullptr, data, 0, 0));
    }
    // Forgets which sounds have been started.
    void ClearSounds()
    {
        for (int& state : CResourceManager::GetSoundDevice()->soundState)
            state = 0;
    }
    // 1 when the named sound has been started since ClearSounds.
    int Started(const char* name)
    {
        CSoundDev* sound = CResourceManager::GetSoundDevice();
        return sound->GetSoundState(sound->LoadSound(name, nullptr));
    }
    CMenuRing* NewRing()
    {
        return new CMenuRing(app.device, D3DXVECTOR3(0, 0, 0), 15.0f, D3DXVECTOR3(0.0f, 1.0f, -0.05f));
    }

    PrivateMedia media;
    CZarulApplication app;
    CObjQueue* queue = nullptr;
};

struct ActionCounter : public IActionListener {
    void actionPerformed(CActionEvent event) override { events.push_back(event); }
    std::vector<CActionEvent> events;
};

TEST_F(FrontEnd, RingTurnsAFifthPerKeyAndNeverWrapsItsAngle)
{
    struct Case {
        std::vector<int> keys;
        int selected;
        float target;
    };
    const float step = 1.2566371f;
    const Case cases[] = {
        { {}, 0, 0.0f },
        { { DIK_RIGHT }, 1, -step },
        { { DIK_LEFT }, 4, step },
        { { DIK_RIGHT, DIK_RIGHT, DIK_RIGHT, DIK_RIGHT, DIK_RIGHT }, 0, -5 * step },
        { { DIK_LEFT, DIK_RIGHT }, 0, 0.0f },
        { { DIK_SPACE, DIK_RETURN }, 0, 0.0f },
    };
    for (const Case& c : cases) {
        CMenuRing* ring = NewRing();
        for (int key : c.keys)
            Key(key);
        EXPECT_EQ(c.selected, ring->GetSelected());
        EXPECT_NEAR(c.target, ring->GetTargetAngle(), 1e-5f);
        for (int i = 0; i < CMenuRing::ITEM_COUNT; i++)
            EXPECT_EQ(i == c.selected ? 1 : 0, ring->GetItem(i)->IsSelected()) << i;
        delete ring;
    }
    EXPECT_NEAR(-2.0f * (float)M_PI, -5 * step, 1e-5f);

    // The front point faces the camera; after settling the selected cube stands there.
    CMenuRing* ring = NewRing();
    EXPECT_NEAR(-0.749f, ring->GetFrontPoint().y, 0.01f);
    EXPECT_NEAR(-14.98f, ring->GetFrontPoint().z, 0.01f);
    Key(DIK_RIGHT);
    for (int i = 0; i < 120; i++)
        ring->Move(STEP);
    D3DXVECTOR3 front = ring->GetItem(1)->position - ring->GetFrontPoint();
    EXPECT_LT(D3DXVec3Length(&front), 0.05f);
    delete ring;
}

TEST_F(FrontEnd, InactiveRingIgnoresKeysAndEscapeAsksToQuit)
{
    CMenuRing* ring = NewRing();
    int objects = queue->GetObjectCount();
    ring->SetActive(0);
    EXPECT_EQ(0, ring->GetItem(0)->IsSelected());
    Key(DIK_RIGHT);
    Key(DIK_ESCAPE);
    ring->RotateLeft();
    EXPECT_EQ(0, ring->GetSelected());
    EXPECT_EQ(objects, queue->GetObjectCount());

    ring->SetActive(1);
    EXPECT_EQ(1, ring->GetItem(0)->IsSelected());
    Key(DIK_ESCAPE);
    EXPECT_EQ(objects + 1, queue->GetObjectCount());   // the quit question
    EXPECT_EQ(0, ring->IsActive());
    Key(DIK_RIGHT);                                      // the question has the keys now
    EXPECT_EQ(0, ring->GetSelected());
    Key(DIK_ESCAPE);                                     // closes it at once
    EXPECT_EQ(1, ring->IsActive());
    Step(STEP);
    EXPECT_EQ(objects, queue->GetObjectCount());
    delete ring;
}

// The start submenu before any press is closed like every other submenu.
TEST_F(FrontEnd, SubmenuGivesTheRingBackOnlyWhenItsScaleOutHasEnded)
{
    CMenuRing* ring = NewRing();
    ActionCounter counter;
    CSubMenuStart* menu = new CSubMenuStart(app.device, ring);
    menu->AddActionListener(&counter);
    queue->AddObject(menu, 2, 0);
    EXPECT_EQ(0, ring->IsActive());
    EXPECT_EQ(1, app.mouse->IsMaskOn());
    Step(0.4f);   // the scale-in ends: nothing changes
    EXPECT_EQ(0, ring->IsActive());
    EXPECT_FALSE(menu->IsMarkedForDeletion());

    Key(DIK_ESCAPE);
    menu->StartButton_ActionPerformed(CActionEvent());   // too late: it is closing
    EXPECT_EQ(1, menu->IsClosing());
    EXPECT_EQ(0, app.mouse->IsMaskOn());
    Step(0.2f);
    EXPECT_EQ(0, ring->IsActive());
    Step(0.2f);
    EXPECT_EQ(1, ring->IsActive());
    EXPECT_FALSE(queue->Contains(menu));
    Step(0.5f);
    EXPECT_TRUE(counter.events.empty());

    // Opened by the game: no ring to touch. Its listener list keeps a listener
    // given twice, ignores null, and a removal takes every entry of it.
    CSubMenu* gameMenu = new CSubMenu(app.device, nullptr);
    queue->AddObject(gameMenu, 4, 0);
    gameMenu->AddActionListener(&counter);
    gameMenu->AddActionListener(nullptr);
    gameMenu->AddActionListener(&counter);
    gameMenu->FireAction(CActionEvent());
    EXPECT_EQ(2u, counter.events.size());
    gameMenu->RemoveActionListener(&counter);
    gameMenu->FireAction(CActionEvent());
    EXPECT_EQ(2u, counter.events.size());
    gameMenu->back_ActionPerformed(CActionEvent());
    Step(0.4f);
    EXPECT_FALSE(queue->Contains(gameMenu));
    delete ring;
}

TEST_F(FrontEnd, QuestionsCloseAtOnceOnEscape)
{
    CMenuRing* ring = NewRing();
    for (int kind = 0; kind < 3; kind++) {
        CSubMenu* question = kind == 0 ? (CSubMenu*)new CSubMenuClose(app.device, ring)
                           : kind == 1 ? (CSubMenu*)new CSubMenuEndGame(app.device, nullptr)
                                       : (CSubMenu*)new CSubMenuResetLevel(app.device, nullptr);
        queue->AddObject(question, 2, 0);
        ring->SetActive(0);   // the game's questions: the ring stays off
        EXPECT_EQ(1, app.mouse->IsMaskOn());
        EXPECT_EQ(0.4f, question->GetRect().width);   // at its size at once, no scale-in
        Step(STEP);
        EXPECT_EQ(0.4f, question->GetRect().width);
        Key(DIK_ESCAPE);
        EXPECT_TRUE(question->IsMarkedForDeletion());
        EXPECT_EQ(0, app.mouse->IsMaskOn());
        EXPECT_EQ(kind == 0 ? 1 : 0, ring->IsActive());   // only the quit question had it
        Step(STEP);
        EXPECT_FALSE(queue->Contains(question));
    }

    // "OK" on the quit question ends the loop with 1; the question stays.
    ring->SetActive(1);
    CSubMenuClose* quit = new CSubMenuClose(app.device, ring);
    queue->AddObject(quit, 2, 0);
    Key(DIK_RETURN);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(1, (int)msg.wParam);
    EXPECT_FALSE(quit->IsMarkedForDeletion());
    delete ring;
}

// The labels of a window's text buttons and the lines of its text areas, in
// the order the window holds them.
struct WindowTexts {
    std::vector<std::string> buttons;
    std::vector<std::string> lines;
    std::vector<float> lineX;
};

WindowTexts TextsOf(C3DWindow* window)
{
    WindowTexts texts;
    for (int i = 0; i < window->GetSubWindowCount(); i++) {
        C3DWindow* child = window->GetSubWindow(i);
        if (C3DTextButton* button = dynamic_cast<C3DTextButton*>(child))
            texts.buttons.push_back(button->GetText());
        if (C3DTextArea* area = dynamic_cast<C3DTextArea*>(child)) {
            for (int line = 0; line < area->GetLineCount(); line++) {
                texts.lines.push_back(area->GetLineText(line));
                texts.lineX.push_back(area->GetLinePoint(line).x);
            }
        }
    }
    return texts;
}

TEST_F(FrontEnd, SubmenusShowTheirQuestionOverTheirButtons)
{
    struct Case {
        int kind;
        const char* question;   // null: no question
        float x;
        const char* button;
    };
    const Case cases[] = {
        { 0, "Wollen Sie Zarul beenden ?", 0.1f, "OK" },
        { 1, "Zurück zum Hauptmenü ?", 0.1f, "OK" },
        { 2, "Level zurücksetzen ?", 0.2f, "OK" },
        { 3, nullptr, 0.0f, "Start" },
    };
    for (const Case& c : cases) {
        CSubMenu* menu = c.kind == 0 ? (CSubMenu*)new CSubMenuClose(app.device, nullptr)
                       : c.kind == 1 ? (CSubMenu*)new CSubMenuEndGame(app.device, nullptr)
                       : c.kind == 2 ? (CSubMenu*)new CSubMenuResetLevel(app.device, nullptr)
                                     : (CSubMenu*)new CSubMenuStart(app.device, nullptr);
        WindowTexts texts = TextsOf(menu);
        EXPECT_EQ(texts.buttons, (std::vector<std::string>{ "zurück", c.button })) << c.kind;
        if (c.question) {
            ASSERT_EQ(texts.lines.size(), 1u) << c.kind;
            EXPECT_EQ(texts.lines[0], c.question);
            EXPECT_FLOAT_EQ(texts.lineX[0], c.x) << c.question;
        } else {
            EXPECT_TRUE(texts.lines.empty());
        }
        delete menu;
    }
}

// Ring turns sound "MENU_ROTATE"; the arrow buttons and "zurück" first sound
// "MENU_CLICK"; Escape on a submenu sounds nothing.
TEST_F(FrontEnd, MenuSoundsOfTurnsButtonsAndTheBackButton)
{
    CSoundDev* sound = CResourceManager::GetSoundDevice();
    sound->LoadSound("MENU_CLICK", nullptr);   // the device opens with the first sound
    ASSERT_TRUE(sound->IsOpen()) << "the sounds are told by their state flags, which need an audio device";
    CMainMenu* menu = new CMainMenu(app.device);
    CMenuRing* ring = menu->GetRing();

    ClearSounds();
    Key(DIK_RIGHT);
    EXPECT_EQ(1, Started("MENU_ROTATE"));
    EXPECT_EQ(0, Started("MENU_CLICK"));

    // The right arrow button turns as the Left key does, the left one as the
    // Right key; with the ring off they only click.
    struct Press {
        C3DAlphaButton* button;
        int active;
        int selected;
    };
    const Press presses[] = { { menu->m_pButtonRight, 1, 0 }, { menu->m_pButtonRight, 1, 4 },
                              { menu->m_pButtonLeft, 1, 0 }, { menu->m_pButtonLeft, 0, 0 } };
    for (const Press& press : presses) {
        ring->SetActive(press.active);
        ClearSounds();
        press.button->fireActionPerformed(CActionEvent(press.button, CActionEvent::ACTION_DEFAULT));
        EXPECT_EQ(press.selected, ring->GetSelected());
        // A click sound that ends before the turn's sound starts is no longer
        // flagged then; only the ring that is off is asked for the click.
        EXPECT_EQ(press.active, Started("MENU_ROTATE"));
        if (!press.active) {
            EXPECT_EQ(1, Started("MENU_CLICK"));
        }
    }
    ring->SetActive(1);

    CSubMenu* subMenu = new CSubMenu(app.device, ring);
    queue->AddObject(subMenu, 2, 0);
    ClearSounds();
    Key(DIK_ESCAPE);
    EXPECT_EQ(0, Started("MENU_CLICK"));
    subMenu->back_ActionPerformed(CActionEvent());
    EXPECT_EQ(1, Started("MENU_CLICK"));
    Step(0.4f);
    delete menu;
}

// Only the selected cube opens its screen: a cube under the pointer that is no
// longer selected (the ring turned, the cube not yet gone) ignores the click.
TEST_F(FrontEnd, OnlyTheSelectedCubeUnderThePointerOpensItsScreen)
{
    CMainMenu* menu = new CMainMenu(app.device);
    queue->AddObject(menu, 1, 0);
    Step(0.5f);
    CMenuRing* ring = menu->GetRing();
    CMenuItemCub* start = ring->GetItem(0);
    CMouseEvent atCentre;
    atCentre.x = 0.5f;
    atCentre.y = 0.55f;
    int objects = queue->GetObjectCount();

    Key(DIK_RIGHT);
    start->MouseMoved(atCentre);
    ASSERT_EQ(1, start->IsMouseOver());
    EXPECT_EQ(0, start->IsSelected());
    start->MouseClicked(atCentre);
    EXPECT_EQ(objects, queue->GetObjectCount());
    EXPECT_EQ(1, ring->IsActive());

    Key(DIK_LEFT);
    start->MouseMoved(atCentre);
    start->MouseClicked(atCentre);
    EXPECT_EQ(objects + 1, queue->GetObjectCount());   // the start submenu
    EXPECT_EQ(0, ring->IsActive());
}

TEST_F(FrontEnd, GameQuestionsRestartTheLevelLetTheGameGoOnOrSaveAndShowTheMenu)
{
    app.StartGame();
    CGameController* controller = app.controller;
    Step(0.5f);
    ASSERT_EQ(1, controller->running);

    Key(DIK_ESCAPE);   // the controller opens the question
    EXPECT_EQ(0, controller->running);
    Key(DIK_ESCAPE);   // and it lets the game go on
    EXPECT_EQ(1, controller->running);
    Step(STEP);

    // The reset question restarts the level once, however often it is answered.
    controller->gameData->moves = 5;
    CSubMenuResetLevel* reset = new CSubMenuResetLevel(app.device, nullptr);
    queue->AddObject(reset, 4, 0);
    reset->reset_ActionPerformed(CActionEvent());
    reset->Confirm();   // a second answer in the same frame changes nothing
    EXPECT_EQ(0, controller->gameData->moves);
    EXPECT_TRUE(reset->IsMarkedForDeletion());
    Step(0.5f);

    // Return answers yes: the scene is emptied from inside the question's own
    // handler, which then still closes the question.
    std::string before = ReadFileText(media.MediaFile("levels.xml"));
    remove(media.MediaFile("highscore.xml").c_str());
    Key(DIK_ESCAPE);
    Key(DIK_RETURN);
    EXPECT_EQ(0, controller->running);
    EXPECT_EQ(nullptr, controller->gridView);
    EXPECT_TRUE(FileExists(media.MediaFile("highscore.xml")));
    EXPECT_NE(std::string::npos, ReadFileText(media.MediaFile("levels.xml")).find("last="));
    Step(0.5f);
    EXPECT_EQ(0, controller->running);   // the game has ended: it stays off

    // OK and Return in one frame: the second answer saves nothing again.
    CSubMenuEndGame* question = new CSubMenuEndGame(app.device, nullptr);
    queue->AddObject(question, 4, 0);
    question->exit_ActionPerformed(CActionEvent());
    remove(media.MediaFile("highscore.xml").c_str());
    question->Confirm();
    EXPECT_FALSE(FileExists(media.MediaFile("highscore.xml")));
}

TEST_F(FrontEnd, StartSubmenuStartsExactlyOneGameHoweverOftenItIsPressed)
{
    CMenuRing* ring = NewRing();
    ActionCounter counter;
    CSubMenuStart* start = new CSubMenuStart(app.device, ring);
    start->AddActionListener(&counter);
    start->AddActionListener(&app);
    queue->AddObject(start, 2, 0);
    Step(0.4f);

    start->StartButton_ActionPerformed(CActionEvent());
    EXPECT_EQ(0, app.mouse->IsMaskOn());
    start->StartButton_ActionPerformed(CActionEvent());
    Key(DIK_RETURN);
    Key(DIK_ESCAPE);   // does not close it while the fade runs
    Step(0.3f);
    EXPECT_TRUE(counter.events.empty());   // the action waits for the fade
    EXPECT_FALSE(start->IsMarkedForDeletion());
    EXPECT_EQ(0, start->IsClosing());

    Step(0.2f);   // the fade has ended: one action, the game runs
    ASSERT_EQ(1u, counter.events.size());
    EXPECT_EQ(CSubMenuStart::ACTION_START_GAME, counter.events[0].GetID());
    EXPECT_EQ(start, counter.events[0].GetSource());
    EXPECT_EQ(1, app.controller->running);
    EXPECT_NE(nullptr, app.controller->gridView);
    Step(1.0f);
    EXPECT_EQ(1u, counter.events.size());
    delete ring;
}

} // namespace
