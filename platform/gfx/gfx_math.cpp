#include "platform/gfx/gfx_math.h"

#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>
#include <glm/matrix.hpp>

namespace gfx {

Matrix Multiply(const Matrix& a, const Matrix& b) {
    return b * a;
}
Matrix Inverse(const Matrix& m) {
    return glm::inverse(m);
}

Matrix Translation(float x, float y, float z) {
    return glm::translate(Matrix(1.0f), {x, y, z});
}
Matrix Scaling(float x, float y, float z) {
    return glm::scale(Matrix(1.0f), {x, y, z});
}

// A left-handed rotation by +angle, seen down the axis towards the origin,
// turns clockwise; in column-vector terms that is GLM's rotation by +angle.
Matrix RotationX(float angle) {
    return glm::rotate(Matrix(1.0f), angle, {1, 0, 0});
}
Matrix RotationY(float angle) {
    return glm::rotate(Matrix(1.0f), angle, {0, 1, 0});
}
Matrix RotationZ(float angle) {
    return glm::rotate(Matrix(1.0f), angle, {0, 0, 1});
}

Matrix RotationQuaternion(const Quaternion& q) {
    return glm::mat4_cast(glm::quat(q.w, q.x, q.y, q.z));
}

Matrix PerspectiveFovLH(float fovY, float aspect, float nearPlane, float farPlane) {
    return glm::perspectiveLH_ZO(fovY, aspect, nearPlane, farPlane);
}

Matrix LookAtLH(const Vector3& eye, const Vector3& target, const Vector3& up) {
    return glm::lookAtLH(eye, target, up);
}

Vector3 TransformCoord(const Vector3& v, const Matrix& m) {
    const glm::vec4 r = m * glm::vec4(v, 1.0f);
    return Vector3(r) / r.w;
}

}  // namespace gfx
