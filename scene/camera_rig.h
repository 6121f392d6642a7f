// The camera the table is seen through, in one place: it orbits a point
// below the table's middle from above and behind the seat, and the 3D
// passes draw with a near and far plane around the table.
#pragma once

#include "engine/modules/engine_modules.h"
#include "game/game_state.h"

namespace camera_rig {
constexpr float kTargetX = 0, kTargetY = -6, kTargetZ = 0;
constexpr float kHeight = 50, kDistance = 81;
constexpr float kNear = 18, kFar = 145;
constexpr float kFieldOfView = 0;  // the device's default, pi/4
}  // namespace camera_rig

// Orbiting the table's middle at the view's rotation; the red seat sees it
// from the other side, tilted the same way for the same mouse movement.
inline void PlaceTableCamera(const ViewRotation& view, bool redSeat) {
    using namespace camera_rig;
    Camera().OrbitCamera(kTargetX, kTargetY, kTargetZ, kHeight, redSeat ? -kDistance : kDistance,
                         view.yaw, redSeat ? -view.pitch : view.pitch);
}

// The projection every 3D pass of the table draws with.
inline void ApplyTableProjection() {
    using namespace camera_rig;
    Direct3D().SetProjection(kNear, kFar, kFieldOfView);
}
