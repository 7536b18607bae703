#include "CMenuItemCub.h"

#include <cstdlib>

#include "CZarulApplication.h"
#include "CMouse.h"
#include "CMessageLog.h"
#include "CResourceManager.h"
#include "CTexMgr.h"

const float CMenuItemCub::HALF_SIZE = 1.3f;

// Colours of the cube: before the first pointer movement, lit (selected and
// under the pointer) and plain.
static const D3DXCOLOR START_COLOR(0.5f, 0.5f, 0.5f, 1.0f);
static const D3DXCOLOR LIT_COLOR(1.0f, 1.0f, 1.0f, 1.0f);
static const D3DXCOLOR PLAIN_COLOR(0.7f, 0.7f, 0.7f, 1.0f);

// Six vertices a face: corner signs of x, y, z and the texture coordinates.
static const signed char CUBE_CORNERS[CMenuItemCub::VERTEX_COUNT][3] = {
    { -1, -1, -1 }, { -1, -1, 1 }, { -1, 1, 1 },   { -1, 1, 1 },   { -1, 1, -1 }, { -1, -1, -1 },   // x = -s
    { -1, 1, -1 },  { -1, 1, 1 },  { 1, 1, 1 },    { 1, 1, 1 },    { 1, 1, -1 },  { -1, 1, -1 },    // y = +s
    { 1, 1, -1 },   { 1, 1, 1 },   { 1, -1, 1 },   { 1, -1, 1 },   { 1, -1, -1 }, { 1, 1, -1 },     // x = +s
    { -1, -1, 1 },  { -1, -1, -1 }, { 1, -1, -1 }, { 1, -1, -1 },  { 1, -1, 1 },  { -1, -1, 1 },    // y = -s
    { -1, -1, 1 },  { 1, -1, 1 },  { 1, 1, 1 },    { 1, 1, 1 },    { -1, 1, 1 },  { -1, -1, 1 },    // z = +s
    { -1, -1, -1 }, { -1, 1, -1 }, { 1, 1, -1 },   { 1, 1, -1 },   { 1, -1, -1 }, { -1, -1, -1 },   // z = -s
};
static const float CUBE_UV[CMenuItemCub::VERTEX_COUNT][2] = {
    { 1, 1 }, { 0, 1 }, { 0, 0 }, { 0, 0 }, { 1, 0 }, { 1, 1 },
    { 0, 1 }, { 0, 0 }, { 1, 0 }, { 1, 0 }, { 1, 1 }, { 0, 1 },
    { 0, 0 }, { 1, 0 }, { 1, 1 }, { 1, 1 }, { 0, 1 }, { 0, 0 },
    { 0, 1 }, { 0, 0 }, { 1, 0 }, { 1, 0 }, { 1, 1 }, { 0, 1 },
    { 1, 1 }, { 0, 1 }, { 0, 0 }, { 0, 0 }, { 1, 0 }, { 1, 1 },
    { 0, 1 }, { 0, 0 }, { 1, 0 }, { 1, 0 }, { 1, 1 }, { 0, 1 },
};

void CMenuItemCub::BuildVertices(Vertex* out, DWORD color)
{
    for (int i = 0; i < VERTEX_COUNT; i++) {
        out[i].x = CUBE_CORNERS[i][0] * HALF_SIZE;
        out[i].y = CUBE_CORNERS[i][1] * HALF_SIZE;
        out[i].z = CUBE_CORNERS[i][2] * HALF_SIZE;
        out[i].color = color;
        out[i].u = CUBE_UV[i][0];
        out[i].v = CUBE_UV[i][1];
    }
}

CMenuItemCub::CMenuItemCub(IDirect3DDevice8* device, D3DXVECTOR3 position, const char* texture)
    : C3DRenderObject(device, position, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0)), vertexBuffer(nullptr),
      textureName(texture ? texture : ""), selected(0), mouseOver(0)
{
    if (!device)
        return;
    if (FAILED(device->CreateVertexBuffer(VERTEX_COUNT * sizeof(Vertex), D3DUSAGE_WRITEONLY, VERTEX_FVF,
                                          D3DPOOL_MANAGED, &vertexBuffer))) {
        CResourceManager::MessageLog()->Message(0, " Fehler beim Erzeugen des Vertexbuffers für CMenuIemCub");
        // Without its geometry the menu cannot be shown: a failure, not a success.
        exit(EXIT_FAILURE);
    }
    FillVertexBuffer((DWORD)START_COLOR);
}

CMenuItemCub::~CMenuItemCub()
{
    if (vertexBuffer)
        vertexBuffer->Release();
    vertexBuffer = nullptr;
    actionListeners.Clear();
}

