// Drawing: the Direct3D state is handed to OpenGL's fixed-function pipeline
// just before each draw, then the vertices are drawn from memory.
#include "CDirect3DDevice8.h"

#include "CD3D8CubeTexture.h"
#include "CD3D8IndexBuffer.h"
#include "CD3D8Texture.h"
#include "CD3D8VertexBuffer.h"
#include "D3D8Helpers.h"

#include <math.h>
#include <string.h>

namespace {

GLenum CompareFunction(DWORD func)
{
    switch (func) {
    case D3DCMP_NEVER:
        return GL_NEVER;
    case D3DCMP_LESS:
        return GL_LESS;
    case D3DCMP_EQUAL:
        return GL_EQUAL;
    case D3DCMP_LESSEQUAL:
        return GL_LEQUAL;
    case D3DCMP_GREATER:
        return GL_GREATER;
    case D3DCMP_NOTEQUAL:
        return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL:
        return GL_GEQUAL;
    default:
        return GL_ALWAYS;
    }
}

GLenum StencilOperation(DWORD op)
{
    switch (op) {
    case D3DSTENCILOP_ZERO:
        return GL_ZERO;
    case D3DSTENCILOP_REPLACE:
        return GL_REPLACE;
    case D3DSTENCILOP_INCRSAT:
        return GL_INCR;
    case D3DSTENCILOP_DECRSAT:
        return GL_DECR;
    case D3DSTENCILOP_INVERT:
        return GL_INVERT;
    case D3DSTENCILOP_INCR:
        return GL_INCR_WRAP;
    case D3DSTENCILOP_DECR:
        return GL_DECR_WRAP;
    default:
        return GL_KEEP;
    }
}

GLenum BlendFactor(DWORD blend)
{
    switch (blend) {
    case D3DBLEND_ZERO:
        return GL_ZERO;
    case D3DBLEND_ONE:
        return GL_ONE;
    case D3DBLEND_SRCCOLOR:
        return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
        return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
        return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
        return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA:
        return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA:
        return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR:
        return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR:
        return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT:
        return GL_SRC_ALPHA_SATURATE;
    default:
        return GL_ONE;
    }
}

GLenum BlendEquation(DWORD op)
{
    switch (op) {
    case D3DBLENDOP_SUBTRACT:
        return GL_FUNC_SUBTRACT;
    case D3DBLENDOP_REVSUBTRACT:
        return GL_FUNC_REVERSE_SUBTRACT;
    case D3DBLENDOP_MIN:
        return GL_MIN;
    case D3DBLENDOP_MAX:
        return GL_MAX;
    default:
        return GL_FUNC_ADD;
    }
}

GLenum AddressMode(DWORD mode)
{
    switch (mode) {
    case D3DTADDRESS_MIRROR:
        return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP:
        return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER:
        return GL_CLAMP_TO_BORDER;
    case D3DTADDRESS_MIRRORONCE:
        return GL_MIRROR_CLAMP_TO_EDGE;
    default:
        return GL_REPEAT;
    }
}

GLenum PrimitiveMode(D3DPRIMITIVETYPE type)
{
    switch (type) {
    case D3DPT_POINTLIST:
        return GL_POINTS;
    case D3DPT_LINELIST:
        return GL_LINES;
    case D3DPT_LINESTRIP:
        return GL_LINE_STRIP;
    case D3DPT_TRIANGLESTRIP:
        return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN:
        return GL_TRIANGLE_FAN;
    default:
        return GL_TRIANGLES;
    }
}

// Vertices used by primitiveCount primitives of a type; 0 for an unknown type.
UINT VertexCount(D3DPRIMITIVETYPE type, UINT primitiveCount)
{
    switch (type) {
    case D3DPT_POINTLIST:
        return primitiveCount;
    case D3DPT_LINELIST:
        return primitiveCount * 2;
    case D3DPT_LINESTRIP:
        return primitiveCount + 1;
    case D3DPT_TRIANGLELIST:
        return primitiveCount * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN:
        return primitiveCount + 2;
    default:
        return 0;
    }
}

// The texture behind a Direct3D texture interface, or null.
CTextureStorage* StorageOf(IDirect3DBaseTexture8* texture)
{
    if (!texture)
        return nullptr;
    if (CD3D8Texture* plain = dynamic_cast<CD3D8Texture*>(texture))
        return plain->GetStorage();
    if (CD3D8CubeTexture* cube = dynamic_cast<CD3D8CubeTexture*>(texture))
        return cube->GetStorage();
    return nullptr;
}

// The material part that follows the vertex colour, as the material-source
// render states ask; 0 when the material alone is used.
GLenum TrackedMaterial(const DWORD* rs, const VertexFormat& layout)
{
    if (layout.diffuseOffset < 0 || !rs[D3DRS_COLORVERTEX])
        return 0;
    bool diffuse = rs[D3DRS_DIFFUSEMATERIALSOURCE] == D3DMCS_COLOR1;
    bool ambient = rs[D3DRS_AMBIENTMATERIALSOURCE] == D3DMCS_COLOR1;
    if (diffuse && ambient)
        return GL_AMBIENT_AND_DIFFUSE;
    if (diffuse)
        return GL_DIFFUSE;
    if (ambient)
        return GL_AMBIENT;
    if (rs[D3DRS_EMISSIVEMATERIALSOURCE] == D3DMCS_COLOR1)
        return GL_EMISSION;
    return 0;
}

// The smallest and largest of count indices.
void IndexRange(const void* indices, UINT indexBytes, UINT count, UINT* lowest, UINT* highest)
{
    UINT low = 0xFFFFFFFF;
    UINT high = 0;
    for (UINT i = 0; i < count; i++) {
        UINT index = indexBytes == 4 ? ((const UINT*)indices)[i] : ((const WORD*)indices)[i];
        if (index < low)
            low = index;
        if (index > high)
            high = index;
    }
    *lowest = low;
    *highest = high;
}

// True when the blend mode gives the source colour unchanged wherever the
// source alpha is 1: "source alpha, inverse source alpha" added.
bool BlendKeepsOpaqueSource(const DWORD* rs)
{
    if (rs[D3DRS_BLENDOP] != D3DBLENDOP_ADD)
        return false;
    if (rs[D3DRS_SRCBLEND] == D3DBLEND_BOTHSRCALPHA)
        return true;
    return rs[D3DRS_SRCBLEND] == D3DBLEND_SRCALPHA && rs[D3DRS_DESTBLEND] == D3DBLEND_INVSRCALPHA;
}

// True when every vertex colour has alpha 255 (colours are B, G, R, A bytes).
bool VertexAlphasOpaque(const BYTE* vertices, UINT stride, int diffuseOffset, UINT firstVertex, UINT vertexCount)
{
    const BYTE* alpha = vertices + (size_t)firstVertex * stride + diffuseOffset + 3;
    for (UINT i = 0; i < vertexCount; i++, alpha += stride) {
        if (*alpha != 0xFF)
            return false;
    }
    return true;
}

// True when a triangle shows its texture at no more than one texel a pixel
// in either screen direction. (x, y) are screen positions, (u, v) texels.
bool TriangleMagnifies(const float* p[3], const float* t[3], float width, float height)
{
    float ex1 = p[1][0] - p[0][0], ey1 = p[1][1] - p[0][1];
    float ex2 = p[2][0] - p[0][0], ey2 = p[2][1] - p[0][1];
    float det = ex1 * ey2 - ey1 * ex2;
    if (fabsf(det) < 1e-6f)
        return true; // covers no pixel
    float u1 = (t[1][0] - t[0][0]) * width, v1 = (t[1][1] - t[0][1]) * height;
    float u2 = (t[2][0] - t[0][0]) * width, v2 = (t[2][1] - t[0][1]) * height;
    float dudx = (u1 * ey2 - u2 * ey1) / det, dvdx = (v1 * ey2 - v2 * ey1) / det;
    float dudy = (u2 * ex1 - u1 * ex2) / det, dvdy = (v2 * ex1 - v1 * ex2) / det;
    // The sum bounds every measure of the footprint a rasteriser may use.
    const float limit = 1.0f + 1e-5f;
    return fabsf(dudx) + fabsf(dvdx) <= limit && fabsf(dudy) + fabsf(dvdy) <= limit;
}

bool IsBorderAddress(DWORD mode)
{
    return mode == D3DTADDRESS_BORDER;
}

} // namespace

