// CGridView: the 3D scene of a running game. Draws the board slab, every stone
// of the board, the target-field tiles and the volume light over special stones
// on target fields; keeps the scene's turn about the vertical axis (the engine
// object's own `yaw`, changed by dragging with the right button); hands the
// game's mouse events to the handler of the current mode; makes the 3D object
// of every stone the board places; connects the mouse pointer with the board.
//
// Board coordinates are the frame of this view before its turn: the slab spans
// -halfSize..+halfSize in x and z, its top face lies at y = floorTop. The view's
// world matrix is the turn about +Y by yaw; stones, tiles, markers and the light
// get the same turn as their rotation, so everything turns about the centre.
#ifndef CGRIDVIEW_H
#define CGRIDVIEW_H

#include <list>
#include <string>

#include <d3d8.h>
#include <d3dx8.h>

#include "C3DRenderObject.h"
#include "IBoardView.h"
#include "IChangeListener.h"
#include "IMouseListener.h"
#include "IMouseMotionListener.h"

class CGameController;
class CGameOverlay;
class CPulsateModifier;
class CVolumeLightEffect;
class CField;
class CStone;
class CStoneInfo;
class CGrid;
class AbstractEventHandler;

class CGridView : public C3DRenderObject, public IBoardView, public IChangeListener, public IMouseListener,
                  public IMouseMotionListener
{
public:
    CGridView(CGameController* controller, IDirect3DDevice8* device, int gridSize);
    virtual ~CGridView();

    virtual void Render();
    virtual void Move(float seconds);

    // Board side: the stones' 3D objects, made, burst, dropped and destroyed
    // when the board says so, and the turn the board's visibility tests use.
    virtual void AddStone(CStoneInfo* info, float delay);
    virtual void BurstStone(CStoneInfo* info);
    virtual void DropStone(CStoneInfo* info);
    virtual void DestroyStone(CStoneInfo* info);
    virtual float GetYaw() { return yaw; }

    // Rebuilds the target-field tiles from the board's field values.
    void UpdateFields();
    // Draws the shadow volumes of the board's stones into the stencil buffer:
    // front faces count up, back faces count down.
    void RenderShadows();
    // The stencil passes of the shadow volumes, for whoever draws volumes.
    static void BeginShadowPass(IDirect3DDevice8* device, int pass);
    static void EndShadowPasses(IDirect3DDevice8* device);

    // Picking. x and y are pointer positions in window fractions.
    // 1 and the floor cell under the pointer, or 0 with column and row -1.
    int PickCell(int* column, int* row, float x, float y);
    // The pointer's position on the top face of the column's top stone (or the
    // slab, for an empty column) in cell units from the cell's corner; (0, 0)
    // when the pointer misses that plane.
    D3DXVECTOR2 GetCellFraction(int column, int row, float x, float y);
    // The top record of the column whose stone the pointer hits, or the miss
    // record (-1, -1, -1, type -9, "dummy").
    CStoneInfo GetStoneUnderMouse(float x, float y);
    // Board-coordinate centre of the record's cell.
    D3DXVECTOR3 CellToWorld(CStoneInfo* info);
    void PlaceStoneAtCell(CStone* stone, CStoneInfo info);
    // Puts a marker a little sunk into the given cell; nothing for a negative
    // column or row.
    void PlaceMarkerAt(C3DObject* object, int column, int row, int layer);

    // Change side: nothing.
    virtual void stateChanged(CChangeEvent event);

    // Mouse side: clicks go to the current mode's handler while the game runs.
    virtual void MouseClicked(CMouseEvent event);
    virtual void MouseEntered(CMouseEvent event);
    virtual void MouseExited(CMouseEvent event);
    virtual void MousePressed(CMouseEvent event);
    virtual void MouseReleased(CMouseEvent event);

    // Mouse-motion side: moves go to the handler; right-button drags turn the scene.
    virtual void MouseMoved(CMouseEvent event);
    virtual void MouseDragged(CMouseEvent event);

    // Board-coordinate centre of cell (x, y, layer z).
    D3DXVECTOR3 CellPosition(int x, int y, int z) const;

    int gridSize;           // cells per board side
    float halfSize;         // half the board's side (12)
    float cellSize;         // 2 * halfSize / gridSize
    float floorTop;         // height of the slab's top face (0.5)
    IDirect3DVertexBuffer8* vertexBuffer;   // the slab, 36 vertices, owned
    std::string textureName;
    D3DXVECTOR3 pickPlane[3];               // the slab's top plane in board coordinates
    CGameController* controller;            // not owned
    std::list<CField*> fieldTiles;          // target-field tiles, owned
    CGameOverlay* overlay;                  // heads-up overlay, owned
    CPulsateModifier* pulsation;            // owned
    CVolumeLightEffect* volumeLight;        // owned; not queued, moved and drawn here

private:
    CGridView(const CGridView&) = delete;
    CGridView& operator=(const CGridView&) = delete;

    CGrid* Board() const;
    // Board-coordinate point over the middle of a cell, at the given height.
    D3DXVECTOR3 CellCentre(int column, int row, float height) const;
    AbstractEventHandler* CurrentHandler() const;

    // Near and far point of the pointer's ray in world coordinates.
    void PointerRay(float x, float y, D3DXVECTOR3* nearPoint, D3DXVECTOR3* farPoint);
    // Hits the plane through the three board-coordinate points along the line
    // from the camera's eye through the pointer; 1 and the hit in board
    // coordinates shifted by halfSize (the board covers 0..2*halfSize).
    int PlaneHit(const D3DXVECTOR3 points[3], float x, float y, D3DXVECTOR3* hit);
};

#endif
