// Where everything on the table lies, in the scene's table units.
//
// The scene loads the table, the low table and the base with FitSize(47,
// centred): it moves each mesh's bounding-box centre to the origin and scales
// it by 47 x 1.5 / (largest box side) = 70.5 / (largest side). We therefore
// model the table directly in table units with a box that is already centred
// and whose largest side is exactly 70.5: FitSize then changes nothing, and
// every number below is where it ends up on screen.
//
//  - Disc centres stop at +-32 and a disc is 4.3 across, so the cushions'
//    inner faces stand at 32 + 4.3 / 2 = 34.15.
//  - The box is 70.5 across, so the rim's outer faces are at 70.5 / 2 = 35.25,
//    leaving a 1.1 wide wooden rim.
//  - The playing surface is drawn at height 1.2 (discs are placed at y = 1.2,
//    and the picking and mirror planes lie there).
//  - Centring also applies to y, so the box must be symmetric about 0: the
//    rim top is at +2.6 and the skirt reaches down to -2.6.
//  - Pocketed discs are drawn at y = -1.2, 2.4 below the surface, so each hole
//    is a shaft whose floor lies just below that, at -1.3.
//  - The holes sit at (+-25.5, +-25.5); a disc falls when its centre comes
//    within 4.4 of a hole centre. With a hole of radius 3.4 (about one and a
//    half discs across) a disc drops once a quarter of its width hangs over
//    the edge, and a pocketed disc, drawn where its centre was, shows at
//    least partly in the hole.
#pragma once

namespace assetgen::table {

inline constexpr float kCushion = 34.15f;      // inner face of the cushions
inline constexpr float kOuter = 35.25f;        // outer face of the rim
inline constexpr float kSurfaceY = 1.2f;       // the playing surface
inline constexpr float kRimTopY = 2.6f;        // top of the rim
inline constexpr float kBottomY = -2.6f;       // bottom of the skirt
inline constexpr float kPocketFloorY = -1.3f;  // floor of each hole, just under a pocketed disc
inline constexpr float kHoleCenter = 25.5f;
inline constexpr float kHoleRadius = 3.4f;

// Shooting strip in front of each player: -21 < x < 20, 19.3 < |z| < 24.
inline constexpr float kLineMinX = -21.0f;
inline constexpr float kLineMaxX = 20.0f;
inline constexpr float kLineNearZ = 19.3f;
inline constexpr float kLineFarZ = 24.0f;

// The playing-surface texture covers exactly the square inside the
// cushions: u runs with x, v with z, both from -kCushion to +kCushion.
inline float SurfaceU(float x) {
    return (x + kCushion) / (2 * kCushion);
}
inline float SurfaceV(float z) {
    return (z + kCushion) / (2 * kCushion);
}

}  // namespace assetgen::table