void CDirect3DDevice8::ApplyRenderStates()
{
    const DWORD* rs = state.renderStates;

    if (rs[D3DRS_ZENABLE] != D3DZB_FALSE && depthStencil)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    glDepthFunc(CompareFunction(rs[D3DRS_ZFUNC]));
    glDepthMask(rs[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
    if (rs[D3DRS_ZBIAS]) {
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(0.0f, -(GLfloat)rs[D3DRS_ZBIAS]);
    } else {
        glDisable(GL_POLYGON_OFFSET_FILL);
    }

    // Surfaces are stored top row first, so a triangle that turns clockwise
    // on the screen turns counter-clockwise in OpenGL's window coordinates.
    switch (rs[D3DRS_CULLMODE]) {
    case D3DCULL_CCW:
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glCullFace(GL_BACK);
        break;
    case D3DCULL_CW:
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glCullFace(GL_FRONT);
        break;
    default:
        glDisable(GL_CULL_FACE);
        break;
    }

    switch (rs[D3DRS_FILLMODE]) {
    case D3DFILL_POINT:
        glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
        break;
    case D3DFILL_WIREFRAME:
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        break;
    default:
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        break;
    }
    glShadeModel(rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT ? GL_FLAT : GL_SMOOTH);
    if (rs[D3DRS_DITHERENABLE])
        glEnable(GL_DITHER);
    else
        glDisable(GL_DITHER);

    // Blending itself is switched per draw (ApplyBlending): it is left off
    // where it would change no pixel.
    blendEnabled = -1;
    if (rs[D3DRS_ALPHABLENDENABLE]) {
        DWORD source = rs[D3DRS_SRCBLEND];
        if (source == D3DBLEND_BOTHSRCALPHA)
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        else if (source == D3DBLEND_BOTHINVSRCALPHA)
            glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
        else
            glBlendFunc(BlendFactor(source), BlendFactor(rs[D3DRS_DESTBLEND]));
        glBlendEquation(BlendEquation(rs[D3DRS_BLENDOP]));
    }

    if (rs[D3DRS_ALPHATESTENABLE]) {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(CompareFunction(rs[D3DRS_ALPHAFUNC]), (rs[D3DRS_ALPHAREF] & 0xFF) / 255.0f);
    } else {
        glDisable(GL_ALPHA_TEST);
    }

    if (rs[D3DRS_STENCILENABLE] && depthStencil) {
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(CompareFunction(rs[D3DRS_STENCILFUNC]), (GLint)(rs[D3DRS_STENCILREF] & 0xFF),
                      rs[D3DRS_STENCILMASK] & 0xFF);
        glStencilOp(StencilOperation(rs[D3DRS_STENCILFAIL]), StencilOperation(rs[D3DRS_STENCILZFAIL]),
                    StencilOperation(rs[D3DRS_STENCILPASS]));
    } else {
        glDisable(GL_STENCIL_TEST);
    }
    glStencilMask(rs[D3DRS_STENCILWRITEMASK] & 0xFF);

    DWORD writeMask = rs[D3DRS_COLORWRITEENABLE];
    glColorMask((writeMask & D3DCOLORWRITEENABLE_RED) != 0, (writeMask & D3DCOLORWRITEENABLE_GREEN) != 0,
                (writeMask & D3DCOLORWRITEENABLE_BLUE) != 0, (writeMask & D3DCOLORWRITEENABLE_ALPHA) != 0);

    GLfloat color[4];
    ColorToFloats(rs[D3DRS_FOGCOLOR], color);
    glFogfv(GL_FOG_COLOR, color);
    glFogf(GL_FOG_START, FloatFromBits(rs[D3DRS_FOGSTART]));
    glFogf(GL_FOG_END, FloatFromBits(rs[D3DRS_FOGEND]));
    glFogf(GL_FOG_DENSITY, FloatFromBits(rs[D3DRS_FOGDENSITY]));
    DWORD fogMode = rs[D3DRS_FOGTABLEMODE] != D3DFOG_NONE ? rs[D3DRS_FOGTABLEMODE] : rs[D3DRS_FOGVERTEXMODE];
    glFogi(GL_FOG_MODE, fogMode == D3DFOG_EXP ? GL_EXP : fogMode == D3DFOG_EXP2 ? GL_EXP2 : GL_LINEAR);
    glFogi(GL_FOG_COORD_SRC, GL_FRAGMENT_DEPTH);

    ColorToFloats(rs[D3DRS_AMBIENT], color);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, color);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, rs[D3DRS_LOCALVIEWER] ? 1 : 0);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    if (rs[D3DRS_NORMALIZENORMALS])
        glEnable(GL_NORMALIZE);
    else
        glDisable(GL_NORMALIZE);
    glPointSize(FloatFromBits(rs[D3DRS_POINTSIZE]));
}

