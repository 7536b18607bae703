#include "CSubMenuOptions.h"

#include <stdio.h>
#include <vector>

#include "C3DCheckBox.h"
#include "C3DFrame.h"
#include "C3DStaticText.h"
#include "C3DText.h"
#include "C3DTextButton.h"
#include "C3DToggleSelection.h"
#include "CD3DApplication.h"
#include "CGameController.h"
#include "CLevelLoader.h"
#include "CMouse.h"
#include "CResourceManager.h"
#include "CSoundDev.h"
#include "CStartLevelToggle.h"
#include "CZarulApplication.h"

namespace {


// The current device of an adapter record, or null when it has none.
D3DDeviceRecord* CurrentDevice(D3DAdapterRecord& record)
{
    if (record.dwCurrentDevice >= record.devices.size())
        return nullptr;
    return &record.devices[record.dwCurrentDevice];
}

bool EffectOn(int effect)
{
    return g_pD3DApp && (g_pD3DApp->renderEffects & effect) > 0;
}

// The level list of the running controller; null in the editor's mode, where
// the controller has none.
CLevelLoader* ControllerLevels()
{
    CGameController* controller = CGameController::GetInstance();
    if (!controller || controller->editorMode)
        return nullptr;
    return controller->levelLoader;
}

}

CSubMenuOptions::CSubMenuOptions(IDirect3DDevice8* device, CMenuRing* ring, int mouseFlag)
    : CSubMenu(device, ring), musicState(0), soundState(0), resolutionToggle(nullptr), startLevelToggle(nullptr),
      musicListener(this), effectsListener(this), envMapListener(this), shadowEffListener(this), geffListener(this),
      resListener(this), startlevelListener(this)
{
    displayRecord.dwCurrentDevice = 0;
    for (int i = 0; i < BOX_COUNT; i++)
        boxes[i] = nullptr;

    CSoundDev* sound = CResourceManager::GetSoundDevice();
    int music = sound->LoadSound("MENU_BACKGROUND", nullptr);
    musicState = sound->GetSoundState(music);
    soundState = sound->soundSwitch;

    // The five boxes act at once.
    AddLabel("Music", 0.1f);
    boxes[BOX_MUSIC] = AddCheckBox(0.1f, 0, musicState, &musicListener);
    AddLabel("Sound", 0.2f);
    boxes[BOX_SOUND] = AddCheckBox(0.2f, 0, soundState, &effectsListener);
    AddLabel("Reflektion", 0.3f);
    boxes[BOX_ENVMAP] = AddCheckBox(0.3f, CD3DApplication::R_EFFECT_ENVMAP, EffectOn(CD3DApplication::R_EFFECT_ENVMAP),
                                    &envMapListener);
    AddLabel("Schatten", 0.4f);
    boxes[BOX_SHADOW] = AddCheckBox(0.4f, CD3DApplication::R_EFFECT_SHADOW, EffectOn(CD3DApplication::R_EFFECT_SHADOW),
                                    &shadowEffListener);
    AddLabel("Fx", 0.5f);
    boxes[BOX_PARTICLES] = AddCheckBox(0.5f, CD3DApplication::R_EFFECT_PARTICLES,
                                       EffectOn(CD3DApplication::R_EFFECT_PARTICLES), &geffListener);

    // Display mode: chosen here, applied on close.
    AddLabel("Auflösung", 0.6f);
    if (g_pD3DApp)
        displayRecord = g_pD3DApp->GetCurrentAdapter();
    std::vector<std::string> modeTexts;
    int currentMode = 0;
    if (D3DDeviceRecord* current = CurrentDevice(displayRecord)) {
        for (const D3DModeRecord& mode : current->modes)
            modeTexts.push_back(ModeText(mode));
        currentMode = (int)current->dwCurrentMode;
    }
    std::vector<const char*> entries;
    for (const std::string& text : modeTexts)
        entries.push_back(text.c_str());
    resolutionToggle = new C3DToggleSelection(device, CRECTVirtual(0.573f, 0.63f, 0.31f, 0.05f), ".//media//next.dds",
                                              ".//media//prev.dds", entries.empty() ? nullptr : entries.data(),
                                              (int)entries.size(), mouseFlag == 1 ? CD3DApplication::LiveMouse() : nullptr, 0.08f);
    resolutionToggle->SetSelection(currentMode);
    resolutionToggle->AddActionListener(&resListener);
    AddWindow(resolutionToggle);

    // Start level: only with a level list to choose from. In the editor's mode
    // the controller has none, and the row is left out.
    CLevelLoader* levels = ControllerLevels();
    if (levels) {
        AddLabel("Start Level", 0.7f);
        // Up to one past the last completed level, but never past the levels
        // in the file: a number beyond them names no level.
        int maximum = levels->completed + 1;
        int count = levels->GetLevelCount();
        if (count > 0 && maximum > count)
            maximum = count;
        if (maximum < 1)
            maximum = 1;
        startLevelToggle = new CStartLevelToggle(device, CRECTVirtual(0.65f, 0.73f, 0.15f, 0.08f), maximum,
                                                 CD3DApplication::LiveMouse());
        C3DText* label = startLevelToggle->labelButton->GetTextRenderer();
        label->effects |= C3DText::EFFECT_SHADDOW;
        label->color = (DWORD)TEXT_BLUE;
        startLevelToggle->AddActionListener(&startlevelListener);
        AddWindow(startLevelToggle);
    }
}

