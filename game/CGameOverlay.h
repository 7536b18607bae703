// CGameOverlay: the in-game heads-up display: a panel on the right with the
// level, the move count and the mode, reset, options and exit buttons, and an
// empty strip along the bottom behind the next-stone views. Its buttons open
// the front end's questions and options (frontend/), and the options report to
// the application (app/), which re-renders the scene's effects.
#ifndef CGAMEOVERLAY_H
#define CGAMEOVERLAY_H

#include <list>
#include <memory>
#include <d3d8.h>

#include "CListenerList.h"
#include "IActionListener.h"
#include "IChangeListener.h"

class C3DWindow;
class C3DStaticText;
class C3DTextButton;
class CGameController;

class CGameOverlay : public IChangeListener
{
public:
    CGameOverlay(IDirect3DDevice8* device, CGameController* controller);
    virtual ~CGameOverlay();

    // A change event of the controller: the mode may have changed.
    virtual void stateChanged(CChangeEvent event);

    void SetLevel(int level);
    // Back to the texts before any level: "Level" without a number, no moves.
    void ClearLevel();
    // The count in decimal, padded with zeros to four digits.
    void SetMoves(int moves);
    void AddActionListener(IActionListener* listener);
    void fireActionPerformed(CActionEvent event);
    void UpdateModeLabel();
    C3DTextButton* CreateTextButton(const char* text, float x, float y, float width, float height);

    void mode_ActionPerformed(CActionEvent event);
    void reset_ActionPerformed(CActionEvent event);
    void options_ActionPerformed(CActionEvent event);
    void exit_ActionPerformed(CActionEvent event);
    void optionclosed_StateChanged(CChangeEvent event);

    class CGameOverlay_mode_IActionListener : public IActionListener
    {
    public:
        explicit CGameOverlay_mode_IActionListener(CGameOverlay* overlay) : overlay(overlay) {}
        virtual void actionPerformed(CActionEvent event) { overlay->mode_ActionPerformed(event); }
    private:
        CGameOverlay* overlay;
    };
    class CGameOverlay_reset_IActionListener : public IActionListener
    {
    public:
        explicit CGameOverlay_reset_IActionListener(CGameOverlay* overlay) : overlay(overlay) {}
        virtual void actionPerformed(CActionEvent event) { overlay->reset_ActionPerformed(event); }
    private:
        CGameOverlay* overlay;
    };
    class CGameOverlay_options_IActionListener : public IActionListener
    {
    public:
        explicit CGameOverlay_options_IActionListener(CGameOverlay* overlay) : overlay(overlay) {}
        virtual void actionPerformed(CActionEvent event) { overlay->options_ActionPerformed(event); }
    private:
        CGameOverlay* overlay;
    };
    class CGameOverlay_exit_IActionListener : public IActionListener
    {
    public:
        explicit CGameOverlay_exit_IActionListener(CGameOverlay* overlay) : overlay(overlay) {}
        virtual void actionPerformed(CActionEvent event) { overlay->exit_ActionPerformed(event); }
    private:
        CGameOverlay* overlay;
    };
    // Tells the overlay that a submenu it opened has closed. It holds the
    // overlay through a shared slot that the overlay clears when it goes, so a
    // submenu that outlives the overlay reaches nothing.
    class CGameOverlay_optionclosed_IChangeListener : public IChangeListener
    {
    public:
        explicit CGameOverlay_optionclosed_IChangeListener(std::shared_ptr<CGameOverlay*> overlay)
            : overlay(overlay), submenuGone(0) {}
        virtual void stateChanged(CChangeEvent event);
        // 1 once its submenu has been deleted.
        int IsSubMenuGone() const { return submenuGone; }
    private:
        std::shared_ptr<CGameOverlay*> overlay;
        int submenuGone;
    };

    CListenerList<IActionListener> actionListeners;
    C3DWindow* rightPanel;
    C3DWindow* bottomPanel;
    C3DStaticText* levelLabel;
    C3DStaticText* moveCounter;
    C3DTextButton* modeButton;
    IDirect3DDevice8* device;
    CGameController* controller;

private:
    CGameOverlay(const CGameOverlay&) = delete;
    CGameOverlay& operator=(const CGameOverlay&) = delete;

    // Queues a submenu over the game and takes the input from the board;
    // listenForClose puts an option-closed listener on it.
    void OpenSubMenu(C3DWindow* submenu, bool listenForClose);

    // The option-closed listeners are the overlay's: each is freed with it.
    struct OpenedSubMenu {
        C3DWindow* submenu;
        CGameOverlay_optionclosed_IChangeListener* listener;
    };
    std::list<OpenedSubMenu> openedSubMenus;

    std::shared_ptr<CGameOverlay*> self;
    std::unique_ptr<CGameOverlay_mode_IActionListener> modeListener;
    std::unique_ptr<CGameOverlay_reset_IActionListener> resetListener;
    std::unique_ptr<CGameOverlay_options_IActionListener> optionsListener;
    std::unique_ptr<CGameOverlay_exit_IActionListener> exitListener;
};

#endif