// Direct3D's clip-space z runs 0..w and OpenGL's -w..w; and since surfaces
// are stored top row first, clip-space y is turned over.
void CDirect3DDevice8::ApplyTransforms(bool pretransformed)
{
    const D3DVIEWPORT8& view = state.viewport;
    glMatrixMode(GL_PROJECTION);
    if (pretransformed) {
        // Screen pixels: pixel centres sit on whole coordinates, z is 0..1.
        glViewport(0, 0, (GLsizei)renderTarget->GetWidth(), (GLsizei)renderTarget->GetHeight());
        glDepthRange(0.0, 1.0);
        glLoadIdentity();
        glOrtho(-0.5, renderTarget->GetWidth() - 0.5, -0.5, renderTarget->GetHeight() - 0.5, 0.0, -1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        return;
    }
    // Objects change the world matrix far more often than the camera changes
    // the projection: the projection is sent only when it changed.
    if (projectionDirty) {
        glViewport((GLint)view.X, (GLint)view.Y, (GLsizei)view.Width, (GLsizei)view.Height);
        glDepthRange(view.MinZ, view.MaxZ);
        D3DMATRIX projection = state.projection;
        for (int row = 0; row < 4; row++) {
            projection.m[row][2] = 2.0f * projection.m[row][2] - projection.m[row][3];
            projection.m[row][1] = -projection.m[row][1];
        }
        glLoadMatrixf(&projection._11);
        projectionDirty = false;
    }
    glMatrixMode(GL_MODELVIEW);
    D3DMATRIX worldView = MultiplyMatrices(state.world, state.view);
    glLoadMatrixf(&worldView._11);
}

// OpenGL overwrites the tracked part of its material with the colour of every
// vertex drawn, so the whole material is sent again whenever the tracked part
// changes; OpenGL also ignores material calls for the part it tracks, so
// tracking is off while the material is sent.
void CDirect3DDevice8::ApplyMaterial(GLenum tracked)
{
    if (!materialDirty && tracked == colorMaterial)
        return;
    if (colorMaterial)
        glDisable(GL_COLOR_MATERIAL);
    const D3DMATERIAL8& material = state.material;
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, &material.Diffuse.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, &material.Ambient.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, &material.Emissive.r);
    static const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR,
                 state.renderStates[D3DRS_SPECULARENABLE] ? &material.Specular.r : black);
    GLfloat shininess = material.Power < 0.0f ? 0.0f : material.Power > 128.0f ? 128.0f : material.Power;
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
    if (tracked) {
        glColorMaterial(GL_FRONT_AND_BACK, tracked);
        glEnable(GL_COLOR_MATERIAL);
    }
    colorMaterial = tracked;
    materialDirty = false;
}

// Lights are given in world space: they are placed while the model-view
// matrix holds only the view.
void CDirect3DDevice8::ApplyLights()
{
    if (!lightsDirty)
        return;
    glPushMatrix();
    glLoadMatrixf(&state.view._11);
    UINT used = 0;
    for (std::map<DWORD, DeviceLight>::const_iterator it = state.lights.begin();
         it != state.lights.end() && used < DEVICE_GL_LIGHTS; ++it) {
        if (!it->second.enabled)
            continue;
        const D3DLIGHT8& light = it->second.light;
        GLenum id = GL_LIGHT0 + used++;
        glEnable(id);
        glLightfv(id, GL_DIFFUSE, &light.Diffuse.r);
        glLightfv(id, GL_SPECULAR, &light.Specular.r);
        glLightfv(id, GL_AMBIENT, &light.Ambient.r);
        if (light.Type == D3DLIGHT_DIRECTIONAL) {
            GLfloat toLight[4] = {-light.Direction.x, -light.Direction.y, -light.Direction.z, 0.0f};
            glLightfv(id, GL_POSITION, toLight);
            glLightf(id, GL_SPOT_CUTOFF, 180.0f);
            glLightf(id, GL_CONSTANT_ATTENUATION, 1.0f);
            glLightf(id, GL_LINEAR_ATTENUATION, 0.0f);
            glLightf(id, GL_QUADRATIC_ATTENUATION, 0.0f);
            continue;
        }
        GLfloat position[4] = {light.Position.x, light.Position.y, light.Position.z, 1.0f};
        glLightfv(id, GL_POSITION, position);
        glLightf(id, GL_CONSTANT_ATTENUATION, light.Attenuation0);
        glLightf(id, GL_LINEAR_ATTENUATION, light.Attenuation1);
        glLightf(id, GL_QUADRATIC_ATTENUATION, light.Attenuation2);
        if (light.Type == D3DLIGHT_SPOT) {
            glLightfv(id, GL_SPOT_DIRECTION, &light.Direction.x);
            GLfloat cutoff = light.Phi * 0.5f * 57.29578f;
            glLightf(id, GL_SPOT_CUTOFF, cutoff > 90.0f ? 90.0f : cutoff);
            glLightf(id, GL_SPOT_EXPONENT, light.Falloff < 0.0f ? 0.0f : light.Falloff > 128.0f ? 128.0f : light.Falloff);
        } else {
            glLightf(id, GL_SPOT_CUTOFF, 180.0f);
        }
    }
    for (; used < DEVICE_GL_LIGHTS; used++)
        glDisable(GL_LIGHT0 + used);
    glPopMatrix();
    lightsDirty = false;
}

