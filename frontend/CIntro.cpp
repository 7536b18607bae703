#include "CIntro.h"

#include "CZarulApplication.h"
#include "CMainMenu.h"
#include "C3DIcon.h"
#include "CFadeInOutModifier.h"
#include "CInputManager.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CSoundDev.h"

// Seconds of each logo: fading in, held, fading out.
static const float LOGO_IN = 0.5f;
static const float LOGO_HOLD = 2.0f;
static const float LOGO_OUT = 0.5f;

static const D3DXCOLOR CLEAR_WHITE(1.0f, 1.0f, 1.0f, 0.0f);

void CIntro::CIntro_ZarulLogo_IChangeListener::stateChanged(CChangeEvent event)
{
    owner->ZarulLogo_StateChanged(event);
}

void CIntro::CompanyLogoRect(unsigned width, unsigned height, float rect[4])
{
    float w = width ? 520.0f / (float)width : 1.0f;
    float h = height ? 480.0f / (float)height : 1.0f;
    rect[0] = (1.0f - w) / 2.0f;
    rect[1] = (1.0f - h) / 2.0f;
    rect[2] = w;
    rect[3] = h;
}

CIntro::CIntro(IDirect3DDevice8* device)
    : C3DObject(device, D3DXVECTOR3(0, 0, 0)), companyLogo(nullptr), productLogo(nullptr), companyFade(nullptr), productFade(nullptr),
      zarulLogoListener(this)
{
    unsigned width = g_pD3DApp ? (unsigned)g_pD3DApp->backBufferDesc.Width : 0;
    unsigned height = g_pD3DApp ? (unsigned)g_pD3DApp->backBufferDesc.Height : 0;
    float r[4];
    CompanyLogoRect(width, height, r);
    companyLogo = new C3DIcon(device, CRECTVirtual(r[0], r[1], r[2], r[3]), ".//media//qm_logo.jpg");
    companyLogo->SetColor(CLEAR_WHITE, CLEAR_WHITE);

    productLogo = new C3DIcon(device, CRECTVirtual(0.1f, 0.1f, 0.8f, 0.8f), ".//media//zarul_logo.jpg");
    productLogo->SetColor(CLEAR_WHITE, CLEAR_WHITE);

    companyFade = new CFadeInOutModifier(LOGO_IN, LOGO_HOLD, LOGO_OUT);
    companyLogo->AddModifier(companyFade);
    companyLogo->AddChangeEventListener(this);
    // A key cuts the logo short.
    CResourceManager::GetInputManager()->AddKeyListener(companyFade);

    CObjQueue* queue = CResourceManager::GetObjectQueue();
    queue->AddObject(companyLogo, 4, 0);
    queue->AddObject(productLogo, 4, 0);
}

CIntro::~CIntro()
{
    if (companyLogo) {
        companyLogo->RemoveChangeEventListener(this);
        companyLogo->RemoveModifier(companyFade);
    }
    if (productLogo) {
        productLogo->RemoveChangeEventListener(&zarulLogoListener);
        productLogo->RemoveModifier(productFade);
    }
    delete companyFade;
    delete productFade;
}

void CIntro::stateChanged(CChangeEvent event)
{
    if (event.GetState() != CChangeEvent::PRE_OBJECT_DELETION || !companyLogo)
        return;
    companyLogo = nullptr;
    if (!productLogo)
        return;
    productFade = new CFadeInOutModifier(LOGO_IN, LOGO_HOLD, LOGO_OUT);
    productLogo->AddModifier(productFade);
    productLogo->AddChangeEventListener(&zarulLogoListener);
    CResourceManager::GetInputManager()->AddKeyListener(productFade);
}

void CIntro::ZarulLogo_StateChanged(CChangeEvent event)
{
    if (event.GetState() != CChangeEvent::PRE_OBJECT_DELETION || !productLogo)
        return;
    productLogo = nullptr;

    CSoundDev* sound = CResourceManager::GetSoundDevice();
    sound->PlayIndex(sound->LoadSound("MENU_BACKGROUND", nullptr), 1, -1.0f, 1);

    CResourceManager::GetObjectQueue()->AddObject(new CMainMenu(device), 1, 0);
    MarkForDeletion();
}
