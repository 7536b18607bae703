#include "CSubMenuStart.h"

#include "CFadeEffect.h"
#include "C3DTextButton.h"
#include "CZarulApplication.h"

void CSubMenuStart::CSubMenuStart_StartButton_IActionListener::actionPerformed(CActionEvent event)
{
    owner->StartButton_ActionPerformed(event);
}

void CSubMenuStart::CSubMenuStart_Fade_IChangeListener::stateChanged(CChangeEvent event)
{
    owner->Fade_StateChanged(event);
}

CSubMenuStart::CSubMenuStart(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenu(device, ring), startListener(this), fadeListener(this), startFade(nullptr), starting(0), started(0)
{
    C3DTextButton* button = new C3DTextButton(device, CRECTVirtual(0.35f, 0.4f, 0.3f, 0.15f), "Start",
                                              ".//media//arial.dds", D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f));
    button->AddActionListener(&startListener);
    CZarulApplication::ListenToMouse(button);
    AddWindow(button);
}

CSubMenuStart::~CSubMenuStart()
{
    // The fade's window belongs to the scene; the fade itself goes here.
    delete startFade;
    startFade = nullptr;
}

// Fades to black; the game starts when the fade has ended. Only the first
// press counts: a second one would start a second fade and a second game.
void CSubMenuStart::StartButton_ActionPerformed(CActionEvent event)
{
    (void)event;
    if (starting || closing)
        return;
    starting = 1;
    startFade = new CFadeEffect();
    startFade->FadeOut();
    startFade->AddChangeListener(&fadeListener);
    SetMask(0);
}

void CSubMenuStart::Fade_StateChanged(CChangeEvent event)
{
    (void)event;
    if (started)
        return;
    started = 1;
    FireAction(CActionEvent(this, ACTION_START_GAME));
}

void CSubMenuStart::Confirm()
{
    StartButton_ActionPerformed(CActionEvent(nullptr, CActionEvent::ACTION_DEFAULT));
}

// Escape and "zurück" close the submenu only before the start: once the fade
// runs, the submenu must live until it has sent its action.
void CSubMenuStart::Close()
{
    if (starting)
        return;
    CSubMenu::Close();
}
