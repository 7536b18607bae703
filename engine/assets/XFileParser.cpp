// DirectX text mesh parsing in two steps: the text is read into a small tree of data
// objects (type, optional name, the numbers and strings it holds, child objects and
// references), then the tree is walked and the meshes are turned into triangle lists.

#include "XFileParser.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

const int MAX_NESTING = 64;

struct XNode
{
    std::string type;        // empty for a reference "{ name }"
    std::string name;
    std::vector<double> numbers;
    std::vector<std::string> strings;
    std::vector<XNode> children;   // child objects and references, in file order
};

// ---------------------------------------------------------------------------------
// Tokens

enum TokenKind { TOK_END, TOK_OPEN, TOK_CLOSE, TOK_NAME, TOK_NUMBER, TOK_STRING };

struct Token
{
    TokenKind kind = TOK_END;
    std::string text;
    double number = 0.0;
};

class Tokenizer {
public:
    Tokenizer(const char* text, size_t size) : p(text), end(text + size) {}

    // Reads the next token; false with a message on a character that has no place here.
    bool Next(Token& tok, std::string& error)
    {
        SkipSpaceAndComments();
        tok = Token();
        if (p >= end) {
            tok.kind = TOK_END;
            return true;
        }

        char c = *p;
        if (c == '{') {
            p++;
            tok.kind = TOK_OPEN;
            return true;
        }
        if (c == '}') {
            p++;
            tok.kind = TOK_CLOSE;
            return true;
        }
        if (c == '"') {
            const char* start = ++p;
            while (p < end && *p != '"')
                p++;
            if (p >= end) {
                error = "unterminated string";
                return false;
            }
            tok.kind = TOK_STRING;
            tok.text.assign(start, p);
            p++;
            return true;
        }
        if (IsDigit(c) || c == '-' || c == '+' || c == '.')
            return ReadNumber(tok, error);
        if (IsNameStart(c)) {
            const char* start = p;
            while (p < end && IsNameChar(*p))
                p++;
            tok.kind = TOK_NAME;
            tok.text.assign(start, p);
            return true;
        }

        error = std::string("unexpected character '") + c + "'";
        return false;
    }

    // Skips raw text up to the brace that closes a block whose '{' was just read.
    // Template bodies hold member declarations and restrictions ("[...]") that are
    // not data, so they are passed over without reading them as tokens.
    bool SkipBlock(std::string& error)
    {
        int depth = 1;
        while (p < end) {
            char c = *p++;
            if (c == '{')
                depth++;
            else if (c == '}' && --depth == 0)
                return true;
        }
        error = "file ends inside a template";
        return false;
    }

private:
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    static bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
    static bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c) || c == '-' || c == '.'; }

    void SkipSpaceAndComments()
    {
        while (p < end) {
            char c = *p;
            // Separators between list items carry no meaning once counts are known.
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';' || c == ',') {
                p++;
            } else if (c == '#' || (c == '/' && p + 1 < end && p[1] == '/')) {
                while (p < end && *p != '\n')
                    p++;
            } else {
                break;
            }
        }
    }

    // A plain decimal number: sign, digits, optional fraction and exponent. Anything
    // else ("nan", "1.2.3", "--4") is refused so that garbage never becomes data.
    bool ReadNumber(Token& tok, std::string& error)
    {
        const char* start = p;
        if (p < end && (*p == '-' || *p == '+'))
            p++;
        int digits = 0;
        while (p < end && IsDigit(*p)) {
            p++;
            digits++;
        }
        if (p < end && *p == '.') {
            p++;
            while (p < end && IsDigit(*p)) {
                p++;
                digits++;
            }
        }
        if (digits > 0 && p < end && (*p == 'e' || *p == 'E')) {
            const char* e = p + 1;
            if (e < end && (*e == '-' || *e == '+'))
                e++;
            if (e < end && IsDigit(*e)) {
                p = e;
                while (p < end && IsDigit(*p))
                    p++;
            }
        }
        if (digits == 0 || (p < end && (IsNameChar(*p) || *p == '"'))) {
            error = "bad number '" + std::string(start, std::min<size_t>((size_t)(end - start), 16)) + "'";
            return false;
        }

        std::string text(start, p);
        tok.kind = TOK_NUMBER;
        tok.number = strtod(text.c_str(), nullptr);
        if (!std::isfinite(tok.number)) {
            error = "number out of range";
            return false;
        }
        return true;
    }

    const char* p;
    const char* end;
};