void CDirect3DDevice8::ApplyLighting(const VertexFormat& layout, bool pretransformed)
{
    const DWORD* rs = state.renderStates;
    bool lit = !pretransformed && rs[D3DRS_LIGHTING];
    if (lightingEnabled != (int)lit) {
        if (lit)
            glEnable(GL_LIGHTING);
        else
            glDisable(GL_LIGHTING);
        lightingEnabled = lit;
    }
    if (!lit) {
        // Colour tracking is left as it is: without lighting it shows nothing.
        if (layout.diffuseOffset < 0)
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        return;
    }
    ApplyMaterial(TrackedMaterial(rs, layout));
    if (layout.normalOffset < 0)
        glNormal3f(0.0f, 0.0f, 0.0f);
    ApplyLights();
}

void CDirect3DDevice8::ApplySampler(UINT stage, GLuint texture, GLenum target, bool magnified)
{
    const DWORD* ss = state.stageStates[stage];
    GLuint sampler = samplers[stage];
    bool linearMin = ss[D3DTSS_MINFILTER] >= D3DTEXF_LINEAR;
    GLenum minFilter = linearMin ? GL_LINEAR : GL_NEAREST;
    if (magnified) {
        // Never minified: the mip filter would pick the most detailed level anyway.
    } else if (ss[D3DTSS_MIPFILTER] == D3DTEXF_POINT)
        minFilter = linearMin ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    else if (ss[D3DTSS_MIPFILTER] >= D3DTEXF_LINEAR)
        minFilter = linearMin ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, (GLint)minFilter);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, ss[D3DTSS_MAGFILTER] >= D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, (GLint)AddressMode(ss[D3DTSS_ADDRESSU]));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, (GLint)AddressMode(ss[D3DTSS_ADDRESSV]));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_R, (GLint)AddressMode(ss[D3DTSS_ADDRESSW]));
    GLfloat border[4];
    ColorToFloats(ss[D3DTSS_BORDERCOLOR], border);
    glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, border);
    glSamplerParameterf(sampler, GL_TEXTURE_LOD_BIAS, FloatFromBits(ss[D3DTSS_MIPMAPLODBIAS]));
    glSamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, (GLfloat)ss[D3DTSS_MAXMIPLEVEL]);
    glBindSampler(stage, sampler);

    GLenum other = target == GL_TEXTURE_2D ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D;
    glDisable(other);
    glEnable(target);
    glBindTexture(target, texture);
}

// One texture stage as an OpenGL texture-environment combiner.
void CDirect3DDevice8::ApplyCombiner(UINT stage, bool alpha, DWORD op, DWORD arg1, DWORD arg2)
{
    GLenum combine = alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
    GLenum sourceName[3] = {GL_SOURCE0_RGB, GL_SOURCE1_RGB, GL_SOURCE2_RGB};
    GLenum operandName[3] = {GL_OPERAND0_RGB, GL_OPERAND1_RGB, GL_OPERAND2_RGB};
    if (alpha) {
        sourceName[0] = GL_SOURCE0_ALPHA;
        sourceName[1] = GL_SOURCE1_ALPHA;
        sourceName[2] = GL_SOURCE2_ALPHA;
        operandName[0] = GL_OPERAND0_ALPHA;
        operandName[1] = GL_OPERAND1_ALPHA;
        operandName[2] = GL_OPERAND2_ALPHA;
    }
    DWORD args[3] = {arg1, arg2, D3DTA_CURRENT};
    GLenum mode = GL_MODULATE;
    GLfloat scale = 1.0f;
    switch (op) {
    case D3DTOP_DISABLE: // alpha only: pass the incoming alpha through
        mode = GL_REPLACE;
        args[0] = D3DTA_CURRENT;
        break;
    case D3DTOP_SELECTARG1:
        mode = GL_REPLACE;
        break;
    case D3DTOP_SELECTARG2:
        mode = GL_REPLACE;
        args[0] = arg2;
        break;
    case D3DTOP_MODULATE2X:
        scale = 2.0f;
        break;
    case D3DTOP_MODULATE4X:
        scale = 4.0f;
        break;
    case D3DTOP_ADD:
    case D3DTOP_ADDSMOOTH:
        mode = GL_ADD;
        break;
    case D3DTOP_ADDSIGNED:
        mode = GL_ADD_SIGNED;
        break;
    case D3DTOP_ADDSIGNED2X:
        mode = GL_ADD_SIGNED;
        scale = 2.0f;
        break;
    case D3DTOP_SUBTRACT:
        mode = GL_SUBTRACT;
        break;
    case D3DTOP_BLENDDIFFUSEALPHA:
    case D3DTOP_BLENDTEXTUREALPHA:
    case D3DTOP_BLENDFACTORALPHA:
    case D3DTOP_BLENDCURRENTALPHA:
        mode = GL_INTERPOLATE;
        args[2] = op == D3DTOP_BLENDDIFFUSEALPHA   ? D3DTA_DIFFUSE
                  : op == D3DTOP_BLENDTEXTUREALPHA ? D3DTA_TEXTURE
                  : op == D3DTOP_BLENDFACTORALPHA  ? D3DTA_TFACTOR
                                                   : D3DTA_CURRENT;
        args[2] |= D3DTA_ALPHAREPLICATE;
        break;
    case D3DTOP_DOTPRODUCT3:
        mode = alpha ? GL_MODULATE : GL_DOT3_RGBA;
        break;
    default:
        break;
    }
    glTexEnvi(GL_TEXTURE_ENV, combine, (GLint)mode);
    glTexEnvf(GL_TEXTURE_ENV, alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE, scale);
    for (int i = 0; i < 3; i++) {
        GLenum source = GL_PREVIOUS;
        switch (args[i] & D3DTA_SELECTMASK) {
        case D3DTA_DIFFUSE:
        case D3DTA_SPECULAR:
            source = GL_PRIMARY_COLOR;
            break;
        case D3DTA_TEXTURE:
            source = GL_TEXTURE;
            break;
        case D3DTA_TFACTOR:
            source = GL_CONSTANT;
            break;
        default:
            source = stage == 0 ? GL_PRIMARY_COLOR : GL_PREVIOUS;
            break;
        }
        bool complement = (args[i] & D3DTA_COMPLEMENT) != 0;
        GLenum operand;
        if (alpha || (args[i] & D3DTA_ALPHAREPLICATE))
            operand = complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
        else
            operand = complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR;
        glTexEnvi(GL_TEXTURE_ENV, sourceName[i], (GLint)source);
        glTexEnvi(GL_TEXTURE_ENV, operandName[i], (GLint)operand);
    }
}

