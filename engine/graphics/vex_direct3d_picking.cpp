// Picking: the ray under a screen point, and where it meets a triangle or a
// quad of the table.
#include "engine/graphics/vex_direct3d.h"

using namespace gfx;

void VEX_Direct3D::ComputePickRay(uint16_t screenX, uint16_t screenY, const Matrix& view) {
    const float vx = (2.0f * float(screenX) / float(width_) - 1.0f) / At(projection_, 1, 1);
    const float vy = -(2.0f * float(screenY) / float(height_) - 1.0f) / At(projection_, 2, 2);
    const float vz = 1.0f;
    const Matrix m = Inverse(view);
    pickDirection_ = {vx * At(m, 1, 1) + vy * At(m, 2, 1) + vz * At(m, 3, 1),
                      vx * At(m, 1, 2) + vy * At(m, 2, 2) + vz * At(m, 3, 2),
                      vx * At(m, 1, 3) + vy * At(m, 2, 3) + vz * At(m, 3, 3)};
    pickOrigin_ = {At(m, 4, 1), At(m, 4, 2), At(m, 4, 3)};
}

bool VEX_Direct3D::IntersectTriangle(const Vector3& a, const Vector3& b, const Vector3& c,
                                     float& weightC, float& weightB, float& distance) const {
    const Vector3 e1 = b - a, e2 = c - a;
    const Vector3 p = glm::cross(pickDirection_, e2);
    float det = glm::dot(e1, p);
    Vector3 t;
    if (det > 0) {
        t = pickOrigin_ - a;
    } else {
        t = a - pickOrigin_;
        det = -det;
    }
    if (det < 0.0001f) return false;
    float u = glm::dot(t, p);
    if (u < 0 || u > det) return false;
    const Vector3 q = glm::cross(t, e1);
    float v = glm::dot(pickDirection_, q);
    if (v < 0 || u + v > det) return false;
    distance = glm::dot(e2, q) / det;
    u /= det;
    v /= det;
    weightC = v;
    weightB = u;
    return true;
}

bool VEX_Direct3D::MapOntoQuad(const Vector3& c0, const Vector3& c1, const Vector3& c2,
                               const Vector3& c3, float& x, float& z, float& distance) const {
    float v = 0, u = 0;
    if (IntersectTriangle(c0, c1, c2, v, u, distance)) {
        x = c0.x + v * (c2.x - c0.x);
        z = c0.z + u * (c1.z - c0.z);
        return true;
    }
    if (IntersectTriangle(c3, c2, c1, v, u, distance)) {
        x = c3.x + v * (c1.x - c3.x);
        z = c3.z + u * (c2.z - c3.z);
        return true;
    }
    return false;
}
