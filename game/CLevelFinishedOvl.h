// CLevelFinishedOvl: the short scene after a won level: the level-finished
// picture with its sound, then, for a new best result, a second picture with a
// text box for the player's name. It hands back to the controller when done.
// While it is up the game takes no input and the mouse is masked.
#ifndef CLEVELFINISHEDOVL_H
#define CLEVELFINISHEDOVL_H

#include <memory>

#include "C3DObject.h"
#include "IChangeListener.h"

class C3DIcon;
class C3DWindow;
class C3DTextBox;
class CFadeInOutModifier;
class CGameController;

class CLevelFinishedOvl : public C3DObject, public IChangeListener
{
public:
    CLevelFinishedOvl(IDirect3DDevice8* device, CGameController* controller, int best);
    virtual ~CLevelFinishedOvl();

    // The first picture has gone.
    virtual void stateChanged(CChangeEvent event);
    // The name entry has changed its state.
    void OnInputChanged(CChangeEvent event);

    class CLevelFinishedOvl_input_IChangeListener : public IChangeListener
    {
    public:
        explicit CLevelFinishedOvl_input_IChangeListener(std::shared_ptr<CLevelFinishedOvl*> overlay) : overlay(overlay) {}
        virtual void stateChanged(CChangeEvent event);
    private:
        std::shared_ptr<CLevelFinishedOvl*> overlay;
    };

    C3DIcon* icon;                  // the picture on show; owned by the object queue
    CGameController* controller;
    int best;                       // stored best of the level; 999999 when none
    C3DTextBox* textBox;            // name entry; null until made
    CFadeInOutModifier* modifier;   // fade of the picture on show

private:
    // Points at this overlay while it lives; the name entry's listener holds a copy.
    std::shared_ptr<CLevelFinishedOvl*> self;
    // The level-finished picture and whether it is still alive.
    C3DWindow* firstIconWindow;
    std::shared_ptr<bool> firstIconAlive;
    // 1 once the overlay has handed back to the controller.
    int finished;
};

#endif
