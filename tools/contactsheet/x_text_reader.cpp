#include "tools/contactsheet/x_text_reader.h"

#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace {

// Splits the body into words, numbers, quoted strings and braces; the
// separators ';' and ',' only end tokens.
class Tokens {
public:
    explicit Tokens(const std::string& text) {
        std::size_t i = text.find('\n');  // the "xof ..." header line
        i = i == std::string::npos ? text.size() : i + 1;
        while (i < text.size()) {
            const char c = text[i];
            if (std::isspace(static_cast<unsigned char>(c)) || c == ';' || c == ',') {
                ++i;
            } else if (c == '{' || c == '}') {
                list_.emplace_back(1, c);
                ++i;
            } else if (c == '"') {
                const std::size_t end = text.find('"', i + 1);
                if (end == std::string::npos) throw std::runtime_error("unterminated string");
                list_.push_back(text.substr(i, end - i + 1));
                i = end + 1;
            } else {
                std::size_t end = i;
                while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) &&
                       text[end] != ';' && text[end] != ',' && text[end] != '{' && text[end] != '}')
                    ++end;
                list_.push_back(text.substr(i, end - i));
                i = end;
            }
        }
    }

    bool Done() const { return next_ >= list_.size(); }
    const std::string& Peek() const {
        if (Done()) throw std::runtime_error("unexpected end of file");
        return list_[next_];
    }
    std::string Take() {
        const std::string t = Peek();
        ++next_;
        return t;
    }
    void Expect(const std::string& want) {
        const std::string got = Take();
        if (got != want) throw std::runtime_error("expected " + want + ", found " + got);
    }
    float Float() {
        const std::string t = Take();
        char* end = nullptr;
        const float v = std::strtof(t.c_str(), &end);
        if (end == t.c_str() || *end) throw std::runtime_error("expected a number, found " + t);
        return v;
    }
    unsigned Count() {
        const float v = Float();
        if (v < 0 || v != float(unsigned(v))) throw std::runtime_error("expected a count");
        return unsigned(v);
    }
    // Skips a block whose opening word was taken, from its '{' on.
    void SkipBlock() {
        Expect("{");
        for (int depth = 1; depth > 0;) {
            const std::string t = Take();
            depth += t == "{" ? 1 : t == "}" ? -1 : 0;
        }
    }

private:
    std::vector<std::string> list_;
    std::size_t next_ = 0;
};

void ReadMaterial(Tokens& t, XMaterial& m) {
    t.Expect("{");
    for (float& v : m.diffuse) v = t.Float();
    m.power = t.Float();
    for (float& v : m.specular) v = t.Float();
    for (float& v : m.emissive) v = t.Float();
    while (t.Peek() != "}") {
        if (t.Take() != "TextureFilename") throw std::runtime_error("unknown block in Material");
        t.Expect("{");
        const std::string name = t.Take();
        if (name.size() < 2 || name.front() != '"')
            throw std::runtime_error("texture name is not a string");
        m.texture = name.substr(1, name.size() - 2);
        t.Expect("}");
    }
    t.Expect("}");
}

void ReadMaterialList(Tokens& t, XTextMesh& mesh) {
    t.Expect("{");
    const unsigned materials = t.Count();
    const unsigned faces = t.Count();
    if (faces != mesh.faces.size())
        throw std::runtime_error("material list does not cover every face");
    for (unsigned i = 0; i < faces; ++i) mesh.faceSubset.push_back(t.Count());
    while (t.Peek() != "}") {
        if (t.Take() != "Material") throw std::runtime_error("unknown block in MeshMaterialList");
        if (t.Peek() != "{") t.Take();  // an optional material name
        mesh.materials.emplace_back();
        ReadMaterial(t, mesh.materials.back());
    }
    t.Expect("}");
    if (mesh.materials.size() != materials)
        throw std::runtime_error("material count differs from the materials");
    for (unsigned s : mesh.faceSubset)
        if (s >= materials) throw std::runtime_error("a face names a missing material");
}

void ReadMesh(Tokens& t, XTextMesh& mesh) {
    if (t.Peek() != "{") t.Take();  // the mesh's name
    t.Expect("{");
    const unsigned vertices = t.Count();
    for (unsigned i = 0; i < vertices; ++i)
        mesh.positions.push_back({t.Float(), t.Float(), t.Float()});
    const unsigned faces = t.Count();
    for (unsigned i = 0; i < faces; ++i) {
        if (t.Count() != 3) throw std::runtime_error("a face is not a triangle");
        const std::array<unsigned, 3> f = {t.Count(), t.Count(), t.Count()};
        for (unsigned v : f)
            if (v >= vertices) throw std::runtime_error("a face names a missing vertex");
        mesh.faces.push_back(f);
    }
    while (t.Peek() != "}") {
        const std::string block = t.Take();
        if (block == "MeshNormals") {
            t.Expect("{");
            const unsigned count = t.Count();
            for (unsigned i = 0; i < count; ++i)
                mesh.normals.push_back({t.Float(), t.Float(), t.Float()});
            if (t.Count() != faces) throw std::runtime_error("normals do not cover every face");
            for (unsigned i = 0; i < faces; ++i) {
                if (t.Count() != 3) throw std::runtime_error("a normal face is not a triangle");
                const std::array<unsigned, 3> f = {t.Count(), t.Count(), t.Count()};
                for (unsigned n : f)
                    if (n >= count) throw std::runtime_error("a face names a missing normal");
                mesh.normalFaces.push_back(f);
            }
            t.Expect("}");
        } else if (block == "MeshTextureCoords") {
            t.Expect("{");
            if (t.Count() != vertices)
                throw std::runtime_error("texture coordinates do not match the vertices");
            for (unsigned i = 0; i < vertices; ++i) mesh.uv.push_back({t.Float(), t.Float()});
            t.Expect("}");
        } else if (block == "MeshMaterialList") {
            ReadMaterialList(t, mesh);
        } else {
            t.SkipBlock();
        }
    }
    t.Expect("}");
}

}  // namespace

bool ReadXText(const std::string& text, XTextMesh& mesh, std::string& error) {
    if (text.rfind("xof ", 0) != 0 || text.find("txt", 4) != 8) {
        error = "not a text .x file";
        return false;
    }
    try {
        Tokens t(text);
        while (!t.Done()) {
            const std::string word = t.Take();
            if (word == "Mesh")
                ReadMesh(t, mesh);
            else
                t.SkipBlock();
        }
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    if (mesh.positions.empty() || mesh.faces.empty()) {
        error = "no mesh";
        return false;
    }
    return true;
}
