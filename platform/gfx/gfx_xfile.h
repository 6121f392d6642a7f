// A reader for DirectX .x files in text form: every Mesh of the file (inside
// frames, with the frames' transforms applied) merged into one triangle
// list, with the materials of each mesh's material list in file order as
// the subsets, and the texture file each material names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/gfx_mesh.h"

namespace gfx {

struct XMaterial {
    Material material;    // ambient left black, as the file has none
    std::string texture;  // empty when the material names no texture file
};

struct XFileData {
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;     // three per face
    std::vector<uint32_t> attributes;  // material of each face
    std::vector<XMaterial> materials;
};

// False for binary or compressed files, a damaged structure, or a file
// without a mesh; the text of the reason goes to error.
bool ReadXFile(const char* text, size_t size, XFileData& data, std::string& error);

}  // namespace gfx