void CDirect3DDevice8::ApplyTextureStages(bool pretransformed)
{
    bool disabled = false;
    GLfloat factor[4];
    ColorToFloats(state.renderStates[D3DRS_TEXTUREFACTOR], factor);
    if (appliedDeletions != CTextureStorage::GetDeletionCount()) {
        for (UINT stage = 0; stage < DEVICE_GL_STAGES; stage++)
            appliedStages[stage].valid = false;
        appliedDeletions = CTextureStorage::GetDeletionCount();
    }
    for (UINT stage = 0; stage < DEVICE_GL_STAGES; stage++) {
        const DWORD* ss = state.stageStates[stage];
        CTextureStorage* storage = StorageOf(state.textures[stage]);
        // A stage above the first that would read a texture it has not got
        // ends the cascade as a disabled one does: scenes set both stages up
        // once and bind the second texture only where they use it.
        bool missingTexture = stage > 0 && !storage &&
                              ((ss[D3DTSS_COLORARG1] & D3DTA_SELECTMASK) == D3DTA_TEXTURE ||
                               (ss[D3DTSS_COLORARG2] & D3DTA_SELECTMASK) == D3DTA_TEXTURE);
        disabled = disabled || ss[D3DTSS_COLOROP] == D3DTOP_DISABLE || missingTexture;

        // A stage whose inputs are what OpenGL was last given is left alone.
        AppliedStage& applied = appliedStages[stage];
        GLuint name = storage ? storage->GetName() : whiteTexture;
        GLenum target = storage ? storage->GetTarget() : GL_TEXTURE_2D;
        DWORD textureFactor = state.renderStates[D3DRS_TEXTUREFACTOR];
        bool magnified = (magnifiedStages & (1u << stage)) != 0;
        if (applied.valid && applied.disabled == disabled &&
            (disabled || (applied.name == name && applied.target == target && applied.factor == textureFactor &&
                          applied.magnified == magnified &&
                          applied.pretransformed == pretransformed &&
                          memcmp(applied.states, ss, sizeof(applied.states)) == 0 &&
                          memcmp(&applied.matrix, &state.textureMatrices[stage], sizeof(D3DMATRIX)) == 0)))
            continue;
        applied.valid = true;
        applied.disabled = disabled;
        applied.name = name;
        applied.target = target;
        applied.factor = textureFactor;
        applied.magnified = magnified;
        applied.pretransformed = pretransformed;
        memcpy(applied.states, ss, sizeof(applied.states));
        applied.matrix = state.textureMatrices[stage];

        glActiveTexture(GL_TEXTURE0 + stage);
        if (disabled) {
            // A disabled stage ends the cascade.
            glDisable(GL_TEXTURE_2D);
            glDisable(GL_TEXTURE_CUBE_MAP);
            glDisable(GL_TEXTURE_GEN_S);
            glDisable(GL_TEXTURE_GEN_T);
            glDisable(GL_TEXTURE_GEN_R);
            continue;
        }
        ApplySampler(stage, name, target, magnified);

        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
        glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor);
        ApplyCombiner(stage, false, ss[D3DTSS_COLOROP], ss[D3DTSS_COLORARG1], ss[D3DTSS_COLORARG2]);
        ApplyCombiner(stage, true, ss[D3DTSS_ALPHAOP], ss[D3DTSS_ALPHAARG1], ss[D3DTSS_ALPHAARG2]);

        // Generated coordinates, computed in camera space.
        DWORD generate = pretransformed ? 0 : (ss[D3DTSS_TEXCOORDINDEX] & 0xFFFF0000);
        GLint genMode = 0;
        if (generate == D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR)
            genMode = GL_REFLECTION_MAP;
        else if (generate == D3DTSS_TCI_CAMERASPACENORMAL)
            genMode = GL_NORMAL_MAP;
        else if (generate == D3DTSS_TCI_CAMERASPACEPOSITION)
            genMode = GL_EYE_LINEAR;
        if (genMode) {
            if (genMode == GL_EYE_LINEAR) {
                static const GLfloat planes[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
                glMatrixMode(GL_MODELVIEW);
                glPushMatrix();
                glLoadIdentity();
                glTexGenfv(GL_S, GL_EYE_PLANE, planes[0]);
                glTexGenfv(GL_T, GL_EYE_PLANE, planes[1]);
                glTexGenfv(GL_R, GL_EYE_PLANE, planes[2]);
                glPopMatrix();
            }
            glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, genMode);
            glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, genMode);
            glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, genMode);
            glEnable(GL_TEXTURE_GEN_S);
            glEnable(GL_TEXTURE_GEN_T);
            glEnable(GL_TEXTURE_GEN_R);
        } else {
            glDisable(GL_TEXTURE_GEN_S);
            glDisable(GL_TEXTURE_GEN_T);
            glDisable(GL_TEXTURE_GEN_R);
        }
        glMultiTexCoord4f(GL_TEXTURE0 + stage, 0.0f, 0.0f, 0.0f, 1.0f);

        glMatrixMode(GL_TEXTURE);
        if (ss[D3DTSS_TEXTURETRANSFORMFLAGS] != D3DTTFF_DISABLE && !pretransformed)
            glLoadMatrixf(&state.textureMatrices[stage]._11);
        else
            glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
    }
    glActiveTexture(GL_TEXTURE0);
}