CSubMenuOptions::~CSubMenuOptions()
{
}

std::string CSubMenuOptions::ModeText(const D3DModeRecord& mode)
{
    int bits = 16;
    if (mode.Format == D3DFMT_X8R8G8B8 || mode.Format == D3DFMT_A8R8G8B8 || mode.Format == D3DFMT_R8G8B8)
        bits = 32;
    char text[48];
    snprintf(text, sizeof(text), "%d x %d x %d", (int)mode.Width, (int)mode.Height, bits);
    return text;
}

void CSubMenuOptions::AddLabel(const char* text, float y)
{
    C3DStaticText* label = new C3DStaticText(device, CRECTVirtual(0.2f, y, 0.15f, 0.1f), text, ".//media//arial.dds");
    label->GetTextRenderer()->color = (DWORD)TEXT_BLUE;
    label->GetTextRenderer()->effects |= C3DText::EFFECT_SHADDOW;
    AddWindow(label);
}

// effect 0: a box that is never locked (music, sound).
C3DCheckBox* CSubMenuOptions::AddCheckBox(float y, int effect, int checked, IActionListener* listener)
{
    C3DCheckBox* box = new C3DCheckBox(device, CRECTVirtual(0.705f, y + 0.03f, 0.04f, 0.04f), CD3DApplication::LiveMouse());
    box->SetQuadratic(1);
    if (effect != 0)
        box->SetLocked(g_pD3DApp && g_pD3DApp->IsRenderEffectCapable(effect) ? 0 : 1);
    box->SetChecked(checked ? 1 : 0);
    box->AddActionListener(listener);
    C3DFrame* frame = new C3DFrame(device, CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f), (DWORD)TEXT_BLUE);
    frame->SetBorderSize(2);
    box->AddWindow(frame);
    AddWindow(box);
    return box;
}

void CSubMenuOptions::music_ActionPerformed(CActionEvent event)
{
    C3DCheckBox* box = dynamic_cast<C3DCheckBox*>(event.GetSource());
    if (!box)
        return;
    CSoundDev* sound = CResourceManager::GetSoundDevice();
    int music = sound->LoadSound("MENU_BACKGROUND", nullptr);
    sound->PlayIndex(music, 1, -1.0f, box->checked);
}

void CSubMenuOptions::effects_ActionPerformed(CActionEvent event)
{
    C3DCheckBox* box = dynamic_cast<C3DCheckBox*>(event.GetSource());
    if (!box)
        return;
    soundState = box->checked;
    CResourceManager::GetSoundDevice()->soundSwitch = box->checked;
}

