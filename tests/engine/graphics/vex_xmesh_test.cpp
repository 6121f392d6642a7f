// Meshes on the recording backend: reading .x text with materials and
// textures, drawing subsets with the alpha override, FitSize, and the
// simple solids.
#include "engine/graphics/vex_xmesh.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "engine/graphics/vex_texture_list.h"
#include "platform/gfx/gfx_xfile.h"
#include "tests/base/log_tail.h"
#include "tests/engine/graphics/graphics_fixture.h"

using namespace gfx;

namespace {

// A unit quad in y = 0 (two materials, the second textured) and a triangle
// inside a frame moved by (10, 0, 0), written as exporters do.
const char* const kTwoMaterialX = R"(xof 0303txt 0032
template Mesh { <3D82AB44-62DA-11cf-AB39-0020AF71E433> DWORD nVertices; array Vector vertices[nVertices]; }
Material Shared { 1.0;0.0;0.0;0.5;; 20.0; 0.3;0.3;0.3;; 0.0;0.0;0.0;; }
Mesh quad {
 4;
 0.0;0.0;0.0;, 1.0;0.0;0.0;, 1.0;0.0;1.0;, 0.0;0.0;1.0;;
 1;
 4;0,3,2,1;;
 MeshNormals { 1; 0.0;1.0;0.0;; 1; 4;0,0,0,0;; }
 MeshTextureCoords { 4; 0.0;0.0;, 1.0;0.0;, 1.0;1.0;, 0.0;1.0;; }
 MeshMaterialList { 1; 1; 0;; { Shared } }
}
Frame moved {
 FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }
 Mesh tri {
  3; -1;-1;-1;, -2;-1;-1;, -1;-2;-1;;
  1; 3;0,1,2;;
  MeshMaterialList { 1; 1; 0;;
   Material { 0.2;0.4;0.6;1.0;; 5.0; 0.0;0.0;0.0;; 0.1;0.1;0.1;;
    TextureFilename { "skin.tga"; } }
  }
 }
}
)";

class XMeshTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        WriteTextFile("two.x", kTwoMaterialX);
        std::vector<uint8_t> white(4 * 4 * 4, 255);
        ASSERT_TRUE(WriteTga("skin.tga", 4, 4, white));
    }
};

TEST(XFileReader, MergesMeshesWithFrameTransformsAndFansPolygons) {
    XFileData data;
    std::string error;
    ASSERT_TRUE(ReadXFile(kTwoMaterialX, std::strlen(kTwoMaterialX), data, error)) << error;
    ASSERT_EQ(data.materials.size(), 2u);
    EXPECT_EQ(data.materials[0].material.diffuse.a, 0.5f);
    EXPECT_EQ(data.materials[0].material.power, 20.0f);
    EXPECT_EQ(data.materials[1].texture, "skin.tga");
    EXPECT_EQ(data.attributes, (std::vector<uint32_t>{0, 0, 1}));
    ASSERT_EQ(data.indices.size(), 9u);
    // The frame moved the triangle.
    EXPECT_EQ(data.vertices[data.indices[6]].position, Vector3(9, -1, -1));
    EXPECT_EQ(data.vertices[data.indices[0]].normal, Vector3(0, 1, 0));
    EXPECT_EQ(data.vertices[data.indices[2]].u, 1.0f);

    const std::string damaged[] = {
        "xof 0303bin 0032 binary",
        "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,7;; }",  // corner out of
                                                                               // range
        "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;",    // unclosed
        "xof 0303txt 0032\nMesh { 99999999999; }",
        "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 2; 1; "
        "0;; { Nope } } }",
    };
    for (const std::string& text : damaged)
        EXPECT_FALSE(ReadXFile(text.data(), text.size(), data, error)) << text;
}