// True when every fragment of the draw leaves the texture stages with alpha
// 1: the stages' alpha operations worked through with what is known of their
// inputs (opaque textures, vertex colours, material, texture factor). Anything
// not known to be 1 counts as not opaque.
bool CDirect3DDevice8::DrawIsOpaque(const VertexFormat& layout, const BYTE* vertices, UINT stride, UINT firstVertex,
                                    UINT vertexCount, bool pretransformed)
{
    const DWORD* rs = state.renderStates;
    // The lit or unlit vertex colour.
    bool diffuse = true;
    bool lit = !pretransformed && rs[D3DRS_LIGHTING];
    GLenum tracked = lit ? TrackedMaterial(rs, layout) : 0;
    if (lit && tracked != GL_DIFFUSE && tracked != GL_AMBIENT_AND_DIFFUSE)
        diffuse = state.material.Diffuse.a >= 1.0f;
    else if (layout.diffuseOffset >= 0)
        diffuse = VertexAlphasOpaque(vertices, stride, layout.diffuseOffset, firstVertex, vertexCount);

    bool current = diffuse;
    for (UINT stage = 0; stage < DEVICE_GL_STAGES; stage++) {
        const DWORD* ss = state.stageStates[stage];
        CTextureStorage* storage = StorageOf(state.textures[stage]);
        if (ss[D3DTSS_COLOROP] == D3DTOP_DISABLE)
            break;
        if (stage > 0 && !storage && ((ss[D3DTSS_COLORARG1] & D3DTA_SELECTMASK) == D3DTA_TEXTURE ||
                                      (ss[D3DTSS_COLORARG2] & D3DTA_SELECTMASK) == D3DTA_TEXTURE))
            break;
        bool texture = !storage || storage->IsOpaque();
        if (IsBorderAddress(ss[D3DTSS_ADDRESSU]) || IsBorderAddress(ss[D3DTSS_ADDRESSV]) ||
            IsBorderAddress(ss[D3DTSS_ADDRESSW]))
            texture = texture && (ss[D3DTSS_BORDERCOLOR] >> 24) == 0xFF;
        bool args[2];
        DWORD argStates[2] = {ss[D3DTSS_ALPHAARG1], ss[D3DTSS_ALPHAARG2]};
        for (int i = 0; i < 2; i++) {
            DWORD arg = argStates[i];
            bool opaque = false;
            switch (arg & D3DTA_SELECTMASK) {
            case D3DTA_DIFFUSE:
            case D3DTA_SPECULAR:
                opaque = diffuse;
                break;
            case D3DTA_TEXTURE:
                opaque = texture;
                break;
            case D3DTA_TFACTOR:
                opaque = (rs[D3DRS_TEXTUREFACTOR] >> 24) == 0xFF;
                break;
            case D3DTA_CURRENT:
                opaque = current;
                break;
            default:
                break;
            }
            args[i] = opaque && !(arg & D3DTA_COMPLEMENT);
        }
        switch (ss[D3DTSS_ALPHAOP]) {
        case D3DTOP_DISABLE:
            break;
        case D3DTOP_SELECTARG1:
            current = args[0];
            break;
        case D3DTOP_SELECTARG2:
            current = args[1];
            break;
        case D3DTOP_MODULATE:
        case D3DTOP_MODULATE2X:
        case D3DTOP_MODULATE4X:
            current = args[0] && args[1];
            break;
        case D3DTOP_ADD:
            current = args[0] || args[1];
            break;
        default:
            current = false;
            break;
        }
    }
    return current;
}

// Bit per stage: the stage's 2D texture is drawn at no more than one texel a
// pixel everywhere, so the level of detail never rises above the most detailed
// level and filtering between mip levels would change no pixel. Only known for
// pretransformed triangles drawn without perspective (every rhw alike) and
// without indices; anything else gives 0.
unsigned CDirect3DDevice8::MagnifiedStages(D3DPRIMITIVETYPE type, UINT drawCount, const VertexFormat& layout,
                                           const BYTE* vertices, UINT stride)
{
    if (!layout.pretransformed || (type != D3DPT_TRIANGLELIST && type != D3DPT_TRIANGLESTRIP &&
                                   type != D3DPT_TRIANGLEFAN))
        return 0;
    float rhw = ((const float*)vertices)[3];
    for (UINT i = 1; i < drawCount; i++) {
        if (((const float*)(vertices + (size_t)i * stride))[3] != rhw)
            return 0;
    }
    unsigned mask = 0;
    for (UINT stage = 0; stage < DEVICE_GL_STAGES; stage++) {
        const DWORD* ss = state.stageStates[stage];
        if (ss[D3DTSS_COLOROP] == D3DTOP_DISABLE)
            break;
        CTextureStorage* storage = StorageOf(state.textures[stage]);
        if (!storage || storage->GetTarget() != GL_TEXTURE_2D || ss[D3DTSS_MIPFILTER] == D3DTEXF_NONE ||
            ss[D3DTSS_MAXMIPLEVEL] != 0 || FloatFromBits(ss[D3DTSS_MIPMAPLODBIAS]) > 0.0f)
            continue;
        UINT set = ss[D3DTSS_TEXCOORDINDEX] & 0xFFFF;
        // Without coordinates of its own the stage reads one texel everywhere.
        bool constant = set >= layout.texCoordSets;
        if (!constant && layout.texCoordSize[set] < 2)
            continue;
        UINT base = storage->GetMostDetailedLevel();
        float width = (float)storage->GetLevelWidth(base);
        float height = (float)storage->GetLevelHeight(base);
        bool magnified = true;
        UINT triangles = type == D3DPT_TRIANGLELIST ? drawCount / 3 : drawCount - 2;
        for (UINT n = 0; n < triangles && magnified && !constant; n++) {
            UINT corner[3] = {n, n + 1, n + 2};
            if (type == D3DPT_TRIANGLELIST) {
                corner[0] = n * 3;
                corner[1] = n * 3 + 1;
                corner[2] = n * 3 + 2;
            } else if (type == D3DPT_TRIANGLEFAN) {
                corner[0] = 0;
            }
            const float* p[3];
            const float* t[3];
            for (int i = 0; i < 3; i++) {
                const BYTE* vertex = vertices + (size_t)corner[i] * stride;
                p[i] = (const float*)vertex;
                t[i] = (const float*)(vertex + layout.texCoordOffset[set]);
            }
            magnified = TriangleMagnifies(p, t, width, height);
        }
        if (magnified)
            mask |= 1u << stage;
    }
    return mask;
}

