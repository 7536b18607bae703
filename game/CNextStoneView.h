// CNextStoneView: shows, in the lower left corner, the stone the player places
// next and hands out stone types to the controller. This base is the endless
// supply: random types among the colours still on the board, one spinning stone.
#ifndef CNEXTSTONEVIEW_H
#define CNEXTSTONEVIEW_H

#include "C3DRenderObject.h"
#include "IChangeListener.h"

class CGameController;
class CStone;

class CNextStoneView : public C3DRenderObject, public IChangeListener
{
public:
    CNextStoneView(CGameController* owner, IDirect3DDevice8* device);
    virtual ~CNextStoneView();

    virtual void Render();
    virtual void Move(float seconds);

    // The type that comes next.
    virtual int PeekNextType();
    // Stones left to hand out.
    virtual int GetRemaining();
    // The next type, consumed; -1 when there is none.
    virtual int PopNextType();
    // Gets the next stone ready.
    virtual void Refill();

    virtual void stateChanged(CChangeEvent event);

    CGameController* owner;
    float spin;         // turn of the shown stone about its vertical axis
    CStone* stone;      // owned; the stone on show

protected:
    // A small display stone of the type (not on the board, not queued).
    CStone* MakeStone(int type);
    // The device point (x, y, depth) taken into world space, and the tilt that
    // faces the stones towards the camera.
    D3DXVECTOR3 ScreenToWorld(D3DXVECTOR3 point);
    float CameraTilt();
    // Rspin * Rtilt * S * T into the stone's world matrix.
    static void PlaceStone(CStone* shown, float spinAngle, float tilt, float scale, D3DXVECTOR3 position);

private:
    void RefillRandom();
};

#endif
