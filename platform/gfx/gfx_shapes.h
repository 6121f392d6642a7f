// Simple solids built as one-subset meshes, centred on the origin, with
// outward normals and Direct3D's clockwise front faces.
#pragma once

#include <memory>

#include "platform/gfx/gfx_mesh.h"

namespace gfx {

// Null for sizes or counts that make no solid.
std::unique_ptr<Mesh> CreateBox(float width, float height, float depth);
std::unique_ptr<Mesh> CreateSphere(float radius, uint32_t slices, uint32_t stacks);
// A ring in the xy plane around the z axis; the tube's radius is inner, the
// ring's (centre of the tube) outer.
std::unique_ptr<Mesh> CreateTorus(float innerRadius, float outerRadius, uint32_t sides,
                                  uint32_t rings);
// Along z from -length/2 (radius1) to +length/2 (radius2), capped.
std::unique_ptr<Mesh> CreateCylinder(float radius1, float radius2, float length, uint32_t slices,
                                     uint32_t stacks);

}  // namespace gfx
