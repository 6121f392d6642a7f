#include "engine/graphics/vex_camera.h"

#include "engine/graphics/vex_direct3d.h"

using namespace gfx;

void VEX_Camera::OrbitCamera(float tx, float ty, float tz, float height, float distance, float yaw,
                             float pitch) {
    if (!d3d_.device()) return;
    matrix_ = second_ = Matrix(1.0f);
    eye_ = {0, 0, 0};
    Matrix m = Translation(0, height, distance);
    if (pitch != 0) m = Multiply(m, RotationX(pitch));
    if (yaw != 0) m = Multiply(m, RotationY(yaw));
    target_ = {tx, ty, tz};
    eye_ = target_ + Vector3(At(m, 4, 1), At(m, 4, 2), At(m, 4, 3));
    matrix_ = LookAtLH(eye_, target_, {0, 1, 0});
    direction_ = target_ - eye_;
    d3d_.device()->SetTransform(kTsView, matrix_);
}

void VEX_Camera::SetPerspective(float nearPlane, float farPlane, float fieldOfView) {
    if (!d3d_.device()) return;
    if (nearPlane != 0 || farPlane != 0 || fieldOfView != 0) {
        nearPlane_ = nearPlane;
        farPlane_ = farPlane;
        fieldOfView_ = fieldOfView;
    }
    d3d_.SetProjection(nearPlane_, farPlane_, fieldOfView_);
}

bool VEX_Camera::SetViewRect(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
    x1_ = x1, y1_ = y1, x2_ = x2, y2_ = y2;
    return d3d_.SetViewportRect(x1, y1, x2, y2);
}

bool VEX_Camera::Begin2D(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
    if (!SetViewRect(x1, y1, x2, y2)) return false;
    return Begin2D();
}

bool VEX_Camera::Begin2D() {
    const ViewRect& real = d3d_.viewportRect();
    const float rx = d3d_.ratioX(), ry = d3d_.ratioY();
    offsetX_ = -float(real.x1) / rx;
    offsetY_ = -float(real.y1) / ry;
    const float w = float(real.x2 - real.x1) / rx;
    const float h = float(real.y2 - real.y1) / ry;
    Matrix p(1.0f);
    At(p, 1, 1) = 2.0f / w;
    At(p, 2, 2) = -2.0f / h;
    At(p, 3, 3) = -1.0f;
    At(p, 4, 3) = 0.0f;
    At(p, 4, 1) = -1.0f;
    At(p, 4, 2) = 1.0f;
    d3d_.SetProjectionMatrix(p);
    if (d3d_.device()) d3d_.device()->SetTransform(kTsView, Matrix(1.0f));
    // Half a pixel, so texel centres fall on pixel centres.
    offsetX_ -= 0.5f;
    offsetY_ -= 0.5f;
    d3d_.SetWorldPosition(offsetX_, offsetY_, 0);
    matrix_ = p;
    return true;
}
