// A small reader of DirectX .x text meshes, enough for the generated ones:
// positions, texture coordinates, triangles, and the material list whose
// materials (in file order) are the mesh's subsets. The contact sheet draws
// with it and the package tests check the meshes through it.
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
    std::vector<std::array<float, 2>> uv;  // one per position, or none
    std::vector<std::array<float, 3>> normals;
    std::vector<std::array<unsigned, 3>> normalFaces;  // per face, its corners' normals
    std::vector<std::array<unsigned, 3>> faces;        // triangles only
    std::vector<unsigned> faceSubset;                  // one per face
    std::vector<XMaterial> materials;
};

// Parses the text; answers false with a reason in error when the file is
// not a triangle mesh this reader understands.
bool ReadXText(const std::string& text, XTextMesh& mesh, std::string& error);