// ---------------------------------------------------------------------------------
// Tree

class TreeReader {
public:
    TreeReader(const char* text, size_t size) : tokens(text, size) {}

    bool ReadFile(std::vector<XNode>& top, std::string& error)
    {
        if (!Advance(error))
            return false;
        while (current.kind != TOK_END) {
            if (current.kind != TOK_NAME) {
                error = "expected a data object";
                return false;
            }
            XNode node;
            if (!ReadObject(node, 0, error))
                return false;
            if (!node.type.empty())
                top.push_back(std::move(node));
        }
        return true;
    }

private:
    bool Advance(std::string& error) { return tokens.Next(current, error); }

    // An optional name after a type or inside reference braces.
    bool ReadOptionalName(std::string& name, std::string& error)
    {
        if (current.kind != TOK_NAME)
            return true;
        name = current.text;
        return Advance(error);
    }

    // At a name: "Type [name] { ... }". Templates are read and dropped (type left empty).
    bool ReadObject(XNode& node, int depth, std::string& error)
    {
        if (depth > MAX_NESTING) {
            error = "data objects nested too deeply";
            return false;
        }
        bool isTemplate = current.text == "template";
        std::string what = current.text;
        if (!Advance(error) || !ReadOptionalName(node.name, error))
            return false;
        if (current.kind != TOK_OPEN) {
            error = "expected '{' after " + what;
            return false;
        }
        if (isTemplate)
            return tokens.SkipBlock(error) && Advance(error);
        node.type = what;
        if (!Advance(error))
            return false;

        bool ok = true;
        while (ok && current.kind != TOK_CLOSE) {
            switch (current.kind) {
            case TOK_END:
                error = "file ends inside " + what;
                return false;
            case TOK_NUMBER:
                node.numbers.push_back(current.number);
                ok = Advance(error);
                break;
            case TOK_STRING:
                node.strings.push_back(current.text);
                ok = Advance(error);
                break;
            case TOK_OPEN: {
                // "{ name }" directly inside an object is a reference to a named object.
                XNode ref;
                ok = Advance(error) && ReadOptionalName(ref.name, error);
                if (ok && current.kind != TOK_CLOSE) {
                    error = "bad reference";
                    ok = false;
                }
                ok = ok && Advance(error);
                node.children.push_back(std::move(ref));
                break;
            }
            case TOK_NAME: {
                XNode child;
                ok = ReadObject(child, depth + 1, error);
                if (ok && !child.type.empty())
                    node.children.push_back(std::move(child));
                break;
            }
            case TOK_CLOSE:
                break;
            }
        }
        return ok && Advance(error);
    }

    Tokenizer tokens;
    Token current;
};

// ---------------------------------------------------------------------------------
// Meshes

// Reads the numbers of one data object in order, refusing to run past their end.
class NumberCursor {
public:
    explicit NumberCursor(const XNode& n) : node(n), at(0) {}

    bool Float(float& out)
    {
        if (at >= node.numbers.size())
            return false;
        out = (float)node.numbers[at++];
        return true;
    }

    // A count or index: a whole number from 0 up to limit.
    bool Count(int& out, size_t limit)
    {
        if (at >= node.numbers.size())
            return false;
        double v = node.numbers[at++];
        if (v < 0 || v != std::floor(v) || v > (double)limit)
            return false;
        out = (int)v;
        return true;
    }

    size_t Left() const { return node.numbers.size() - at; }

private:
    const XNode& node;
    size_t at;
};

struct Matrix4
{
    float m[4][4];
};

Matrix4 Identity()
{
    Matrix4 r;
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++)
            r.m[i][j] = i == j ? 1.0f : 0.0f;
    return r;
}

