// The table's measurements, in table units: the playing surface is a square
// centred on the origin, x across it, z towards the green player, y up. The
// physics, the scene, the asset generator and the tests all read them here,
// so this header includes nothing and may be included from anywhere.
#pragma once

namespace table {

// Discs.
inline constexpr float kDiscDiameter = 4.3f;  // centre distance at which two discs touch
inline constexpr float kDiscRadius = kDiscDiameter / 2;

// Cushions and rim.
inline constexpr float kWallLimit = 32.0f;  // disc centres stay within +-32 on both axes
// Inner faces of the cushions, where a disc resting at the wall limit touches
// them (34.15); the playing surface spans +-kCushionFace on both axes.
inline constexpr float kCushionFace = kWallLimit + kDiscRadius;
// Outer faces of the wooden rim: half of 70.5, the size the scene fits the
// table mesh to (47 x 1.5), so a table modelled in table units keeps its size.
inline constexpr float kRimOuterFace = 35.25f;

// Heights.
inline constexpr float kSurfaceY = 1.2f;        // the playing surface; discs on it stand here
inline constexpr float kPocketedDiscY = -1.2f;  // where a pocketed disc is drawn, in its hole
inline constexpr float kHoleFloorY = -1.3f;     // floor of each hole, just under a pocketed disc
// The scene centres the table mesh's box on y too, so the rim's top and the
// bottom of its outer skirt lie symmetric about 0.
inline constexpr float kRimTopY = 2.6f;
inline constexpr float kSkirtBottomY = -kRimTopY;

// Holes, one in each corner at (+-kHoleCenter, +-kHoleCenter).
inline constexpr float kHoleCenter = 25.5f;
inline constexpr float kHoleRadius = 3.4f;  // the drawn hole, about one and a half discs across
// A disc falls when its centre comes this close to a hole's centre.
inline constexpr float kHoleCaptureRadius = 4.4f;

// The shooting strip in front of each player, where the striker is placed:
// kShootingStripMinX < x < kShootingStripMaxX (not symmetric) and
// kShootingStripNearZ < |z| < kShootingStripFarZ, the green player's at z > 0.
inline constexpr float kShootingStripMinX = -21.0f;
inline constexpr float kShootingStripMaxX = 20.0f;
inline constexpr float kShootingStripNearZ = 19.3f;
inline constexpr float kShootingStripFarZ = 24.0f;
// The middle of the strip (21.65).
inline constexpr float kShootingLineZ = (kShootingStripNearZ + kShootingStripFarZ) / 2;

// The playing-surface texture covers exactly the square inside the
// cushions: u runs with x, v with z, both from -kCushionFace to +kCushionFace.
constexpr float SurfaceU(float x) {
    return (x + kCushionFace) / (2 * kCushionFace);
}
constexpr float SurfaceV(float z) {
    return (z + kCushionFace) / (2 * kCushionFace);
}

}  // namespace table
