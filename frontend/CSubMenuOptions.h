// CSubMenuOptions: the options submenu. Five check boxes (music, sound,
// reflections, shadows, particle effects) act at once; the display mode and
// the start level are applied when it closes, and closing also stores the
// display mode and writes the level file.
#ifndef CSUBMENUOPTIONS_H
#define CSUBMENUOPTIONS_H

#include "CSubMenu.h"
#include "CDisplayRecords.h"

#include <string>

class C3DCheckBox;
class C3DToggleSelection;
class CStartLevelToggle;

class CSubMenuOptions : public CSubMenu
{
public:
    // Each of the seven rows reports to a listener that forwards to one handler.
    template <void (CSubMenuOptions::*Handler)(CActionEvent)>
    class RowListener : public IActionListener {
    public:
        explicit RowListener(CSubMenuOptions* owner) : owner(owner) {}
        virtual void actionPerformed(CActionEvent event) { (owner->*Handler)(event); }
    private:
        CSubMenuOptions* owner;
    };

    void music_ActionPerformed(CActionEvent event);
    void effects_ActionPerformed(CActionEvent event);
    void envMap_ActionPerformed(CActionEvent event);
    void shadowEff_ActionPerformed(CActionEvent event);
    void geff_ActionPerformed(CActionEvent event);
    void res_ActionPerformed(CActionEvent event);
    void startlevel_ActionPerformed(CActionEvent event);

    typedef RowListener<&CSubMenuOptions::music_ActionPerformed> CSubMenuOptions_music_IActionListener;
    typedef RowListener<&CSubMenuOptions::effects_ActionPerformed> CSubMenuOptions_effects_IActionListener;
    typedef RowListener<&CSubMenuOptions::envMap_ActionPerformed> CSubMenuOptions_envMap_IActionListener;
    typedef RowListener<&CSubMenuOptions::shadowEff_ActionPerformed> CSubMenuOptions_shadowEff_IActionListener;
    typedef RowListener<&CSubMenuOptions::geff_ActionPerformed> CSubMenuOptions_geff_IActionListener;
    typedef RowListener<&CSubMenuOptions::res_ActionPerformed> CSubMenuOptions_res_IActionListener;
    typedef RowListener<&CSubMenuOptions::startlevel_ActionPerformed> CSubMenuOptions_startlevel_IActionListener;

    // ring: the menu ring, or null when the game's overlay opens it.
    // mouseFlag: 1 gives the display-mode chooser the application's mouse, 0 none.
    CSubMenuOptions(IDirect3DDevice8* device, CMenuRing* ring, int mouseFlag);
    virtual ~CSubMenuOptions();

    // Applies the chosen display mode, stores it, writes the level file, then
    // closes as every submenu does.
    virtual void Close();
    // A device reset (the mode chosen here) switches every render effect on;
    // the effect boxes then apply the player's choices again.
    virtual void Restore();

    int musicState;                 // the background music's state when the submenu was made
    int soundState;                 // the sound switch
    D3DAdapterRecord displayRecord; // copy of the application's current adapter; holds the chosen mode

    // The two choosers, for callers that look at them; children of the window.
    C3DToggleSelection* resolutionToggle;
    CStartLevelToggle* startLevelToggle;   // null when there is no level list (editor mode)

    // The five check boxes in row order: music, sound, reflections, shadows, particles.
    enum { BOX_MUSIC, BOX_SOUND, BOX_ENVMAP, BOX_SHADOW, BOX_PARTICLES, BOX_COUNT };
    C3DCheckBox* boxes[BOX_COUNT];

    // The text of a display mode as the chooser shows it: width x height x bits.
    static std::string ModeText(const D3DModeRecord& mode);

private:
    void AddLabel(const char* text, float y);
    C3DCheckBox* AddCheckBox(float y, int effect, int checked, IActionListener* listener);
    // Switches one render effect on or off from its box; true when it is now on.
    bool ApplyEffect(CActionEvent event, int effect);
    // Sets the render effects as the three effect boxes show them (locked ones aside).
    void ApplyEffectBoxes();

    CSubMenuOptions_music_IActionListener musicListener;
    CSubMenuOptions_effects_IActionListener effectsListener;
    CSubMenuOptions_envMap_IActionListener envMapListener;
    CSubMenuOptions_shadowEff_IActionListener shadowEffListener;
    CSubMenuOptions_geff_IActionListener geffListener;
    CSubMenuOptions_res_IActionListener resListener;
    CSubMenuOptions_startlevel_IActionListener startlevelListener;
};

#endif
