// CIntro: shows the company logo and then the product logo, each fading in,
// staying and fading out, then starts the menu music and queues the main menu.
// It draws nothing itself: it only reacts when a logo leaves the scene.
#ifndef CINTRO_H
#define CINTRO_H

#include "C3DObject.h"
#include "IChangeListener.h"

class C3DIcon;
class CFadeInOutModifier;

class CIntro : public C3DObject, public IChangeListener {
public:
    class CIntro_ZarulLogo_IChangeListener : public IChangeListener {
    public:
        explicit CIntro_ZarulLogo_IChangeListener(CIntro* owner) : owner(owner) {}
        virtual void stateChanged(CChangeEvent event);
    private:
        CIntro* owner;
    };

    explicit CIntro(IDirect3DDevice8* device);
    virtual ~CIntro();

    // Events of the company logo.
    virtual void stateChanged(CChangeEvent event);
    // Events of the product logo.
    void ZarulLogo_StateChanged(CChangeEvent event);

    // The company logo's rectangle: 520 × 480 pixels in the middle of a back
    // buffer of the given size.
    static void CompanyLogoRect(unsigned width, unsigned height, float rect[4]);

private:
    C3DIcon* companyLogo;   // null once it has left the scene
    C3DIcon* productLogo;   // null once it has left the scene
    // The logos' fades; owned, so that they go with the intro.
    CFadeInOutModifier* companyFade;
    CFadeInOutModifier* productFade;
    CIntro_ZarulLogo_IChangeListener zarulLogoListener;
};

#endif