// Row vectors: a * b applies a first.
Matrix4 Multiply(const Matrix4& a, const Matrix4& b)
{
    Matrix4 r;
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++) {
            float s = 0.0f;
            for (int k = 0; k < 4; k++)
                s += a.m[i][k] * b.m[k][j];
            r.m[i][j] = s;
        }
    return r;
}

struct Vec3
{
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

Vec3 TransformPoint(const Matrix4& t, Vec3 p)
{
    Vec3 r;
    r.x = p.x * t.m[0][0] + p.y * t.m[1][0] + p.z * t.m[2][0] + t.m[3][0];
    r.y = p.x * t.m[0][1] + p.y * t.m[1][1] + p.z * t.m[2][1] + t.m[3][1];
    r.z = p.x * t.m[0][2] + p.y * t.m[1][2] + p.z * t.m[2][2] + t.m[3][2];
    return r;
}

Vec3 Normalized(Vec3 v)
{
    float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (len <= 0.0f)
        return Vec3{ 0.0f, 1.0f, 0.0f };
    return Vec3{ v.x / len, v.y / len, v.z / len };
}

Vec3 TransformNormal(const Matrix4& t, Vec3 n)
{
    Vec3 r;
    r.x = n.x * t.m[0][0] + n.y * t.m[1][0] + n.z * t.m[2][0];
    r.y = n.x * t.m[0][1] + n.y * t.m[1][1] + n.z * t.m[2][1];
    r.z = n.x * t.m[0][2] + n.y * t.m[1][2] + n.z * t.m[2][2];
    return Normalized(r);
}

// Reads "count; x; y; z;, ..." into vectors; false when the count is bad or more
// than the numbers that follow.
bool ReadVectors(NumberCursor& cur, std::vector<Vec3>& out)
{
    int count;
    if (!cur.Count(count, cur.Left() / 3))
        return false;
    out.resize(count);
    for (Vec3& v : out) {
        cur.Float(v.x);
        cur.Float(v.y);
        cur.Float(v.z);
    }
    return true;
}

// A polygon as the file lists it: vertex indices and, when normals are given, the
// matching normal indices.
struct Face
{
    std::vector<int> vertices;
    std::vector<int> normals;
    int material = 0;
};

class MeshBuilder {
public:
    MeshBuilder(XMeshData& target, const std::map<std::string, const XNode*>& named)
        : out(target), namedMaterials(named) {}

    bool AddMesh(const XNode& mesh, const Matrix4& transform, std::string& error);

private:
    bool ReadFaces(NumberCursor& cur, size_t indexLimit, std::vector<Face>& faces, bool normals);
    bool ReadMaterial(const XNode& node, XMeshMaterial& material);
    bool ReadMaterialList(const XNode& node, std::vector<Face>& faces,
                          std::vector<XMeshMaterial>& materials, std::string& error);

