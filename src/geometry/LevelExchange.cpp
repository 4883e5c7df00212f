#include "geometry/LevelExchange.h"

#include "io/Error.h"
#include "io/LittleEndian.h"
#include "io/PathText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace drossel {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU32(Bytes& out, std::uint32_t v) {
    out.resize(out.size() + 4);
    StoreU32(out.data() + out.size() - 4, v);
}
void PutF32(Bytes& out, float v) {
    PutU32(out, std::bit_cast<std::uint32_t>(v));
}
void PutText(Bytes& out, std::string_view text) {
    out.resize(out.size() + text.size());
    std::copy(text.begin(), text.end(), out.end() - static_cast<std::ptrdiff_t>(text.size()));
}
void PutPoint(Bytes& out, const Point& p) {
    PutF32(out, p.x);
    PutF32(out, p.y);
    PutF32(out, p.z);
}

std::uint32_t Count(std::uint64_t count, std::string_view what) {
    if (count > std::numeric_limits<std::uint32_t>::max()) {
        std::string message = "too many ";
        message += what;
        message += " for a 32-bit count: ";
        message += std::to_string(count);
        throw DrosselError(message);
    }
    return static_cast<std::uint32_t>(count);
}

const Point& Corner(const std::vector<Point>& points, const LevelGeometry::Quad& quad, int corner, std::size_t q) {
    const std::uint32_t index = quad.corners[corner];
    if (index >= points.size()) {
        std::string message = "quad ";
        message += std::to_string(q);
        message += " names point ";
        message += std::to_string(index);
        message += ", but there are only ";
        message += std::to_string(points.size());
        message += " points";
        throw DrosselError(message);
    }
    return points[index];
}

void PutB3dHead(Bytes& out, std::uint32_t pointCount) {
    PutText(out, "Big3DbyVexa");
    PutF32(out, 1.2f);
    PutText(out, "POINTS  ");
    PutU32(out, pointCount);
}

// The quad's texture file name, if its texture index names one.
std::optional<std::string> TextureOf(const LevelGeometry& level, std::size_t q) {
    if (q >= level.textureIndices.size()) return std::nullopt;
    const std::int16_t index = level.textureIndices[q];
    if (index < 0 || static_cast<std::size_t>(index) >= level.textureNames.size()) return std::nullopt;
    return level.textureNames[static_cast<std::size_t>(index)];
}

bool LeftOut(const std::string& name) {
    return name.empty() || name == "BLUEGRID02" || name == "_DOOR_FRAME" || name == "COLLISION";
}

}  // namespace

std::vector<std::uint8_t> WriteRawTriangles(const LevelGeometry& level) {
    Bytes out;
    out.reserve(72 * level.quads.size());
    for (std::size_t q = 0; q < level.quads.size(); ++q) {
        for (int corner : {0, 1, 2, 2, 3, 0}) PutPoint(out, Corner(level.points, level.quads[q], corner, q));
    }
    return out;
}

std::vector<std::uint8_t> WriteB3d(const LevelGeometry& level) {
    const std::uint32_t pointCount = Count(level.points.size(), "points");
    const std::uint32_t polygonCount = Count(2 * std::uint64_t{level.quads.size()}, "polygons");
    Bytes out;
    out.reserve(43 + 12 * level.points.size() + 40 * level.quads.size());
    PutB3dHead(out, pointCount);
    for (const auto& p : level.points) PutPoint(out, p);
    PutText(out, "POLYGONS");
    PutU32(out, polygonCount);
    for (std::size_t q = 0; q < level.quads.size(); ++q) {
        for (int corner = 0; corner < 4; ++corner) Corner(level.points, level.quads[q], corner, q);
        const auto& c = level.quads[q].corners;
        for (std::uint32_t v : {3u, c[0], c[1], c[2], 0u, 3u, c[2], c[3], c[0], 0u}) PutU32(out, v);
    }
    PutU32(out, 0);
    return out;
}

B3dWithMaterials WriteB3dWithMaterials(const LevelGeometry& level, bool deleteGarbage) {
    std::vector<Point> points = level.points;
    const auto n = Count(points.size() + 4, "points") - 4u;
    // A flat rectangle on the ground that stands in for doors.
    points.insert(points.end(), {{-9.0f, 0.0f, -3.0f}, {-9.0f, 0.0f, 8.0f}, {11.0f, 0.0f, -3.0f}, {11.0f, 0.0f, 8.0f}});
    const std::array<std::uint32_t, 4> door = {n, n + 1, n + 2, n + 3};

    struct Kept {
        std::size_t q;
        std::array<const Point*, 4> corners;
        std::string material;
    };
    std::vector<Kept> kept;
    for (std::size_t q = 0; q < level.quads.size(); ++q) {
        const auto texture = TextureOf(level, q);
        const std::string name = texture ? StripExtension(*texture) : std::string();
        if (LeftOut(name)) continue;
        LevelGeometry::Quad quad = level.quads[q];
        if (deleteGarbage && name.starts_with("_DOOR")) std::copy(door.begin(), door.end(), quad.corners);
        Kept k{q, {}, *texture};
        for (int c = 0; c < 4; ++c) k.corners[static_cast<std::size_t>(c)] = &Corner(points, quad, c, q);
        kept.push_back(std::move(k));
    }
    const std::uint32_t keptCount = Count(kept.size(), "quads");
    const std::uint32_t cornerCount = Count(4 * std::uint64_t{keptCount}, "points");
    const std::uint32_t polygonCount = Count(2 * std::uint64_t{keptCount}, "polygons");

    B3dWithMaterials files;
    Bytes& out = files.b3d;
    PutB3dHead(out, cornerCount);
    for (const auto& k : kept) {
        for (const Point* p : k.corners) PutPoint(out, *p);
    }
    PutText(out, "POLYGONS");
    PutU32(out, polygonCount);
    for (std::uint32_t k = 0; k < keptCount; ++k) {
        const std::uint32_t first = 4 * k;
        for (std::uint32_t v : {3u, first, first + 1, first + 2, k, 3u, first + 2, first + 3, first, k}) PutU32(out, v);
    }
    PutU32(out, 1);
    PutText(out, "TEX_UV  ");
    PutU32(out, cornerCount);
    for (std::uint32_t k = 0; k < keptCount; ++k) {
        const auto& quad = level.quads[kept[k].q];
        for (std::uint32_t c = 0; c < 4; ++c) {
            const std::uint32_t uv = quad.uv[c];
            const TexCoord t = uv < level.texCoords.size() ? level.texCoords[uv] : TexCoord{};
            PutU32(out, 4 * k + c);
            PutF32(out, t.u);
            PutF32(out, t.v);
        }
    }
    PutText(out, "MATERIAL");
    PutU32(out, keptCount);
    for (std::uint32_t k = 0; k < keptCount; ++k) {
        PutU32(out, 1);
        PutU32(out, k);
        PutU32(out, Count(kept[k].material.size(), "characters in a texture name"));
        PutText(out, kept[k].material);
    }

    for (const auto& k : kept) {
        files.textureIndices.resize(files.textureIndices.size() + 2);
        StoreU16(files.textureIndices.data() + files.textureIndices.size() - 2,
                 static_cast<std::uint16_t>(level.textureIndices[k.q]));
    }

    std::string text = std::to_string(level.textureNames.size());
    text += "\r\n";
    for (const auto& name : level.textureNames) {
        text += StripExtension(name);
        text += "\r\n";
    }
    PutText(files.textureNames, text);
    return files;
}

}  // namespace drossel
