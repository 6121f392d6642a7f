#include "scene/disc_look.h"

#include "engine/modules/engine_modules.h"
#include "scene/hud_draw.h"

using namespace gfx;

namespace {

// Diffuse colours chosen for the lit discs' pixels: blue, about
// (52, 96, 243), and a vermillion red, about (185, 67, 52), stay more than
// 45 ΔE apart from each other and from the striker's (232, 222, 78) under
// protanopia, deuteranopia and tritanopia simulated; the red is the darker
// by far, so even a viewer of lightness alone tells the three apart. The
// ambient and specular parts are the classic discs'.
Material MakeSideMaterial(float r, float g, float b) {
    Material material;
    VEX_Direct3D::MakeMaterial(material, r, g, b, .2f, .2f, .2f, .3f, .3f, .3f, 0, 0, 0, 50);
    return material;
}
const Material& SafeGreensSide() {
    static const Material blue = MakeSideMaterial(0, .15f, .65f);
    return blue;
}
const Material& SafeRedsSide() {
    static const Material vermillion = MakeSideMaterial(.45f, .05f, 0);
    return vermillion;
}
const Material& MarkMaterial() {
    static const Material light = [] {
        Material m;
        VEX_Direct3D::MakeMaterial(m, .75f, .75f, .75f, .3f, .3f, .3f, .2f, .2f, .2f, 0, 0, 0, 30);
        return m;
    }();
    return light;
}

// The dot's share of the disc's width, and how far it stands out of the top.
constexpr float kMarkScale = 0.42f;
constexpr float kMarkRaise = 0.06f;

constexpr uint32_t kSafeBlueText = 0xFF4A8CFF;

}  // namespace

void SetDiscLookOption(GameState& g, int look) {
    g.options.discLook =
        look == int(DiscLook::kColourSafe) ? DiscLook::kColourSafe : DiscLook::kClassic;
}

const Material& DiscMaterial(const SceneMeshes& meshes, DiscLook look, DiscColor color) {
    if (look == DiscLook::kColourSafe && color == kColorGreen) return SafeGreensSide();
    if (look == DiscLook::kColourSafe && color == kColorRed) return SafeRedsSide();
    return meshes.MaterialOf(color);
}

void DrawDiscMark(VEX_XMesh& discMesh, DiscLook look, DiscColor color, float x, float y, float z,
                  float opacity) {
    if (look != DiscLook::kColourSafe || color != kColorRed) return;
    discMesh.SetMeshMaterial(0, MarkMaterial());
    Direct3D().SetWorldMatrix(
        Multiply(Scaling(kMarkScale, 1, kMarkScale), Translation(x, y + kMarkRaise, z)));
    discMesh.DrawMesh(opacity);
}

uint32_t SideColor(DiscLook look, int side) {
    if (side != 0) return kRed;
    return look == DiscLook::kColourSafe ? kSafeBlueText : kGreen;
}