// Blending is switched on only where it can change a pixel: an opaque
// source drawn with "source alpha, inverse source alpha" just replaces the
// destination, which is what drawing without blending does, at less cost.
void CDirect3DDevice8::ApplyBlending(const VertexFormat& layout, const BYTE* vertices, UINT stride, UINT firstVertex,
                                     UINT vertexCount, bool pretransformed)
{
    const DWORD* rs = state.renderStates;
    bool blend = rs[D3DRS_ALPHABLENDENABLE] != 0;
    if (blend && BlendKeepsOpaqueSource(rs) &&
        DrawIsOpaque(layout, vertices, stride, firstVertex, vertexCount, pretransformed))
        blend = false;
    if (blendEnabled == (int)blend)
        return;
    if (blend)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    blendEnabled = blend;
}

// Vertices firstVertex .. firstVertex + vertexCount - 1 are the ones the draw
// reads; only those are converted when they are pretransformed.
void CDirect3DDevice8::BindVertexArrays(const VertexFormat& layout, const BYTE* vertices, UINT stride,
                                        UINT firstVertex, UINT vertexCount)
{
    if (layout.pretransformed) {
        // x, y, z, rhw become the homogeneous (x, y, z, 1) / rhw, so that
        // texture coordinates stay perspective-correct. They keep their
        // indices, so index lists need no change.
        size_t needed = ((size_t)firstVertex + vertexCount) * 4;
        if (screenPositions.size() < needed)
            screenPositions.resize(needed);
        for (UINT i = firstVertex; i < firstVertex + vertexCount; i++) {
            const float* in = (const float*)(vertices + (size_t)i * stride);
            float rhw = in[3] != 0.0f ? in[3] : 1.0f;
            float w = 1.0f / rhw;
            float* out = &screenPositions[(size_t)i * 4];
            out[0] = in[0] * w;
            out[1] = in[1] * w;
            out[2] = in[2] * w;
            out[3] = w;
        }
        glVertexPointer(4, GL_FLOAT, 0, screenPositions.data());
    } else {
        glVertexPointer(3, GL_FLOAT, (GLsizei)stride, vertices);
    }
    EnableClientArray(CLIENT_POSITIONS, GL_VERTEX_ARRAY, true);

    bool normals = layout.normalOffset >= 0 && !layout.pretransformed;
    if (normals)
        glNormalPointer(GL_FLOAT, (GLsizei)stride, vertices + layout.normalOffset);
    EnableClientArray(CLIENT_NORMALS, GL_NORMAL_ARRAY, normals);
    if (layout.diffuseOffset >= 0)
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, (GLsizei)stride, vertices + layout.diffuseOffset);
    EnableClientArray(CLIENT_COLORS, GL_COLOR_ARRAY, layout.diffuseOffset >= 0);
    for (UINT stage = 0; stage < DEVICE_GL_STAGES; stage++) {
        DWORD index = state.stageStates[stage][D3DTSS_TEXCOORDINDEX];
        UINT set = index & 0xFFFF;
        bool generated = (index & 0xFFFF0000) != 0 && !layout.pretransformed;
        bool used = !generated && set < layout.texCoordSets;
        unsigned bit = CLIENT_TEXCOORDS << stage;
        if (!used && !(clientArrays & bit))
            continue; // off, and OpenGL has it off
        glClientActiveTexture(GL_TEXTURE0 + stage);
        if (used)
            glTexCoordPointer((GLint)layout.texCoordSize[set], GL_FLOAT, (GLsizei)stride,
                              vertices + layout.texCoordOffset[set]);
        EnableClientArray(bit, GL_TEXTURE_COORD_ARRAY, used);
        glClientActiveTexture(GL_TEXTURE0);
    }
}

// Switches a vertex array on or off where OpenGL does not have it so already;
// for texture coordinates the caller has made the stage's unit the client one.
void CDirect3DDevice8::EnableClientArray(unsigned bit, GLenum array, bool on)
{
    if (((clientArrays & bit) != 0) == on)
        return;
    if (on)
        glEnableClientState(array);
    else
        glDisableClientState(array);
    clientArrays ^= bit;
}

