#include "CFadeEffect.h"

#include "C3DWindow.h"
#include "CColorFadeModifier.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CD3DApplication.h"

// The black full-screen window of one fade. It owns the fade's modifier and the
// listener on it, so both go when the queue deletes the window, whether the
// fade ended or the queue was emptied first.
class CFadeWindow : public C3DWindow
{
public:
    CFadeWindow(IDirect3DDevice8* device, CColorFadeModifier* modifier,
                CFadeEffect::CFadeEffect_fade_IChangeListener* listener)
        : C3DWindow(device, CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f)), modifier(modifier), listener(listener)
    {
    }

    virtual ~CFadeWindow()
    {
        RemoveModifier(modifier);
        delete modifier;
        delete listener;
    }

    std::shared_ptr<bool> GetAliveFlag() const { return alive; }
    CFadeEffect::CFadeEffect_fade_IChangeListener* GetListener() const { return listener; }

private:
    CColorFadeModifier* modifier;
    CFadeEffect::CFadeEffect_fade_IChangeListener* listener;
};

CFadeEffect::CFadeEffect()
    : window(nullptr), state(0), duration(0.4f), self(std::make_shared<CFadeEffect*>(this)), windowListener(nullptr)
{
}

CFadeEffect::CFadeEffect(float duration)
    : window(nullptr), state(0), duration(duration), self(std::make_shared<CFadeEffect*>(this)),
      windowListener(nullptr)
{
}

CFadeEffect::~CFadeEffect()
{
    // A fade still on screen must not call back into a deleted object.
    *self = nullptr;
    listeners.Clear();
}

void CFadeEffect::FadeIn()
{
    Start(0);
}

void CFadeEffect::FadeOut()
{
    Start(1);
}

void CFadeEffect::Start(int direction)
{
    // Only one fade of this object is on screen at a time: a window of an
    // earlier fade that is still there goes, and its end is no longer reported.
    if (windowAlive && *windowAlive && window) {
        windowListener->Detach();
        window->MarkForDeletion();
    }

    state = direction == 0 ? 2 : 1;
    CColorFadeModifier* modifier = new CColorFadeModifier(direction, duration, D3DXCOLOR(0, 0, 0, 1));
    windowListener = new CFadeEffect_fade_IChangeListener(self);
    IDirect3DDevice8* device = g_pD3DApp ? g_pD3DApp->device : nullptr;
    CFadeWindow* fadeWindow = new CFadeWindow(device, modifier, windowListener);
    fadeWindow->SetColor(D3DXCOLOR(0, 0, 0, 0), D3DXCOLOR(0, 0, 0, 0));
    fadeWindow->AddModifier(modifier);
    modifier->AddChangeListener(windowListener);
    window = fadeWindow;
    windowAlive = fadeWindow->GetAliveFlag();
    CResourceManager::GetObjectQueue()->AddObject(fadeWindow, 4, 0);
}

void CFadeEffect::AddChangeListener(IChangeListener* listener)
{
    listeners.Add(listener);
}

void CFadeEffect::FireStateChanged(CChangeEvent event)
{
    listeners.Fire(&IChangeListener::stateChanged, event);
}

void CFadeEffect::OnModifierFinished()
{
    if (window)
        window->MarkForDeletion();
    CChangeEvent event(nullptr);
    event.SetState(state);
    FireStateChanged(event);
}

void CFadeEffect::CFadeEffect_fade_IChangeListener::stateChanged(CChangeEvent)
{
    // Held locally: the fade may start a new fade from its listeners, which
    // detaches this listener while it runs.
    std::shared_ptr<CFadeEffect*> target = fade;
    if (target && *target)
        (*target)->OnModifierFinished();
}