// Damage that costs before it fails: frames nested past any model's
// hierarchy (which would recurse until the stack runs out), and counts that
// announce more items than the file has tokens (which would be allocated
// before the shortfall shows).
TEST(XFileReader, RefusesDeepNestingAndCountsBeyondTheFileBeforeSpendingOnThem) {
    XFileData data;
    std::string error;
    const std::string triangle = "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }";
    auto nested = [&](int depth) {
        std::string text = "xof 0303txt 0032\n";
        for (int i = 0; i < depth; ++i) text += "Frame {";
        text += triangle;
        for (int i = 0; i < depth; ++i) text += "}";
        return text;
    };
    const std::string modelDeep = nested(16);
    EXPECT_TRUE(ReadXFile(modelDeep.data(), modelDeep.size(), data, error)) << error;
    const std::string tooDeep = nested(200000);
    EXPECT_FALSE(ReadXFile(tooDeep.data(), tooDeep.size(), data, error));
    EXPECT_EQ(error, "frames nested too deeply");

    // A NUL byte, inside a number or standing alone, is damage like any
    // other byte, not the end of a word that never moves on.
    const std::string withNul[] = {
        std::string("xof 0303txt 0032\nMesh { 3; 0;0;0;, 1\0;0;0;, 0;1;0;; 1; 3;0,1,2;; }", 66),
        std::string("xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, \0 0;1;0;; 1; 3;0,1,2;; }", 67),
    };
    for (const std::string& text : withNul) {
        ASSERT_NE(text.find('\0'), std::string::npos);
        EXPECT_FALSE(ReadXFile(text.data(), text.size(), data, error));
    }

    for (const std::string& text : {
             std::string("xof 0303txt 0032\nMesh { 16777216; 0;0;0;; }"),
             std::string(
                 "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 16000000; 3;0,1,2;; }"),
             std::string(
                 "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 9000000;0,1,2;; }"),
         }) {
        EXPECT_FALSE(ReadXFile(text.data(), text.size(), data, error)) << text;
        EXPECT_EQ(error, "count beyond the end of the file") << text;
    }
}

