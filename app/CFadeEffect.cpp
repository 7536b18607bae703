#include "CFadeEffect.h"

#include "C3DWindow.h"

CFadeEffect::CFadeEffect() : window(nullptr), state(0), duration(0.4f), windowListener(nullptr) {}
CFadeEffect::CFadeEffect(float duration) : window(nullptr), state(0), duration(duration), windowListener(nullptr) {}
CFadeEffect::~CFadeEffect() {}
void CFadeEffect::FadeIn() {}
void CFadeEffect::FadeOut() {}
void CFadeEffect::AddChangeListener(IChangeListener*) {}
void CFadeEffect::FireStateChanged(CChangeEvent) {}
void CFadeEffect::OnModifierFinished() {}
void CFadeEffect::Start(int) {}
void CFadeEffect::CFadeEffect_fade_IChangeListener::stateChanged(CChangeEvent) {}
