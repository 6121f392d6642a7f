#include "platform/gfx/gfx_xfile.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/gfx/gfx_math.h"

namespace gfx {

namespace {

// Counts above this are taken for damage rather than data.
constexpr uint32_t kMaxCount = 1u << 24;
// Exporters nest a frame per node of a model's hierarchy: a few levels.
constexpr int kMaxFrameDepth = 64;

struct Token {
    enum Kind { Word, String, Open, Close } kind;
    std::string text;
};

// The bytes that end a word. Not strchr: it finds the terminating NUL too,
// and a NUL in a damaged file would then end an empty word without moving
// on, forever.
bool EndsWord(char c) {
    return std::isspace(static_cast<unsigned char>(c)) || c == ';' || c == ',' || c == '{' ||
           c == '}' || c == '"';
}

// Words, quoted strings and braces; ';' and ',' only separate values, and
// comments ("//" or "#" to the end of the line) and GUIDs are dropped.
std::vector<Token> Tokenize(const char* p, const char* end) {
    std::vector<Token> tokens;
    while (p < end) {
        const char c = *p;
        if (std::isspace(static_cast<unsigned char>(c)) || c == ';' || c == ',') {
            ++p;
        } else if (c == '#' || (c == '/' && p + 1 < end && p[1] == '/')) {
            while (p < end && *p != '\n') ++p;
        } else if (c == '<') {
            while (p < end && *p != '>') ++p;
            if (p < end) ++p;
        } else if (c == '{' || c == '}') {
            tokens.push_back({c == '{' ? Token::Open : Token::Close, {}});
            ++p;
        } else if (c == '"') {
            const char* start = ++p;
            while (p < end && *p != '"') ++p;
            tokens.push_back({Token::String, std::string(start, p)});
            if (p < end) ++p;
        } else {
            const char* start = p;
            while (p < end && !EndsWord(*p)) ++p;
            tokens.push_back({Token::Word, std::string(start, p)});
        }
    }
    return tokens;
}

class Parser {
public:
    Parser(std::vector<Token> tokens, XFileData& data) : tokens_(std::move(tokens)), data_(data) {}

    bool Run(std::string& error) {
        while (ok_ && pos_ < tokens_.size()) TopLevelObject(Matrix(1.0f));
        if (!ok_)
            error = error_;
        else if (data_.indices.empty())
            error = "no mesh with faces";
        return ok_ && !data_.indices.empty();
    }

private:
    bool Fail(const char* why) {
        if (ok_) error_ = why;
        ok_ = false;
        return false;
    }
    bool AtEnd() const { return pos_ >= tokens_.size(); }
    bool Peek(Token::Kind kind) const { return !AtEnd() && tokens_[pos_].kind == kind; }

    bool Expect(Token::Kind kind) {
        if (!Peek(kind)) return Fail("unexpected token");
        ++pos_;
        return true;
    }

    float Float() {
        if (!Peek(Token::Word)) return Fail("number expected"), 0.0f;
        const std::string& text = tokens_[pos_++].text;
        char* end = nullptr;
        const float value = std::strtof(text.c_str(), &end);
        // The whole word: a NUL inside it does not end the number early.
        if (end == text.c_str() || end != text.c_str() + text.size() || !std::isfinite(value))
            return Fail("bad number"), 0.0f;
        return value;
    }

    // Every item a count announces takes at least one token, so a count
    // beyond the tokens left is damage; refusing it before anything is
    // allocated keeps a short file from asking the heap for gigabytes.
    uint32_t Count() {
        const float value = Float();
        if (!ok_ || value < 0 || value > float(kMaxCount) || value != std::floor(value))
            return Fail("bad count"), 0;
        if (value > float(tokens_.size() - pos_))
            return Fail("count beyond the end of the file"), 0;
        return uint32_t(value);
    }

    // After an object's type word: its optional name and the opening brace.
    std::string OpenBlock() {
        std::string name;
        if (Peek(Token::Word)) name = tokens_[pos_++].text;
        Expect(Token::Open);
        return name;
    }

    void SkipBlockBody() {
        int depth = 1;
        while (ok_ && depth > 0) {
            if (AtEnd()) return void(Fail("unclosed block"));
            const Token::Kind kind = tokens_[pos_++].kind;
            depth += kind == Token::Open ? 1 : kind == Token::Close ? -1 : 0;
        }
    }

