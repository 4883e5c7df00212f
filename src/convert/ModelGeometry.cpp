#include "convert/ModelGeometry.h"

#include "io/Error.h"
#include "level/records/ModelRecords.h"

#include <algorithm>

namespace drossel {

void RequireMeshSize(std::int64_t count, std::int64_t limit, const std::string& what) {
    if (count > limit) {
        throw DrosselError(what + " number " + std::to_string(count) + ", more than the " + std::to_string(limit) +
                           " a mesh may have");
    }
}

std::vector<Triangle> DecodeStrips(std::span<const std::int32_t> values, std::uint32_t count) {
    const std::size_t n = values.size();
    auto at = [&](std::size_t k) { return k < n ? values[k] : 0; };  // zeros after the list
    auto index = [&](std::size_t k) { return static_cast<std::uint32_t>(at(k)) & kStripIndexMask; };
    auto zeros = [&](std::size_t k) { return at(k) == 0 && at(k + 1) == 0 && at(k + 2) == 0; };

    // The stream of point indices, three to a triangle. Every pass consumes at
    // least one value, so the loops end.
    std::vector<std::uint32_t> stream;
    std::size_t i = 0;
    bool flipped = false;
    while (i < n && !zeros(i)) {
        if (at(i) < 0 && at(i + 3) < 0) {
            for (std::size_t k = i; k <= n; ++k) stream.push_back(index(k));
            break;
        }
        // A strip; a list that does not begin with a marked value is read as if it did.
        while (true) {
            const std::uint32_t a = index(i), b = index(i + 1), c = index(i + 2);
            stream.insert(stream.end(), flipped ? std::initializer_list<std::uint32_t>{b, a, c}
                                                : std::initializer_list<std::uint32_t>{a, b, c});
            flipped = !flipped;
            if (at(i + 3) < 0) {
                i += 3;
                flipped = false;
                break;
            }
            ++i;
            if (at(i) < 0 || zeros(i)) break;
        }
    }
    // Three values to a triangle; a last group of one or two is completed with
    // zeros, and triangles past the stream are (0, 0, 0).
    const auto corner = [&](std::size_t k) { return k < stream.size() ? stream[k] : 0; };
    std::vector<Triangle> triangles(count);
    for (std::size_t t = 0; t < triangles.size(); ++t) {
        triangles[t] = {corner(3 * t), corner(3 * t + 1), corner(3 * t + 2), 1};
    }
    return triangles;
}

ModelGeometry ReadModelGeometry(const Level& level, const ResourceRecord& model, Conversion& conversion,
                                const MeshSoFar& joining) {
    const auto record = level.ReadRecord<ModelRecord>(model);
    ModelGeometry g;
    const ResourceRecord* list = nullptr;
    const std::string of = " of " + std::string(model.name);
    // Limits count what the mesh already holds too: checked before the lists are read.
    const auto require = [&](std::int64_t count, std::int64_t before, std::int64_t limit, const std::string& what) {
        RequireMeshSize(count, limit, what + of);
        if (before > 0) RequireMeshSize(before + count, limit, what + " of " + joining.what);
    };
    const auto points = ReadLinked<PointListHeader>(level, record.points, "the points" + of, &list);
    require(points.count, joining.points, kMaxMeshPoints, "the points");
    g.points = EntriesAfter<Point>(level, *list, sizeof points, points.count);
    // Texture coordinate i belongs to point i: coordinates past the last point name nothing.
    const auto uv = ReadLinked<ListHeader>(level, record.texCoords, "the texture coordinates" + of, &list);
    RequireMeshSize(uv.count, kMaxMeshPoints, "the texture coordinates" + of);
    g.texCoords = EntriesAfter<TexCoord>(level, *list, sizeof uv, std::min<std::int64_t>(uv.count, points.count));
    const auto values = ReadLinked<ListHeader>(level, record.strips, "the triangle strips" + of, &list);
    // Separate triangles take three values each, strips fewer.
    RequireMeshSize(values.count, 3 * kMaxMeshTriangles, "the strip values" + of);
    const auto strips = EntriesAfter<std::int32_t>(level, *list, sizeof values, values.count);
    // The triangle list is never read past its count, but the count is the
    // model's triangle count: its entries must really be there.
    const auto triangles = ReadLinked<ListHeader>(level, record.triangles, "the triangle list" + of, &list);
    const std::int64_t claimed = sizeof triangles + std::int64_t{4} * triangles.count;
    if (claimed > list->size || list->dataOffset + claimed > level.datSize()) {
        throw DrosselError("the triangle list" + of + " (" + std::string(list->name) + ") counts " +
                           std::to_string(triangles.count) + " triangles, more than its " + std::to_string(list->size) +
                           "-byte record holds");
    }
    require(triangles.count, joining.triangles, kMaxMeshTriangles, "the triangles");
    g.triangles = DecodeStrips(strips, triangles.count);
    const auto known = static_cast<std::uint32_t>(g.points.size());
    const auto before = g.triangles.size();
    std::erase_if(g.triangles, [&](const Triangle& t) { return t.a >= known || t.b >= known || t.c >= known; });
    if (g.triangles.size() != before) {
        conversion.NoteMissing(before - g.triangles.size(), "triangle", "they name points the model does not have", of);
    }
    return g;
}

}  // namespace drossel
