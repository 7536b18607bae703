#include "CSubMenuClose.h"

CSubMenuClose::CSubMenuClose(IDirect3DDevice8* device, CMenuRing* ring)
    : CSubMenuQuestion(device, ring, "Wollen Sie Zarul beenden ?")
{
}

CSubMenuClose::~CSubMenuClose()
{
}

// The question stays open: the frame loop ends on the quit message.
void CSubMenuClose::exit_ActionPerformed(CActionEvent event)
{
    (void)event;
    PostQuitMessage(1);
}

void CSubMenuClose::Close()
{
    CloseAtOnce();
}