    void TopLevelObject(const Matrix& transform) {
        if (!Peek(Token::Word)) return void(Fail("object expected"));
        const std::string type = tokens_[pos_++].text;
        if (type == "template") {
            OpenBlock();
            SkipBlockBody();
        } else if (type == "Frame") {
            Frame(transform);
        } else if (type == "Mesh") {
            MeshObject(transform);
        } else if (type == "Material") {
            const std::string name = OpenBlock();
            XMaterial material = MaterialBody();
            if (!name.empty()) namedMaterials_[name] = material;
        } else {
            OpenBlock();
            SkipBlockBody();
        }
    }

    void Frame(const Matrix& parent) {
        // Frames nest by recursion; a file nested deeper than any model is
        // refused before it can exhaust the stack.
        if (++frameDepth_ > kMaxFrameDepth) return void(Fail("frames nested too deeply"));
        OpenBlock();
        Matrix local(1.0f);
        while (ok_ && !Peek(Token::Close)) {
            if (Peek(Token::Open)) {
                ++pos_;
                SkipBlockBody();
                continue;
            }
            if (Peek(Token::Word) && tokens_[pos_].text == "FrameTransformMatrix") {
                ++pos_;
                OpenBlock();
                for (int i = 0; i < 16; ++i) local[i / 4][i % 4] = Float();
                Expect(Token::Close);
                continue;
            }
            TopLevelObject(Multiply(local, parent));
        }
        Expect(Token::Close);
        --frameDepth_;
    }

    XMaterial MaterialBody() {
        XMaterial m;
        Material& mat = m.material;
        mat.diffuse = {Float(), Float(), Float(), Float()};
        mat.power = Float();
        mat.specular = {Float(), Float(), Float(), 1.0f};
        mat.emissive = {Float(), Float(), Float(), 1.0f};
        while (ok_ && !Peek(Token::Close)) {
            if (Peek(Token::Word) && tokens_[pos_].text == "TextureFilename") {
                ++pos_;
                OpenBlock();
                if (Peek(Token::String))
                    m.texture = tokens_[pos_++].text;
                else
                    Fail("texture file name expected");
                Expect(Token::Close);
            } else if (Peek(Token::Word)) {
                ++pos_;
                OpenBlock();
                SkipBlockBody();
            } else {
                Fail("unexpected token in material");
            }
        }
        Expect(Token::Close);
        return m;
    }

    // A face list: count, then per face its corner count and corners.
    std::vector<std::vector<uint32_t>> Faces() {
        std::vector<std::vector<uint32_t>> faces(Count());
        for (auto& face : faces) {
            if (!ok_) break;
            face.resize(Count());
            if (face.size() < 3) Fail("face with fewer than three corners");
            for (uint32_t& corner : face) corner = Count();
        }
        return faces;
    }

    void MeshObject(const Matrix& transform) {
        OpenBlock();
        std::vector<Vector3> positions(Count());
        for (Vector3& p : positions) {
            if (!ok_) return;
            p = {Float(), Float(), Float()};
        }
        const auto faces = Faces();
        std::vector<Vector3> normals;
        std::vector<std::vector<uint32_t>> normalFaces;
        std::vector<float> uvs;
        std::vector<uint32_t> faceMaterials;
        std::vector<XMaterial> materials;
        while (ok_ && !Peek(Token::Close)) {
            if (!Peek(Token::Word)) return void(Fail("unexpected token in mesh"));
            const std::string type = tokens_[pos_++].text;
            OpenBlock();
            if (type == "MeshNormals") {
                normals.resize(Count());
                for (Vector3& n : normals) {
                    if (!ok_) return;
                    n = {Float(), Float(), Float()};
                }
                normalFaces = Faces();
                Expect(Token::Close);
            } else if (type == "MeshTextureCoords") {
                uvs.resize(size_t(Count()) * 2);
                for (float& t : uvs) {
                    if (!ok_) return;
                    t = Float();
                }
                Expect(Token::Close);
            } else if (type == "MeshMaterialList") {
                MaterialList(faceMaterials, materials);
            } else {
                SkipBlockBody();
            }
        }
        Expect(Token::Close);
        if (!ok_) return;
        if (!normalFaces.empty() && normalFaces.size() != faces.size())
            return void(Fail("normal faces do not match"));
        if (!uvs.empty() && uvs.size() != positions.size() * 2)
            return void(Fail("texture coordinates do not match"));
        if (materials.empty()) {
            XMaterial grey;
            grey.material.diffuse = {0.5f, 0.5f, 0.5f, 1.0f};
            materials.push_back(grey);
        }
        Append(transform, positions, faces, normals, normalFaces, uvs, faceMaterials, materials);
    }

