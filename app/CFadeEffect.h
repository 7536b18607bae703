// CFadeEffect: fades the whole screen from black or to black over a set time
// and tells its change listeners when the fade has ended (event state 1 after a
// fade-out, 2 after a fade-in). The darkening is a full-screen window carrying
// the engine's colour-fade modifier.
#ifndef CFADEEFFECT_H
#define CFADEEFFECT_H

#include <list>
#include <memory>

#include "CListenerList.h"
#include "IChangeListener.h"

class C3DWindow;

class CFadeEffect
{
public:
    CFadeEffect();
    explicit CFadeEffect(float duration);
    virtual ~CFadeEffect();

    void FadeIn();
    void FadeOut();
    void AddChangeListener(IChangeListener* listener);
    void FireStateChanged(CChangeEvent event);
    // The modifier of the running fade has ended.
    void OnModifierFinished();

    // Registered with the modifier of one fade; forwards its end to the fade.
    class CFadeEffect_fade_IChangeListener : public IChangeListener
    {
    public:
        explicit CFadeEffect_fade_IChangeListener(std::shared_ptr<CFadeEffect*> fade) : fade(fade) {}
        virtual void stateChanged(CChangeEvent event);
        // Stops forwarding (the fade was replaced or its owner is gone).
        void Detach() { fade.reset(); }
    private:
        std::shared_ptr<CFadeEffect*> fade;
    };

    CListenerList<IChangeListener> listeners;
    C3DWindow* window;      // window of the running or last fade; owned by the object queue
    int state;              // 2 fade-in, 1 fade-out, 0 none yet
    float duration;         // seconds

private:
    CFadeEffect(const CFadeEffect&) = delete;
    CFadeEffect& operator=(const CFadeEffect&) = delete;

    void Start(int direction);

    // Points at this object while it lives; the fade listeners hold copies.
    std::shared_ptr<CFadeEffect*> self;
    // True while the window of the last fade is still alive.
    std::shared_ptr<bool> windowAlive;
    CFadeEffect_fade_IChangeListener* windowListener;
};

#endif
