// The engine's camera: an orbit view for the 3D scene (a target seen from an
// offset turned by pitch and yaw) with its perspective, and the 2D view in
// which one unit is one pixel of the device's virtual resolution, origin at
// the top-left, y growing downwards, for texts and pictures.
#pragma once

#include <cstdint>

#include "base/memory_tracker.h"
#include "platform/gfx/gfx_math.h"

class VEX_Direct3D;

class VEX_Camera : public TrackedObject {
public:
    explicit VEX_Camera(VEX_Direct3D& d3d) : d3d_(d3d) {}

    void OrbitCamera(float targetX, float targetY, float targetZ, float height, float distance,
                     float yaw, float pitch);
    // All three 0 keeps the stored values; otherwise all three replace them.
    void SetPerspective(float nearPlane, float farPlane, float fieldOfView);
    bool SetViewRect(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
    // The 2D view over the current viewport.
    bool Begin2D();
    // The 2D view over a new viewport rectangle (virtual units).
    bool Begin2D(int16_t x1, int16_t y1, int16_t x2, int16_t y2);

    const gfx::Matrix& matrix() const { return matrix_; }
    const gfx::Vector3& eye() const { return eye_; }
    const gfx::Vector3& target() const { return target_; }
    const gfx::Vector3& direction() const { return direction_; }
    float nearPlane() const { return nearPlane_; }
    float farPlane() const { return farPlane_; }
    float fieldOfView() const { return fieldOfView_; }
    float offsetX() const { return offsetX_; }
    float offsetY() const { return offsetY_; }

private:
    VEX_Direct3D& d3d_;
    float nearPlane_ = 1.0f, farPlane_ = 800.0f, fieldOfView_ = 0.7853982f;
    gfx::Matrix matrix_{1.0f}, second_{1.0f};
    gfx::Vector3 eye_{0, 0, 0}, target_{0, 0, 0}, direction_{0, 0, 0};
    int16_t x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    float offsetX_ = 0, offsetY_ = 0;
};
