// CMenuItemCub: one textured cube of the menu ring. It lights up when it is
// the ring's selected cube and under the pointer, and a click on it then
// sends an action to its listeners.
#ifndef CMENUITEMCUB_H
#define CMENUITEMCUB_H

#include <string>

#include "C3DRenderObject.h"
#include "CListenerList.h"
#include "IMouseListener.h"
#include "IMouseMotionListener.h"
#include "IActionListener.h"

class CMenuItemCub : public C3DRenderObject, public IMouseMotionListener, public IMouseListener {
public:
    enum { VERTEX_COUNT = 36, VERTEX_FVF = 0x142 };
    // Half the edge of the cube.
    static const float HALF_SIZE;

    struct Vertex {
        float x, y, z;
        DWORD color;
        float u, v;
    };

    CMenuItemCub(IDirect3DDevice8* device, D3DXVECTOR3 position, const char* texture);
    virtual ~CMenuItemCub();

    virtual void Render();
    virtual void Restore();

    virtual void MouseMoved(CMouseEvent event);
    virtual void MouseDragged(CMouseEvent event);
    virtual void MouseClicked(CMouseEvent event);
    virtual void MouseEntered(CMouseEvent event);
    virtual void MouseExited(CMouseEvent event);
    virtual void MousePressed(CMouseEvent event);
    virtual void MouseReleased(CMouseEvent event);

    void SetSelected(int on);
    void AddActionListener(IActionListener* listener);
    void fireActionPerformed(CActionEvent event);

    int IsSelected() const { return selected; }
    int IsMouseOver() const { return mouseOver; }
    const std::string& GetTextureName() const { return textureName; }

    // The cube's 36 vertices, all of one colour.
    static void BuildVertices(Vertex* out, DWORD color);

private:
    void FillVertexBuffer(DWORD color);

    CListenerList<IActionListener> actionListeners;
    IDirect3DVertexBuffer8* vertexBuffer;
    std::string textureName;
    int selected;
    int mouseOver;
};

#endif
