#pragma once
// Geometry as the exporters gather it and the writers take it: points, texture
// coordinates and triangles with a surface each. Pure data; no level knowledge.

#include <cstdint>
#include <string>
#include <vector>

namespace drossel {

struct Point {
    float x = 0, y = 0, z = 0;
};

struct TexCoord {
    float u = 0, v = 0;
};

struct Triangle {
    std::uint32_t a = 0, b = 0, c = 0;  // point indices, 0-based
    std::uint16_t surface = 1;          // 1-based index into Mesh::surfaces
};

struct Mesh {
    std::vector<Point> points;
    std::vector<TexCoord> texCoords;  // entry i belongs to point i
    std::vector<Triangle> triangles;
    std::vector<std::string> surfaces;
};

// A level's static geometry as the exchange formats and the glTF scene take
// it: cleaned points, quads, the texture coordinates (the whole list: quads
// name them by indices of their own, independent of the point indices), the
// texture index of each quad, and the textures' identifiers and names with
// their image extension.
struct LevelGeometry {
    struct Quad {
        std::uint32_t corners[4];  // point indices of corners 1 to 4
        std::uint32_t uv[4];       // texture coordinate indices of corners 1 to 4
        std::uint8_t colours[16]{};  // the corners' lighting colours, each blue, green, red, alpha
        std::uint32_t flags = 0;     // as the level stores them
    };
    std::vector<Point> points;
    std::vector<Quad> quads;
    std::vector<TexCoord> texCoords;
    std::vector<std::int16_t> textureIndices;  // one per quad, as the level stores them
    std::vector<std::string> textureNames;     // empty for a texture link that names nothing
    std::vector<std::uint32_t> textureLinks{};  // the texture list's identifiers
};

}  // namespace drossel
