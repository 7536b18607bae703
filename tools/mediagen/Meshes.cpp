// The three meshes: the skybox seen from inside, and the two slide markers. The markers
// are modelled in cell units (the game scales them by the cell size) around the centre of
// the cell above the hovered stone, so they float just over the stone's top face.
#include "Art.h"
#include "XMesh.h"

#include <cmath>

static XMaterial Coloured(double r, double g, double b, double glow)
{
    XMaterial m = { r, g, b, 1.0, 20.0, 0.6, 0.6, 0.6, r * glow, g * glow, b * glow, "" };
    return m;
}

static XMaterial Textured(const char* texture)
{
    XMaterial m = { 1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, texture };
    return m;
}

// A cube of half size 100 around the eye, its faces turned inwards; the four sides share
// one picture that repeats around the horizon.
static void MakeSkybox(MediaSet& media)
{
    const double H = 100;
    XMesh mesh;
    const int top = mesh.AddMaterial(Textured("env_top.jpg"));
    const int side = mesh.AddMaterial(Textured("env_side.jpg"));
    const int bottom = mesh.AddMaterial(Textured("env_bottom.jpg"));
    mesh.AddQuad({ -H, H, H }, { H, H, H }, { H, -H, H }, { -H, -H, H }, { 0, 0, -1 }, side);
    mesh.AddQuad({ H, H, H }, { H, H, -H }, { H, -H, -H }, { H, -H, H }, { -1, 0, 0 }, side);
    mesh.AddQuad({ H, H, -H }, { -H, H, -H }, { -H, -H, -H }, { H, -H, -H }, { 0, 0, 1 }, side);
    mesh.AddQuad({ -H, H, -H }, { -H, H, H }, { -H, -H, H }, { -H, -H, -H }, { 1, 0, 0 }, side);
    mesh.AddQuad({ -H, H, -H }, { H, H, -H }, { H, H, H }, { -H, H, H }, { 0, -1, 0 }, top);
    mesh.AddQuad({ -H, -H, H }, { H, -H, H }, { H, -H, -H }, { -H, -H, -H }, { 0, 1, 0 }, bottom);
    media.SaveText("env_skybox.x", mesh.ToText("Skybox"));
}

// Marker height: between the stone's top face (-0.25) and the middle of the cell above.
static const double kMarkerLow = -0.17, kMarkerHigh = -0.07;

static std::vector<XVec3> Bar(double length, double width, double angle)
{
    const double c = cos(angle), s = sin(angle);
    const double corners[4][2] = { { -length / 2, -width / 2 }, { length / 2, -width / 2 },
                                   { length / 2, width / 2 }, { -length / 2, width / 2 } };
    std::vector<XVec3> out;
    for (const auto& p : corners)
        out.push_back({ p[0] * c - p[1] * s, 0, p[0] * s + p[1] * c });
    return out;
}

static void MakeCross(MediaSet& media)
{
    XMesh mesh;
    const int red = mesh.AddMaterial(Coloured(0.95, 0.12, 0.10, 0.5));
    mesh.AddPrism(Bar(0.75, 0.17, M_PI / 4), kMarkerLow, kMarkerHigh, red);
    mesh.AddPrism(Bar(0.75, 0.17, -M_PI / 4), kMarkerLow, kMarkerHigh, red);
    media.SaveText("cross.x", mesh.ToText("Cross"));
}

// A flat arrow along +z: a shaft and a head.
static void MakeArrow(MediaSet& media)
{
    XMesh mesh;
    const int gold = mesh.AddMaterial(Coloured(1.0, 0.80, 0.25, 0.5));
    mesh.AddPrism({ { -0.08, 0, -0.38 }, { 0.08, 0, -0.38 }, { 0.08, 0, 0.06 }, { -0.08, 0, 0.06 } },
                  kMarkerLow, kMarkerHigh, gold);
    mesh.AddPrism({ { -0.24, 0, 0.05 }, { 0.24, 0, 0.05 }, { 0, 0, 0.42 } }, kMarkerLow, kMarkerHigh, gold);
    media.SaveText("arrow.x", mesh.ToText("Arrow"));
}

void MakeMeshes(MediaSet& media)
{
    MakeSkybox(media);
    MakeCross(media);
    MakeArrow(media);
}
