// Matrix helpers in the device's convention: row vectors, left-handed, depth
// 0..1. They are built with GLM, whose column-major column-vector matrices
// share their memory with these row-major row-vector ones, so A x B here is
// B * A in GLM terms. Everything the engine multiplies goes through Multiply.
#pragma once

#include "platform/gfx/gfx_types.h"

namespace gfx {

// a x b: first a, then b.
Matrix Multiply(const Matrix& a, const Matrix& b);
Matrix Inverse(const Matrix& m);
Matrix Translation(float x, float y, float z);
Matrix Scaling(float x, float y, float z);
Matrix RotationX(float angle);
Matrix RotationY(float angle);
Matrix RotationZ(float angle);
Matrix RotationQuaternion(const Quaternion& q);
// Left-handed perspective; depth maps near..far to 0..1.
Matrix PerspectiveFovLH(float fovY, float aspect, float nearPlane, float farPlane);
Matrix LookAtLH(const Vector3& eye, const Vector3& target, const Vector3& up);
// Point x matrix with the perspective divide.
Vector3 TransformCoord(const Vector3& v, const Matrix& m);

// Row r, column c, both counted from 1 as in M11..M44.
inline float& At(Matrix& m, int r, int c) {
    return m[r - 1][c - 1];
}
inline float At(const Matrix& m, int r, int c) {
    return m[r - 1][c - 1];
}

}  // namespace gfx