    XMeshData& out;
    const std::map<std::string, const XNode*>& namedMaterials;
};

// Reads "count; n; i, j, k;, ..." face lists. For normals, the faces already exist
// and each must get exactly as many normal indices as it has corners.
bool MeshBuilder::ReadFaces(NumberCursor& cur, size_t indexLimit, std::vector<Face>& faces, bool normals)
{
    int faceCount;
    if (!cur.Count(faceCount, cur.Left()))
        return false;
    if (normals && (size_t)faceCount != faces.size())
        return false;
    if (!normals)
        faces.resize(faceCount);

    for (int f = 0; f < faceCount; f++) {
        int corners;
        if (!cur.Count(corners, cur.Left()))
            return false;
        std::vector<int>& list = normals ? faces[f].normals : faces[f].vertices;
        if (normals && (size_t)corners != faces[f].vertices.size())
            return false;
        list.resize(corners);
        for (int i = 0; i < corners; i++) {
            if (!cur.Count(list[i], indexLimit == 0 ? 0 : indexLimit - 1) || indexLimit == 0)
                return false;
        }
    }
    return true;
}

bool MeshBuilder::ReadMaterial(const XNode& node, XMeshMaterial& material)
{
    NumberCursor cur(node);
    bool ok = true;
    for (int i = 0; i < 4; i++)
        ok = ok && cur.Float(material.diffuse[i]);
    ok = ok && cur.Float(material.power);
    for (int i = 0; i < 3; i++)
        ok = ok && cur.Float(material.specular[i]);
    for (int i = 0; i < 3; i++)
        ok = ok && cur.Float(material.emissive[i]);
    if (!ok)
        return false;

    for (const XNode& child : node.children) {
        if (child.type == "TextureFilename" || child.type == "TextureFileName") {
            if (child.strings.empty())
                return false;
            material.textureFile = child.strings[0];
        }
    }
    return true;
}

bool MeshBuilder::ReadMaterialList(const XNode& node, std::vector<Face>& faces,
                                   std::vector<XMeshMaterial>& materials, std::string& error)
{
    NumberCursor cur(node);
    int materialCount, indexCount;
    if (!cur.Count(materialCount, node.numbers.size() + node.children.size())
        || !cur.Count(indexCount, cur.Left())) {
        error = "bad material list counts";
        return false;
    }

    std::vector<int> faceMaterial(indexCount);
    for (int i = 0; i < indexCount; i++) {
        if (!cur.Count(faceMaterial[i], materialCount == 0 ? 0 : materialCount - 1) || materialCount == 0) {
            error = "material index out of range";
            return false;
        }
    }

    for (const XNode& child : node.children) {
        XMeshMaterial material;
        const XNode* source = &child;
        if (child.type.empty()) {
            std::map<std::string, const XNode*>::const_iterator it = namedMaterials.find(child.name);
            if (it == namedMaterials.end()) {
                error = "unknown material '" + child.name + "'";
                return false;
            }
            source = it->second;
        } else if (child.type != "Material") {
            continue;
        }
        if (!ReadMaterial(*source, material)) {
            error = "bad material";
            return false;
        }
        materials.push_back(material);
    }
    if ((int)materials.size() != materialCount) {
        error = "material count does not match the materials given";
        return false;
    }

    // Fewer indices than faces: the last one holds for the rest.
    for (size_t f = 0; f < faces.size(); f++) {
        if (indexCount > 0)
            faces[f].material = faceMaterial[f < (size_t)indexCount ? f : indexCount - 1];
    }
    return true;
}

bool MeshBuilder::AddMesh(const XNode& mesh, const Matrix4& transform, std::string& error)
{
    const std::string where = mesh.name.empty() ? "mesh" : "mesh '" + mesh.name + "'";

    NumberCursor cur(mesh);
    std::vector<Vec3> positions;
    if (!ReadVectors(cur, positions)) {
        error = where + ": bad vertex count";
        return false;
    }
    const int vertexCount = (int)positions.size();
    for (Vec3& p : positions)
        p = TransformPoint(transform, p);

    std::vector<Face> faces;
    if (!ReadFaces(cur, positions.size(), faces, false)) {
        error = where + ": bad face list";
        return false;
    }

    std::vector<Vec3> normals;
    std::vector<float> uvs;
    std::vector<XMeshMaterial> materials;
    bool haveNormals = false;

    for (const XNode& child : mesh.children) {
        if (child.type == "MeshNormals") {
            NumberCursor nc(child);
            if (!ReadVectors(nc, normals)) {
                error = where + ": bad normal count";
                return false;
            }
            for (Vec3& n : normals)
                n = TransformNormal(transform, n);
            if (!ReadFaces(nc, normals.size(), faces, true)) {
                error = where + ": normal faces do not match the faces";
                return false;
            }
            haveNormals = true;
        } else if (child.type == "MeshTextureCoords") {
            NumberCursor tc(child);
            int count;
            if (!tc.Count(count, tc.Left() / 2) || count != vertexCount) {
                error = where + ": texture coordinate count does not match the vertices";
                return false;
            }
            uvs.resize((size_t)count * 2);
            for (size_t i = 0; i < uvs.size(); i++)
                tc.Float(uvs[i]);
        } else if (child.type == "MeshMaterialList") {
            std::string listError;
            if (!ReadMaterialList(child, faces, materials, listError)) {
                error = where + ": " + listError;
                return false;
            }
        }
    }
    if (materials.empty())
        materials.push_back(XMeshMaterial());

    // One subset per material, the polygons cut into fans of triangles.
    for (size_t m = 0; m < materials.size(); m++) {
        XMeshSubset subset;
        subset.material = materials[m];
        subset.firstVertex = (int)out.vertices.size();

        for (const Face& face : faces) {
            if (face.material != (int)m)
                continue;
            for (size_t k = 1; k + 1 < face.vertices.size(); k++) {
                const size_t corner[3] = { 0, k, k + 1 };
                Vec3 p0 = positions[face.vertices[0]];
                Vec3 p1 = positions[face.vertices[k]];
                Vec3 p2 = positions[face.vertices[k + 1]];
                // Front faces are clockwise seen from the viewer (left-handed).
                Vec3 e1{ p1.x - p0.x, p1.y - p0.y, p1.z - p0.z };
                Vec3 e2{ p2.x - p0.x, p2.y - p0.y, p2.z - p0.z };
                Vec3 flat = Normalized(Vec3{ e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z,
                                             e1.x * e2.y - e1.y * e2.x });
                for (size_t c = 0; c < 3; c++) {
                    int vi = face.vertices[corner[c]];
                    XMeshVertex v;
                    v.x = positions[vi].x;
                    v.y = positions[vi].y;
                    v.z = positions[vi].z;
                    Vec3 n = haveNormals ? normals[face.normals[corner[c]]] : flat;
                    v.nx = n.x;
                    v.ny = n.y;
                    v.nz = n.z;
                    v.u = uvs.empty() ? 0.0f : uvs[(size_t)vi * 2];
                    v.v = uvs.empty() ? 0.0f : uvs[(size_t)vi * 2 + 1];
                    out.vertices.push_back(v);
                }
                subset.triangleCount++;
            }
        }
        if (subset.triangleCount > 0)
            out.subsets.push_back(subset);
    }
    return true;
}

bool ReadFrameMatrix(const XNode& node, Matrix4& local)
{
    NumberCursor cur(node);
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++)
            if (!cur.Float(local.m[i][j]))
                return false;
    return true;
}

