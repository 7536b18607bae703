#include "CGameOverlay.h"

#include <string>

#include "C3DFrame.h"
#include "C3DStaticText.h"
#include "C3DTextButton.h"
#include "C3DWindow.h"
#include "CD3DApplication.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CMouse.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CSoundDev.h"
#include "CStone.h"
#include "CStoneInfo.h"
#include "CSubMenuEndGame.h"
#include "CSubMenuOptions.h"
#include "CSubMenuResetLevel.h"
#include "CZarulApplication.h"

static const char* FONT = ".//media//arial.dds";
static const D3DXCOLOR PANEL_COLOR(0.0f, 0.0f, 0.0f, 0.2f);
static const D3DXCOLOR FRAME_COLOR(1.0f, 1.0f, 0.2f, 0.4f);
static const D3DXCOLOR TEXT_COLOR(0.09f, 0.1f, 0.66f, 1.0f);
static const D3DXCOLOR BUTTON_COLOR(1.0f, 1.0f, 0.2f, 0.4f);

// A colour as a packed ARGB value: each part clamped to 0..1, times 255, plus 0.5.
static DWORD Pack(const D3DXCOLOR& color)
{
    const float parts[4] = { color.a, color.r, color.g, color.b };
    DWORD packed = 0;
    for (int i = 0; i < 4; i++) {
        float c = parts[i] < 0.0f ? 0.0f : (parts[i] > 1.0f ? 1.0f : parts[i]);
        packed = (packed << 8) | (DWORD)(c * 255.0f + 0.5f);
    }
    return packed;
}

static void StyleText(C3DText* text)
{
    text->color = Pack(TEXT_COLOR);
    text->effects |= C3DText::EFFECT_SHADDOW;
}


// A translucent panel with a frame, queued over the scene.
static C3DWindow* MakePanel(IDirect3DDevice8* device, CRECTVirtual rect)
{
    C3DWindow* panel = new C3DWindow(device, rect);
    panel->SetColor(PANEL_COLOR, PANEL_COLOR);
    C3DFrame* frame = new C3DFrame(device, CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f), Pack(FRAME_COLOR));
    frame->SetBorderSize(1);
    panel->AddWindow(frame);
    CResourceManager::GetObjectQueue()->AddObject(panel, 4, 0);
    return panel;
}

static C3DStaticText* MakeLabel(IDirect3DDevice8* device, C3DWindow* panel, CRECTVirtual rect, const char* text)
{
    C3DStaticText* label = new C3DStaticText(device, rect, text, FONT);
    StyleText(label->GetTextRenderer());
    panel->AddWindow(label);
    return label;
}

CGameOverlay::CGameOverlay(IDirect3DDevice8* device, CGameController* controller)
    : rightPanel(nullptr), bottomPanel(nullptr), levelLabel(nullptr), moveCounter(nullptr), modeButton(nullptr),
      device(device), controller(controller), self(std::make_shared<CGameOverlay*>(this)),
      modeListener(new CGameOverlay_mode_IActionListener(this)),
      resetListener(new CGameOverlay_reset_IActionListener(this)),
      optionsListener(new CGameOverlay_options_IActionListener(this)),
      exitListener(new CGameOverlay_exit_IActionListener(this))
{
    rightPanel = MakePanel(device, CRECTVirtual(0.82f, 0.02f, 0.16f, 0.8f));
    bottomPanel = MakePanel(device, CRECTVirtual(0.02f, 0.84f, 0.96f, 0.14f));

    levelLabel = MakeLabel(device, rightPanel, CRECTVirtual(0.08f, 0.1f, 0.7f, 0.06f), "Level");
    MakeLabel(device, rightPanel, CRECTVirtual(0.08f, 0.2f, 0.8f, 0.06f), "Moves");
    moveCounter = MakeLabel(device, rightPanel, CRECTVirtual(0.08f, 0.25f, 0.8f, 0.06f), "0000");

    modeButton = CreateTextButton("Ziehen", 0.1f, 0.75f, 0.8f, 0.042f);
    modeButton->AddActionListener(modeListener.get());
    CreateTextButton("Reset", 0.1f, 0.8f, 0.8f, 0.042f)->AddActionListener(resetListener.get());
    CreateTextButton("Optionen", 0.1f, 0.85f, 0.8f, 0.042f)->AddActionListener(optionsListener.get());
    CreateTextButton("Exit", 0.1f, 0.9f, 0.8f, 0.042f)->AddActionListener(exitListener.get());

    if (controller)
        controller->AddChangeListener(this);
}

CGameOverlay::~CGameOverlay()
{
    *self = nullptr;
    rightPanel->MarkForDeletion();
    bottomPanel->MarkForDeletion();
    levelLabel->MarkForDeletion();
    moveCounter->MarkForDeletion();
    modeButton->MarkForDeletion();
    if (CGameController::GetExistingInstance() == controller && controller)
        controller->RemoveChangeListener(this);

    // Submenus opened from here that are still up drop their closed listener
    // before it goes; those already gone took nothing with them.
    CObjQueue* queue = CResourceManager::GetObjectQueue();
    for (OpenedSubMenu& opened : openedSubMenus) {
        if (!opened.listener->IsSubMenuGone() && queue->Contains(opened.submenu))
            opened.submenu->RemoveChangeEventListener(opened.listener);
        delete opened.listener;
    }
    openedSubMenus.clear();
    actionListeners.Clear();
}