// Draws from vertices (index 0 at that address); the draw reads only vertices
// firstVertex .. firstVertex + vertexCount - 1, through the indices when there
// are any.
HRESULT CDirect3DDevice8::Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const BYTE* vertices, UINT stride,
                               UINT firstVertex, UINT vertexCount, const void* indices, D3DFORMAT indexFormat)
{
    VertexFormat layout;
    if (!DecodeVertexFormat(state.vertexShader, &layout) || stride < layout.size || !renderTarget)
        return D3DERR_INVALIDCALL;
    UINT drawCount = VertexCount(type, primitiveCount);
    if (drawCount == 0 || primitiveCount == 0)
        return primitiveCount == 0 ? D3D_OK : D3DERR_INVALIDCALL;
    MakeCurrent();

    bool pretransformed = layout.pretransformed;
    if (lastPretransformed != (int)pretransformed) {
        transformsDirty = true;
        projectionDirty = true;
        stagesDirty = true;
        lastPretransformed = pretransformed;
    }
    if (renderStatesDirty) {
        ApplyRenderStates();
        renderStatesDirty = false;
    }
    if (transformsDirty) {
        ApplyTransforms(pretransformed);
        transformsDirty = false;
    }
    unsigned magnified = indices ? 0 : MagnifiedStages(type, drawCount, layout, vertices + (size_t)firstVertex * stride, stride);
    if (magnified != magnifiedStages) {
        magnifiedStages = magnified;
        stagesDirty = true;
    }
    if (stagesDirty) {
        ApplyTextureStages(pretransformed);
        stagesDirty = false;
    }
    bool fog = state.renderStates[D3DRS_FOGENABLE] && !pretransformed &&
               (state.renderStates[D3DRS_FOGTABLEMODE] != D3DFOG_NONE ||
                state.renderStates[D3DRS_FOGVERTEXMODE] != D3DFOG_NONE);
    if (fogEnabled != (int)fog) {
        if (fog)
            glEnable(GL_FOG);
        else
            glDisable(GL_FOG);
        fogEnabled = fog;
    }
    ApplyLighting(layout, pretransformed);
    ApplyBlending(layout, vertices, stride, firstVertex, vertexCount, pretransformed);
    BindVertexArrays(layout, vertices, stride, firstVertex, vertexCount);

    GLenum mode = PrimitiveMode(type);
    if (indices)
        glDrawRangeElements(mode, firstVertex, firstVertex + vertexCount - 1, (GLsizei)drawCount,
                            indexFormat == D3DFMT_INDEX32 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT, indices);
    else
        glDrawArrays(mode, 0, (GLsizei)drawCount);
    renderTarget->MarkDrawn();
    return D3D_OK;
}

HRESULT CDirect3DDevice8::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount)
{
    CD3D8VertexBuffer* buffer = static_cast<CD3D8VertexBuffer*>(state.streamSource);
    UINT stride = state.streamStride;
    UINT count = VertexCount(type, primitiveCount);
    if (!buffer || stride == 0 || (UINT64)(startVertex + (UINT64)count) * stride > buffer->GetLength())
        return D3DERR_INVALIDCALL;
    return Draw(type, primitiveCount, buffer->GetData() + startVertex * stride, stride, 0, count, nullptr,
                D3DFMT_UNKNOWN);
}

HRESULT CDirect3DDevice8::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices,
                                          UINT stride)
{
    if (!vertices || stride == 0)
        return D3DERR_INVALIDCALL;
    // Drawing from user memory unbinds stream 0, as Direct3D does.
    SetStreamSource(0, nullptr, 0);
    return Draw(type, primitiveCount, (const BYTE*)vertices, stride, 0, VertexCount(type, primitiveCount), nullptr,
                D3DFMT_UNKNOWN);
}

// Indices count from the base vertex; every index read must name a vertex
// inside the buffer. Only the vertices the indices name are read.
HRESULT CDirect3DDevice8::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex, UINT numVertices,
                                               UINT startIndex, UINT primitiveCount)
{
    CD3D8VertexBuffer* buffer = static_cast<CD3D8VertexBuffer*>(state.streamSource);
    CD3D8IndexBuffer* indexBuffer = static_cast<CD3D8IndexBuffer*>(state.indices);
    UINT stride = state.streamStride;
    if (!buffer || !indexBuffer || stride == 0)
        return D3DERR_INVALIDCALL;
    UINT indexBytes = indexBuffer->GetFormat() == D3DFMT_INDEX32 ? 4 : 2;
    UINT count = VertexCount(type, primitiveCount);
    if ((UINT64)(startIndex + (UINT64)count) * indexBytes > indexBuffer->GetLength())
        return D3DERR_INVALIDCALL;
    const BYTE* indices = indexBuffer->GetData() + startIndex * indexBytes;
    UINT available = buffer->GetLength() / stride;
    UINT base = state.baseVertexIndex;
    if (base >= available)
        return D3DERR_INVALIDCALL;
    UINT lowest = 0;
    UINT highest = 0;
    IndexRange(indices, indexBytes, count, &lowest, &highest);
    if (count > 0 && base + (UINT64)highest >= available)
        return D3DERR_INVALIDCALL;
    (void)minIndex;
    (void)numVertices;
    return Draw(type, primitiveCount, buffer->GetData() + base * stride, stride, lowest, highest - lowest + 1,
                indices, indexBuffer->GetFormat());
}

// The caller's vertex range is not trusted: the indices themselves say which
// vertices are read.
HRESULT CDirect3DDevice8::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex, UINT numVertexIndices,
                                                 UINT primitiveCount, const void* indexData,
                                                 D3DFORMAT indexDataFormat, const void* vertices, UINT stride)
{
    if (!indexData || !vertices || stride == 0 ||
        (indexDataFormat != D3DFMT_INDEX16 && indexDataFormat != D3DFMT_INDEX32))
        return D3DERR_INVALIDCALL;
    SetStreamSource(0, nullptr, 0);
    SetIndices(nullptr, 0);
    UINT lowest = 0;
    UINT highest = 0;
    IndexRange(indexData, indexDataFormat == D3DFMT_INDEX32 ? 4 : 2, VertexCount(type, primitiveCount), &lowest,
               &highest);
    (void)minVertexIndex;
    (void)numVertexIndices;
    return Draw(type, primitiveCount, (const BYTE*)vertices, stride, lowest, highest - lowest + 1, indexData,
                indexDataFormat);
}