// Walks a frame or the file's top level: meshes get the transform of the frames
// around them; a frame's own matrix applies before its parent's.
bool AddObjects(const std::vector<XNode>& nodes, const Matrix4& parent, MeshBuilder& builder, std::string& error)
{
    Matrix4 world = parent;
    for (const XNode& node : nodes) {
        if (node.type == "FrameTransformMatrix") {
            Matrix4 local;
            if (!ReadFrameMatrix(node, local)) {
                error = "bad frame transform";
                return false;
            }
            world = Multiply(local, parent);
        }
    }
    for (const XNode& node : nodes) {
        if (node.type == "Mesh") {
            if (!builder.AddMesh(node, world, error))
                return false;
        } else if (node.type == "Frame") {
            if (!AddObjects(node.children, world, builder, error))
                return false;
        }
    }
    return true;
}

}

bool ParseXFile(const char* text, size_t size, XMeshData& out, std::string& error)
{
    out = XMeshData();

    // "xof 0302txt 0032": magic, version, format, float size.
    if (size < 16 || memcmp(text, "xof ", 4) != 0) {
        error = "not a DirectX mesh file";
        return false;
    }
    if (memcmp(text + 8, "txt ", 4) != 0) {
        error = "only text mesh files are supported";
        return false;
    }

    std::vector<XNode> top;
    TreeReader reader(text + 16, size - 16);
    if (!reader.ReadFile(top, error))
        return false;

    std::map<std::string, const XNode*> namedMaterials;
    for (const XNode& node : top)
        if (node.type == "Material" && !node.name.empty())
            namedMaterials[node.name] = &node;

    MeshBuilder builder(out, namedMaterials);
    if (!AddObjects(top, Identity(), builder, error)) {
        out = XMeshData();
        return false;
    }
    if (out.subsets.empty()) {
        error = "no triangles in the file";
        return false;
    }
    return true;
}
