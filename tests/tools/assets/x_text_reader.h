// A small reader of DirectX .x text meshes, enough to check the generated
// ones: positions, texture coordinates, faces, and the material list whose
// materials (in file order) are the mesh's subsets.
#pragma once

#include <array>
#include <string>
#include <vector>

struct XMaterial {
    std::array<float, 4> diffuse{};
    float power = 0;
    std::array<float, 3> specular{}, emissive{};
    std::string texture;  // empty when the material names none
};

struct XTextMesh {
    std::vector<std::array<float, 3>> positions;
    std::vector<std::array<float, 2>> uv;              // one per position, or none
    std::vector<std::array<unsigned, 3>> faces;        // triangles only
    std::vector<unsigned> faceSubset;                   // one per face
    std::vector<XMaterial> materials;
};

// Parses the text; answers false with a reason in error when the file is
// not a triangle mesh this reader understands.
bool ReadXText(const std::string& text, XTextMesh& mesh, std::string& error);
