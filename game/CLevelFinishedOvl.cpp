#include "CLevelFinishedOvl.h"

#include <string>

#include "C3DIcon.h"
#include "C3DTextBox.h"
#include "CD3DApplication.h"
#include "CFadeInOutModifier.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CMouse.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CSoundDev.h"

static const CRECTVirtual PICTURE_RECT(0.35f, 0.4f, 0.3f, 0.2f);

// A picture of the overlay. It owns the fade modifier attached to it and the
// name entry's listener, so both go with the picture, whenever the queue
// deletes it.
class CLevelFinishedIcon : public C3DIcon
{
public:
    CLevelFinishedIcon(IDirect3DDevice8* device, const char* texture, CFadeInOutModifier* modifier)
        : C3DIcon(device, PICTURE_RECT, texture), modifier(modifier), textBox(nullptr), inputListener(nullptr)
    {
        SetColor(D3DXCOLOR(1, 1, 1, 0), D3DXCOLOR(1, 1, 1, 0));
        AddModifier(modifier);
    }

    virtual ~CLevelFinishedIcon()
    {
        RemoveModifier(modifier);
        delete modifier;
        if (textBox)
            textBox->RemoveChangeEventListener(inputListener);
        delete inputListener;
    }

    // The name entry below the picture and its listener, which the picture keeps.
    void AddNameEntry(C3DTextBox* box, IChangeListener* listener)
    {
        textBox = box;
        inputListener = listener;
        AddWindow(box);
        box->AddChangeEventListener(listener);
    }

    std::shared_ptr<bool> GetAliveFlag() const { return alive; }

private:
    CFadeInOutModifier* modifier;
    C3DTextBox* textBox;
    IChangeListener* inputListener;
};


static void PlaySound(const char* name)
{
    CSoundDev* sound = CResourceManager::GetSoundDevice();
    sound->PlayIndex(sound->LoadSound(name, nullptr), 0, -1.0f, 1);
}

CLevelFinishedOvl::CLevelFinishedOvl(IDirect3DDevice8* device, CGameController* controller, int best)
    : C3DObject(device, D3DXVECTOR3(0, 0, 0)), icon(nullptr), controller(controller), best(best), textBox(nullptr),
      modifier(nullptr), self(std::make_shared<CLevelFinishedOvl*>(this)), firstIconWindow(nullptr), finished(0)
{
    controller->running = 0;

    modifier = new CFadeInOutModifier(0.5f, -0.1f, 0.5f);
    CLevelFinishedIcon* picture = new CLevelFinishedIcon(device, ".//media//level_finished.dds", modifier);
    icon = picture;
    firstIconWindow = picture;
    firstIconAlive = picture->GetAliveFlag();
    if (CMouse* mouse = CD3DApplication::LiveMouse())
        mouse->AddMouseEventListener(modifier);
    icon->AddChangeEventListener(this);
    CResourceManager::GetObjectQueue()->AddObject(icon, 4, 0);

    PlaySound("GAME_FINISH");
    if (CMouse* mouse = CD3DApplication::LiveMouse())
        mouse->SetMouseMask(1, icon->GetWindowSize(), 1);
}

CLevelFinishedOvl::~CLevelFinishedOvl()
{
    *self = nullptr;
    // The first picture may still be up when the queue is emptied.
    if (firstIconAlive && *firstIconAlive)
        firstIconWindow->RemoveChangeEventListener(this);
    if (CMouse* mouse = CD3DApplication::LiveMouse())
        mouse->SetMouseMask(0, CRECTScreen(), 1);
    if (CGameController::GetExistingInstance() == controller && controller->IsGameOn())
        controller->running = 1;
}

void CLevelFinishedOvl::stateChanged(CChangeEvent event)
{
    if (event.GetState() != CChangeEvent::PRE_OBJECT_DELETION || finished)
        return;
    firstIconAlive.reset();

    CMouse* mouse = CD3DApplication::LiveMouse();
    int moves = controller->gameData ? controller->gameData->moves : best;
    if (moves < best) {
        if (mouse)
            mouse->RemoveMouseEventListener(modifier);
        modifier = new CFadeInOutModifier(0.5f, -0.1f, 0.5f);
        CLevelFinishedIcon* picture = new CLevelFinishedIcon(device, ".//media//highscore.dds", modifier);
        icon = picture;
        textBox = new C3DTextBox(device, CRECTVirtual(0.0f, 1.0f, 1.0f, 0.2f));
        picture->AddNameEntry(textBox, new CLevelFinishedOvl_input_IChangeListener(self));
        if (mouse)
            mouse->AddMouseEventListener(textBox);
        textBox->setSelected(1);
        CResourceManager::GetObjectQueue()->AddObject(icon, 4, 0);
        if (mouse)
            mouse->SetMouseMask(1, CRECTScreen(), 1);
    } else {
        finished = 1;
        icon = nullptr;
        controller->OnLevelFinishedClosed();
        if (mouse)
            mouse->SetMouseMask(0, CRECTScreen(), 1);
        if (controller->IsGameOn())
            controller->running = 1;
    }
}

void CLevelFinishedOvl::OnInputChanged(CChangeEvent event)
{
    if (finished || !textBox || event.GetState() != CChangeEvent::STATE_CHANGED ||
        textBox->GetState() != C3DWindow::STATE_INACTIVE)
        return;
    finished = 1;
    std::string name = textBox->GetText();
    if (CMouse* mouse = CD3DApplication::LiveMouse())
        mouse->RemoveMouseEventListener(textBox);
    controller->RecordScore(name.c_str());
    MarkForDeletion();
    icon->MarkForDeletion();
    controller->OnLevelFinishedClosed();
}

void CLevelFinishedOvl::CLevelFinishedOvl_input_IChangeListener::stateChanged(CChangeEvent event)
{
    if (*overlay)
        (*overlay)->OnInputChanged(event);
}
