#include "CFadeInOutModifier.h"

#include "C3DWindow.h"
#include "CMouse.h"
#include "CInputManager.h"
#include "CResourceManager.h"

CFadeInOutModifier::CFadeInOutModifier(float in, float holdTime, float out)
    : fadeIn(in), hold(holdTime), fadeOut(out), phase(PHASE_IN), phaseTime(0.0f), skipRequested(0)
{
}

CFadeInOutModifier::~CFadeInOutModifier()
{
    LeaveInput();
}

// Nobody unregisters this modifier from the keys and the mouse; it does so itself
// once its work is done or it goes away.
void CFadeInOutModifier::LeaveInput()
{
    CResourceManager::GetInputManager()->RemoveKeyListener(this);
    CMouse::RemoveListenerEverywhere(static_cast<IMouseListener*>(this));
}

float CFadeInOutModifier::GetAlpha() const
{
    float a;
    switch (phase) {
    case PHASE_IN:
        a = fadeIn > 0.0f ? phaseTime / fadeIn : 1.0f;
        break;
    case PHASE_HOLD:
        a = 1.0f;
        break;
    case PHASE_OUT:
        a = fadeOut > 0.0f ? 1.0f - phaseTime / fadeOut : 0.0f;
        break;
    default:
        a = 0.0f;
        break;
    }
    if (a < 0.0f)
        a = 0.0f;
    if (a > 1.0f)
        a = 1.0f;
    return a;
}

// A key or click ends the fade-in or the hold: the fade-out starts from the
// alpha reached, so nothing jumps.
void CFadeInOutModifier::Skip()
{
    if (phase == PHASE_IN || phase == PHASE_HOLD)
        skipRequested = 1;
}

void CFadeInOutModifier::apply(CModEvent event)
{
    if (phase == PHASE_DONE)
        return;

    if (skipRequested) {
        skipRequested = 0;
        float alpha = GetAlpha();
        phase = PHASE_OUT;
        phaseTime = (1.0f - alpha) * fadeOut;
    } else {
        phaseTime += event.GetSeconds();
    }

    if (phase == PHASE_IN && phaseTime >= fadeIn) {
        phaseTime -= fadeIn;
        phase = PHASE_HOLD;
    }
    if (phase == PHASE_HOLD) {
        if (hold < 0.0f)
            phaseTime = 0.0f;  // held until a key or a click
        else if (phaseTime >= hold) {
            phaseTime -= hold;
            phase = PHASE_OUT;
        }
    }
    if (phase == PHASE_OUT && phaseTime >= fadeOut)
        phase = PHASE_DONE;

    C3DObject* target = event.GetTarget();
    C3DWindow* window = dynamic_cast<C3DWindow*>(target);
    if (window) {
        float alpha = GetAlpha();
        D3DXCOLOR top = window->GetColor(0);
        D3DXCOLOR bottom = window->GetColor(1);
        top.a = alpha;
        bottom.a = alpha;
        window->SetColor(top, bottom);
    }

    if (phase == PHASE_DONE) {
        LeaveInput();
        if (target)
            target->MarkForDeletion();
    }
}

void CFadeInOutModifier::keyPressed(CKeyEvent event)
{
    (void)event;
    Skip();
}

void CFadeInOutModifier::keyReleased(CKeyEvent event)
{
    (void)event;
}

void CFadeInOutModifier::MouseClicked(CMouseEvent event)
{
    if (event.getMouseButtonState(0) == CMouseEvent::MOUSE_BUTTON_RELEASE)
        Skip();
}

void CFadeInOutModifier::MouseEntered(CMouseEvent event)
{
    (void)event;
}

void CFadeInOutModifier::MouseExited(CMouseEvent event)
{
    (void)event;
}

void CFadeInOutModifier::MousePressed(CMouseEvent event)
{
    (void)event;
}

void CFadeInOutModifier::MouseReleased(CMouseEvent event)
{
    (void)event;
}