bool CSubMenuOptions::ApplyEffect(CActionEvent event, int effect)
{
    C3DCheckBox* box = dynamic_cast<C3DCheckBox*>(event.GetSource());
    if (!box || !g_pD3DApp)
        return false;
    BYTE effects = g_pD3DApp->renderEffects;
    if (box->checked)
        effects |= (BYTE)effect;
    else
        effects &= (BYTE)~effect;
    g_pD3DApp->SetRenderEffects(effects);
    return box->checked != 0;
}

void CSubMenuOptions::ApplyEffectBoxes()
{
    static const int rows[][2] = { { BOX_ENVMAP, CD3DApplication::R_EFFECT_ENVMAP },
                                   { BOX_SHADOW, CD3DApplication::R_EFFECT_SHADOW },
                                   { BOX_PARTICLES, CD3DApplication::R_EFFECT_PARTICLES } };
    if (!g_pD3DApp)
        return;
    BYTE effects = g_pD3DApp->renderEffects;
    for (const auto& row : rows) {
        // A locked box offered no choice: the effect stays as the restore left it.
        if (!boxes[row[0]] || boxes[row[0]]->IsLocked())
            continue;
        if (boxes[row[0]]->checked)
            effects |= (BYTE)row[1];
        else
            effects &= (BYTE)~row[1];
    }
    g_pD3DApp->SetRenderEffects(effects);
}

void CSubMenuOptions::envMap_ActionPerformed(CActionEvent event)
{
    if (!ApplyEffect(event, CD3DApplication::R_EFFECT_ENVMAP))
        return;
    if (CZarulApplication* app = dynamic_cast<CZarulApplication*>(g_pD3DApp))
        app->RenderEnvMap();
}

void CSubMenuOptions::shadowEff_ActionPerformed(CActionEvent event)
{
    ApplyEffect(event, CD3DApplication::R_EFFECT_SHADOW);
}

void CSubMenuOptions::geff_ActionPerformed(CActionEvent event)
{
    ApplyEffect(event, CD3DApplication::R_EFFECT_PARTICLES);
}

void CSubMenuOptions::res_ActionPerformed(CActionEvent event)
{
    C3DToggleSelection* toggle = dynamic_cast<C3DToggleSelection*>(event.GetSource());
    if (!toggle)
        return;
    D3DDeviceRecord* current = CurrentDevice(displayRecord);
    if (current && toggle->selection >= 0 && (size_t)toggle->selection < current->modes.size())
        current->dwCurrentMode = (DWORD)toggle->selection;
}

void CSubMenuOptions::startlevel_ActionPerformed(CActionEvent event)
{
    C3DToggleSelection* toggle = dynamic_cast<C3DToggleSelection*>(event.GetSource());
    if (!toggle)
        return;
    CLevelLoader* levels = ControllerLevels();
    // Only a level that is in the file becomes the start level.
    if (levels && toggle->selection >= 1 && toggle->selection <= levels->GetLevelCount())
        levels->last = toggle->selection;
}

void CSubMenuOptions::Restore()
{
    CSubMenu::Restore();
    ApplyEffectBoxes();
}

void CSubMenuOptions::Close()
{
    if (g_pD3DApp) {
        D3DAdapterRecord now = g_pD3DApp->GetCurrentAdapter();
        D3DDeviceRecord* chosen = CurrentDevice(displayRecord);
        D3DDeviceRecord* current = CurrentDevice(now);
        if (chosen && current && chosen->dwCurrentMode != current->dwCurrentMode)
            g_pD3DApp->ChangeMode((int)chosen->dwCurrentMode);
        g_pD3DApp->SaveDisplayMode();
    }
    // Writes the start level; without a level list (editor mode) nothing is written.
    if (ControllerLevels())
        CGameController::GetInstance()->SaveLevels();
    CSubMenu::Close();
}