void CMenuItemCub::FillVertexBuffer(DWORD color)
{
    BYTE* data = nullptr;
    if (!vertexBuffer || FAILED(vertexBuffer->Lock(0, 0, &data, 0)))
        return;
    BuildVertices((Vertex*)data, color);
    vertexBuffer->Unlock();
}

void CMenuItemCub::Render()
{
    C3DRenderObject::Render();
    if (!device || !vertexBuffer)
        return;
    // The cube carries its own colours and no normals: drawn unlit, so that
    // its highlight shows as it is, with its texture on stage 0 alone.
    DWORD lighting = FALSE;
    DWORD stage1 = D3DTOP_DISABLE;
    device->GetRenderState(D3DRS_LIGHTING, &lighting);
    device->GetTextureStageState(1, D3DTSS_COLOROP, &stage1);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    device->SetStreamSource(0, vertexBuffer, sizeof(Vertex));
    device->SetVertexShader(VERTEX_FVF);
    device->SetTexture(0, CResourceManager::GetTextures()->GetTexture(textureName));
    device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 12);
    device->SetRenderState(D3DRS_LIGHTING, lighting);
    device->SetTextureStageState(1, D3DTSS_COLOROP, stage1);
}

void CMenuItemCub::Restore()
{
    C3DRenderObject::Restore();
}

// Pick test: the ray under the pointer against the cube's box in world space.
void CMenuItemCub::MouseMoved(CMouseEvent event)
{
    if (!device || !vertexBuffer)
        return;
    D3DXMATRIX view, projection, inverseView, inverseProjection, toWorld;
    device->GetTransform(D3DTS_VIEW, &view);
    device->GetTransform(D3DTS_PROJECTION, &projection);
    D3DXMatrixInverse(&inverseView, nullptr, &view);
    D3DXMatrixInverse(&inverseProjection, nullptr, &projection);
    D3DXMatrixMultiply(&toWorld, &inverseProjection, &inverseView);

    D3DXVECTOR3 nearPoint(2.0f * event.GetX() - 1.0f, 1.0f - 2.0f * event.GetY(), 0.0f);
    D3DXVECTOR3 farPoint(2.0f * event.GetX() - 1.0f, 1.0f - 2.0f * event.GetY(), 1.0f);
    D3DXVec3TransformCoord(&nearPoint, &nearPoint, &toWorld);
    D3DXVec3TransformCoord(&farPoint, &farPoint, &toWorld);

    BYTE* data = nullptr;
    if (FAILED(vertexBuffer->Lock(0, 0, &data, 0)))
        return;
    D3DXVECTOR3 boxMin, boxMax;
    D3DXComputeBoundingBox(data, VERTEX_COUNT, VERTEX_FVF, &boxMin, &boxMax);
    D3DXVec3TransformCoord(&boxMin, &boxMin, &world);
    D3DXVec3TransformCoord(&boxMax, &boxMax, &world);
    // The far point itself serves as the ray's direction, as in the board's
    // picking; from the menu camera it differs from the true one by under a degree.
    mouseOver = D3DXBoxBoundProbe(&boxMin, &boxMax, &nearPoint, &farPoint) ? 1 : 0;

    DWORD color = (mouseOver && selected) ? (DWORD)LIT_COLOR : (DWORD)PLAIN_COLOR;
    BuildVertices((Vertex*)data, color);
    vertexBuffer->Unlock();
}

void CMenuItemCub::MouseDragged(CMouseEvent event)
{
    (void)event;
}

void CMenuItemCub::MouseClicked(CMouseEvent event)
{
    (void)event;
    if (!(mouseOver == 1 && selected == 1))
        return;
    CZarulApplication::PlayMenuSound("MENU_CLICK");
    fireActionPerformed(CActionEvent(this, CActionEvent::ACTION_DEFAULT));
}

void CMenuItemCub::MouseEntered(CMouseEvent event) { (void)event; }
void CMenuItemCub::MouseExited(CMouseEvent event) { (void)event; }
void CMenuItemCub::MousePressed(CMouseEvent event) { (void)event; }
void CMenuItemCub::MouseReleased(CMouseEvent event) { (void)event; }

void CMenuItemCub::SetSelected(int on)
{
    selected = on;
    if (on == 0)
        mouseOver = 0;
}

void CMenuItemCub::AddActionListener(IActionListener* listener)
{
    actionListeners.Add(listener);
}

void CMenuItemCub::fireActionPerformed(CActionEvent event)
{
    actionListeners.Fire(&IActionListener::actionPerformed, event);
}