C3DTextButton* CGameOverlay::CreateTextButton(const char* text, float x, float y, float width, float height)
{
    C3DTextButton* button = new C3DTextButton(device, CRECTVirtual(x, y, width, height), text, FONT, BUTTON_COLOR);
    if (CMouse* mouse = CD3DApplication::LiveMouse()) {
        mouse->AddMouseEventListener(button);
        mouse->AddMouseMotionEventListener(button);
    }
    StyleText(button->GetTextRenderer());
    rightPanel->AddWindow(button);
    return button;
}

void CGameOverlay::stateChanged(CChangeEvent)
{
    UpdateModeLabel();
}

void CGameOverlay::SetLevel(int level)
{
    std::string text = "Level " + std::to_string(level);
    levelLabel->SetText(text.c_str());
}

void CGameOverlay::ClearLevel()
{
    levelLabel->SetText("Level");
    SetMoves(0);
}

void CGameOverlay::SetMoves(int moves)
{
    std::string digits = std::to_string(moves);
    if (digits.size() < 4)
        digits.insert(0, 4 - digits.size(), '0');
    moveCounter->SetText(digits.c_str());
}

void CGameOverlay::AddActionListener(IActionListener* listener)
{
    actionListeners.Add(listener);
}

void CGameOverlay::fireActionPerformed(CActionEvent event)
{
    actionListeners.Fire(&IActionListener::actionPerformed, event);
}

void CGameOverlay::UpdateModeLabel()
{
    if (!controller)
        return;
    modeButton->SetText(controller->mode % 2 == 1 ? "ziehen" : "plazieren");
}

void CGameOverlay::mode_ActionPerformed(CActionEvent event)
{
    CSoundDev* sound = CResourceManager::GetSoundDevice();
    sound->PlayIndex(sound->LoadSound("MENU_CLICK", nullptr), 0, -1.0f, 1);
    CActionEvent toggle = event;
    toggle.SetID(CGameController::ACTION_TOGGLE_MODE);
    fireActionPerformed(toggle);
    UpdateModeLabel();
}

void CGameOverlay::reset_ActionPerformed(CActionEvent)
{
    if (!controller || controller->running != 1)
        return;
    OpenSubMenu(new CSubMenuResetLevel(device, nullptr), true);
}

void CGameOverlay::exit_ActionPerformed(CActionEvent)
{
    if (!controller || controller->running != 1)
        return;
    OpenSubMenu(new CSubMenuEndGame(device, nullptr), true);
}

void CGameOverlay::options_ActionPerformed(CActionEvent)
{
    if (!controller || controller->running != 1)
        return;
    CSubMenuOptions* options = new CSubMenuOptions(device, nullptr, 0);
    CZarulApplication* application = dynamic_cast<CZarulApplication*>(g_pD3DApp);
    if (application)
        options->AddActionListener(application);
    OpenSubMenu(options, application != nullptr);
}

void CGameOverlay::OpenSubMenu(C3DWindow* submenu, bool listenForClose)
{
    // Listeners of submenus that have been deleted are referenced by no one.
    for (auto it = openedSubMenus.begin(); it != openedSubMenus.end();) {
        if (it->listener->IsSubMenuGone()) {
            delete it->listener;
            it = openedSubMenus.erase(it);
        } else {
            ++it;
        }
    }
    if (listenForClose) {
        CGameOverlay_optionclosed_IChangeListener* listener = new CGameOverlay_optionclosed_IChangeListener(self);
        submenu->AddChangeEventListener(listener);
        openedSubMenus.push_back(OpenedSubMenu{ submenu, listener });
    }
    CResourceManager::GetObjectQueue()->AddObject(submenu, 4, 0);
    controller->running = 0;
}

void CGameOverlay::optionclosed_StateChanged(CChangeEvent)
{
    CGameController* game = CGameController::GetExistingInstance();
    if (!game)
        return;
    if (game->IsGameOn())
        game->running = 1;
    if (CMouse* mouse = CD3DApplication::LiveMouse())
        mouse->refresh = 1;
    if (game->gameData) {
        CGrid* grid = game->gameData->board;
        for (int i = 0; i < grid->stoneCount; i++) {
            CStoneInfo* info = grid->sortedStones[i];
            if (info && info->stone)
                info->stone->UpdateShadowFlag();
        }
    }
}

void CGameOverlay::CGameOverlay_optionclosed_IChangeListener::stateChanged(CChangeEvent event)
{
    if (event.GetState() == CChangeEvent::PRE_OBJECT_DELETION)
        submenuGone = 1;
    if (*overlay)
        (*overlay)->optionclosed_StateChanged(event);
}