// What the mesh fuzz target found: NUL bytes in a cut mesh, on which the
// tokenizer looped forever, filling memory.
TEST(XFileReader, TheFuzzedMeshWithNulBytesIsRefused) {
    std::ifstream in(RINGDISK_FUZZ_CASES "/xmesh/nul_bytes_in_a_cut_mesh.x", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(text.size(), 1000u);
    ASSERT_NE(text.find('\0'), std::string::npos);
    XFileData data;
    std::string error;
    EXPECT_FALSE(ReadXFile(text.data(), text.size(), data, error));
    EXPECT_FALSE(error.empty());
}

TEST_F(XMeshTest, LoadSetsAmbientToDiffuseAndLoadsEachNamedTextureOnce) {
    LogTail log;
    VEX_XMesh first{Direct3D(), TextureList()}, second{Direct3D(), TextureList()};
    ASSERT_TRUE(first.LoadX("two.x", true));
    ASSERT_TRUE(second.LoadX("two.x", true));
    EXPECT_TRUE(log.HasLine("Arquivo <two.x> carregado com sucesso."));
    ASSERT_EQ(first.materialCount(), 2u);
    EXPECT_EQ(first.material(1)->ambient.b, 0.6f);
    EXPECT_EQ(first.texture(0), 0);
    const int16_t skin = TextureList().FindIndex("skin.tga");
    ASSERT_GT(skin, 0);
    EXPECT_EQ(first.texture(1), skin);
    EXPECT_EQ(second.texture(1), skin);
    const std::string text = log.Text();
    EXPECT_EQ(text.find("Textura <skin.tga>"), text.rfind("Textura <skin.tga>"));

    VEX_XMesh plain{Direct3D(), TextureList()};
    ASSERT_TRUE(plain.LoadX("two.x", false));
    EXPECT_EQ(plain.texture(1), 0);

    WriteTextFile("bad.x", "xof 0303txt 0032\nMesh {");
    VEX_XMesh bad{Direct3D(), TextureList()};
    EXPECT_FALSE(bad.LoadX("bad.x", true));
    EXPECT_TRUE(log.HasLine("AVISO: Erro ao ler arquivo <bad.x>."));
    EXPECT_FALSE(bad.DrawMesh(1.0f));
}

TEST_F(XMeshTest, DrawMeshDrawsEverySubsetAndRestoresTheStoredAlpha) {
    VEX_XMesh mesh{Direct3D(), TextureList()};
    ASSERT_TRUE(mesh.LoadX("two.x", true));
    ASSERT_TRUE(Direct3D().BeginFrame());
    const size_t before = device().draws().size();
    ASSERT_TRUE(mesh.DrawMesh(0.25f));
    const auto& draws = device().draws();
    ASSERT_EQ(draws.size() - before, 2u);
    EXPECT_EQ(draws[before].material.diffuse.a, 0.25f);
    EXPECT_EQ(draws[before + 1].material.diffuse.a, 0.25f);
    EXPECT_EQ(draws[before].primitiveCount, 2u);
    EXPECT_EQ(draws[before + 1].texture, TextureList().TextureOf(mesh.texture(1)));
    EXPECT_EQ(mesh.material(0)->diffuse.a, 0.5f);
    EXPECT_EQ(mesh.material(1)->diffuse.a, 1.0f);

    ASSERT_TRUE(mesh.DrawMesh(1.0f));
    EXPECT_EQ(draws[before + 2].material.diffuse.a, 0.5f);
    EXPECT_EQ(Direct3D().trianglesThisFrame(), 6u);
    EXPECT_EQ(Direct3D().stats().renderCalls.current, 4u);

    Material red;
    red.diffuse = {1, 0, 0, 1};
    mesh.SetMeshMaterial(-1, red);
    mesh.SetMeshTexture(1, 0);
    mesh.SetMeshMaterial(5, Material{});  // no such subset: nothing
    EXPECT_EQ(mesh.material(1)->diffuse.r, 1.0f);
    EXPECT_EQ(mesh.texture(1), 0);
}

TEST_F(XMeshTest, FitSizeMeasuresFromTheOriginForAllNegativeModels) {
    VEX_XMesh mesh{Direct3D(), TextureList()};
    ASSERT_TRUE(mesh.CreateBox(2, 2, 2, 1, 1, 1, 0));
    // Move the box to -4..-2 on every axis.
    for (const MeshVertex& v : mesh.mesh()->vertices()) ASSERT_EQ(std::abs(v.position.x), 1.0f);
    auto* vertices = reinterpret_cast<MeshVertex*>(mesh.mesh()->LockVertices());
    for (uint32_t i = 0; i < mesh.mesh()->VertexCount(); ++i)
        vertices[i].position -= Vector3(3, 3, 3);
    // Largest corner stays at the origin: extent 4, scale 6 / 4 x 1.5.
    mesh.FitSize(6, false, false);
    float lowest = 0;
    for (const MeshVertex& v : mesh.mesh()->vertices()) lowest = std::min(lowest, v.position.x);
    EXPECT_FLOAT_EQ(lowest, -4 * 2.25f);

    mesh.FitSize(3, false, true);  // to corner: the smallest corner lands on the origin
    float low = 1e9f, high = -1e9f;
    for (const MeshVertex& v : mesh.mesh()->vertices())
        low = std::min(low, v.position.y), high = std::max(high, v.position.y);
    EXPECT_FLOAT_EQ(low, 0.0f);

    mesh.FitSize(4, true, false);  // centred: the box centre on the origin
    low = 1e9f, high = -1e9f;
    for (const MeshVertex& v : mesh.mesh()->vertices())
        low = std::min(low, v.position.z), high = std::max(high, v.position.z);
    EXPECT_NEAR(low + high, 0.0f, 1e-5f);
}

TEST_F(XMeshTest, PrimitivesBuildClosedSolidsAndRefuseBadSizes) {
    VEX_XMesh mesh{Direct3D(), TextureList()};
    ASSERT_TRUE(mesh.CreateBox(1, 2, 3, 0.5f, 0.5f, 0.5f, 0));
    EXPECT_EQ(mesh.mesh()->FaceCount(), 12u);
    EXPECT_EQ(mesh.material(0)->ambient.r, 0.5f);
    ASSERT_TRUE(mesh.CreateSphere(2, 8, 6, 1, 1, 1, 0));
    for (const MeshVertex& v : mesh.mesh()->vertices())
        EXPECT_NEAR(glm::length(v.position), 2.0f, 1e-5f);
    ASSERT_TRUE(mesh.CreateTorus(0.5f, 3, 1, 1, 1, 1, 1, 0));  // counts below 3 become 3
    EXPECT_EQ(mesh.mesh()->FaceCount(), 18u);
    ASSERT_TRUE(mesh.CreateCylinder(1, 0.5f, 4, 8, 2, 1, 1, 1, 0));
    EXPECT_EQ(mesh.mesh()->FaceCount(), 8u * 2 * 2 + 8 * 2);

    // Every face of a box turns clockwise seen from outside (left-handed).
    ASSERT_TRUE(mesh.CreateBox(2, 2, 2, 1, 1, 1, 0));
    const auto& idx = mesh.mesh()->indices();
    const auto& vs = mesh.mesh()->vertices();
    for (size_t f = 0; f < idx.size(); f += 3) {
        const Vector3 a = vs[idx[f]].position, b = vs[idx[f + 1]].position,
                      c = vs[idx[f + 2]].position;
        EXPECT_GT(glm::dot(glm::cross(b - a, c - a), (a + b + c) / 3.0f), 0.0f);
    }

    LogTail log;
    EXPECT_FALSE(mesh.CreateBox(0, 1, 1, 1, 1, 1, 0));
    EXPECT_TRUE(mesh.IsEmpty());
    EXPECT_TRUE(log.HasLine("AVISO: Não foi possível criar cubo."));
    EXPECT_FALSE(mesh.CreateSphere(1, 1, 1, 1, 1, 1, 0));
    EXPECT_TRUE(log.HasLine("AVISO: Não foi possivel criar esfera."));
}

}  // namespace