    void MaterialList(std::vector<uint32_t>& faceMaterials, std::vector<XMaterial>& materials) {
        const uint32_t materialCount = Count();
        faceMaterials.resize(Count());
        for (uint32_t& m : faceMaterials) {
            if (!ok_) return;
            m = Count();
        }
        while (ok_ && !Peek(Token::Close)) {
            if (Peek(Token::Open)) {  // a reference to a named material
                ++pos_;
                if (!Peek(Token::Word)) return void(Fail("material reference expected"));
                auto found = namedMaterials_.find(tokens_[pos_++].text);
                if (found == namedMaterials_.end()) return void(Fail("unknown material"));
                materials.push_back(found->second);
                Expect(Token::Close);
            } else if (Peek(Token::Word) && tokens_[pos_].text == "Material") {
                ++pos_;
                OpenBlock();
                materials.push_back(MaterialBody());
            } else {
                return void(Fail("unexpected token in material list"));
            }
        }
        Expect(Token::Close);
        if (ok_ && materials.size() != materialCount) Fail("material count does not match");
    }

    void Append(const Matrix& transform, const std::vector<Vector3>& positions,
                const std::vector<std::vector<uint32_t>>& faces,
                const std::vector<Vector3>& normals,
                const std::vector<std::vector<uint32_t>>& normalFaces,
                const std::vector<float>& uvs, const std::vector<uint32_t>& faceMaterials,
                const std::vector<XMaterial>& materials) {
        const uint32_t materialBase = uint32_t(data_.materials.size());
        data_.materials.insert(data_.materials.end(), materials.begin(), materials.end());
        const Matrix normalTransform = glm::transpose(Inverse(transform));
        // One output vertex per distinct (position, normal) corner pair.
        std::map<std::pair<uint32_t, uint32_t>, uint32_t> made;
        auto vertexOf = [&](uint32_t p, uint32_t n) -> uint32_t {
            if (p >= positions.size() || (!normals.empty() && n >= normals.size())) {
                Fail("corner index out of range");
                return 0;
            }
            auto [it, inserted] = made.try_emplace({p, n}, uint32_t(data_.vertices.size()));
            if (inserted) {
                MeshVertex v;
                v.position = TransformCoord(positions[p], transform);
                if (!normals.empty()) {
                    const glm::vec4 turned = normalTransform * glm::vec4(normals[n], 0.0f);
                    const float length = glm::length(glm::vec3(turned));
                    v.normal = length > 0 ? glm::vec3(turned) / length : glm::vec3(0.0f);
                }
                if (!uvs.empty()) v.u = uvs[p * 2], v.v = uvs[p * 2 + 1];
                data_.vertices.push_back(v);
            }
            return it->second;
        };
        for (size_t f = 0; f < faces.size() && ok_; ++f) {
            const auto& corners = faces[f];
            const auto* normalCorners = normalFaces.empty() ? &corners : &normalFaces[f];
            if (normalCorners->size() != corners.size())
                return void(Fail("normal face does not match"));
            uint32_t material = f < faceMaterials.size() ? faceMaterials[f] : 0;
            if (faceMaterials.size() == 1)
                material = faceMaterials[0];  // one index stands for every face
            if (material >= materials.size()) return void(Fail("face material out of range"));
            // Polygons become fans around their first corner.
            for (size_t c = 1; c + 1 < corners.size(); ++c) {
                data_.indices.push_back(vertexOf(corners[0], (*normalCorners)[0]));
                data_.indices.push_back(vertexOf(corners[c], (*normalCorners)[c]));
                data_.indices.push_back(vertexOf(corners[c + 1], (*normalCorners)[c + 1]));
                data_.attributes.push_back(materialBase + material);
            }
        }
    }

    std::vector<Token> tokens_;
    size_t pos_ = 0;
    XFileData& data_;
    std::map<std::string, XMaterial> namedMaterials_;
    int frameDepth_ = 0;
    bool ok_ = true;
    std::string error_;
};

}  // namespace

bool ReadXFile(const char* text, size_t size, XFileData& data, std::string& error) {
    data = {};
    // "xof 0303txt 0032": magic, version, format, float size.
    if (!text || size < 16 || std::memcmp(text, "xof ", 4) != 0) {
        error = "not a .x file";
        return false;
    }
    if (std::memcmp(text + 8, "txt ", 4) != 0) {
        error = "only text .x files are read";
        return false;
    }
    Parser parser(Tokenize(text + 16, text + size), data);
    if (parser.Run(error)) return true;
    data = {};
    return false;
}

}  // namespace gfx
