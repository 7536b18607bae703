// CSubMenu: base of the modal windows of the menu and the game. It gives each
// submenu a half-transparent window with a yellow frame, a back button
// "zurück", a scale-in when it opens and a scale-out when it closes, the mouse
// mask while it is open, Escape (close) and Return (confirm), and a list of
// action listeners to which a submenu reports what the user chose.
#ifndef CSUBMENU_H
#define CSUBMENU_H

#include "C3DWindow.h"
#include "CListenerList.h"
#include "CActionEvent.h"
#include "IActionListener.h"
#include "IChangeListener.h"
#include "IKeyListener.h"

class CMenuRing;
class CWindowScaleModifier;
class C3DTextButton;

class CSubMenu : public C3DWindow, public IChangeListener, public IKeyListener {
public:
    // The back button reports here; forwards to back_ActionPerformed.
    class CSubMenu_back_IActionListener : public IActionListener {
    public:
        explicit CSubMenu_back_IActionListener(CSubMenu* owner) : owner(owner) {}
        virtual void actionPerformed(CActionEvent event);
    private:
        CSubMenu* owner;
    };

    // ring: the menu ring that opened the submenu (switched off while it is
    // open), or null when the game opened it.
    CSubMenu(IDirect3DDevice8* device, CMenuRing* ring);
    virtual ~CSubMenu();

    virtual void Render();

    // Starts the scale-out and lifts the mouse mask; the submenu goes when the
    // scale-out has ended.
    virtual void Close();
    // The default action on Return; nothing here.
    virtual void Confirm();

    void AddActionListener(IActionListener* listener);
    void RemoveActionListener(IActionListener* listener);
    void FireAction(CActionEvent event);

    void back_ActionPerformed(CActionEvent event);

    // End of the scale modifier: after a Close the ring comes back and the
    // submenu marks itself for deletion.
    virtual void stateChanged(CChangeEvent event);
    // Escape closes, Return confirms.
    virtual void keyPressed(CKeyEvent event);
    virtual void keyReleased(CKeyEvent event);

    CMenuRing* GetRing() const { return ring; }
    int IsClosing() const { return closing; }

    // Mask on or off over this window on the application's mouse.
    void SetMask(int on);

    // The submenus' text blue (0.09, 0.1, 0.66, 1) and frame yellow (1, 1, 0.2, 0.7).
    static const D3DXCOLOR TEXT_BLUE;
    static const D3DXCOLOR FRAME_YELLOW;

protected:
    // The layout the question submenus share: the small window, an "OK" button
    // reporting to ok, and the question at (x, 0.2); shown at once, unscaled.
    void BuildQuestion(const char* question, float x, IActionListener* ok);
    // Lifts the mask, gives the ring (if any) its keys back and marks the
    // submenu for deletion at once (the question submenus close without the
    // scale-out).
    void CloseAtOnce();

    CWindowScaleModifier* scaleModifier;   // the running scale-in or scale-out; owned
    CMenuRing* ring;                       // not owned; null when opened by the game
    CListenerList<IActionListener> actionListeners;   // not owned
    int closing;                           // 1 once Close has started the scale-out
    C3DTextButton* backButton;             // child window

private:
    CSubMenu_back_IActionListener backListener;
};

#endif
