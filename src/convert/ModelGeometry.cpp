#include "convert/ModelGeometry.h"

#include "io/Error.h"
#include "level/records/ModelRecords.h"

#include <algorithm>

namespace drossel {
namespace {

constexpr std::size_t kTrailingZeros = 51;    // looking three places ahead never leaves the values
constexpr std::size_t kPaddingIndices = 200;  // the padding after a flat stream: 400 bytes of zero indices

}  // namespace

void RequireMeshSize(std::int64_t count, std::int64_t limit, const std::string& what) {
    if (count > limit) {
        throw DrosselError(what + " number " + std::to_string(count) + ", more than the " + std::to_string(limit) +
                           " a mesh may have");
    }
}

std::vector<Triangle> DecodeStrips(std::span<const std::int32_t> values, std::uint32_t count, FlatStreamEnd end) {
    const std::size_t n = values.size();
    std::vector<std::int32_t> v(values.begin(), values.end());
    v.resize(n + kTrailingZeros, 0);
    auto at = [&](std::size_t k) { return k < v.size() ? v[k] : 0; };
    auto index = [&](std::size_t k) { return static_cast<std::uint32_t>(at(k)) & kStripIndexMask; };
    auto zeros = [&](std::size_t k) { return at(k) == 0 && at(k + 1) == 0 && at(k + 2) == 0; };

    // The stream of point indices, three to a triangle. Every pass consumes at
    // least one value, so the loops end; and no more triangles are made than
    // the list counts.
    std::vector<std::uint32_t> stream;
    const auto full = [&] { return stream.size() >= 3 * static_cast<std::size_t>(count); };
    std::size_t i = 0;
    bool flipped = false;
    while (i < n && !zeros(i) && !full()) {
        if (at(i) < 0 && at(i + 3) < 0) {
            for (std::size_t k = i; k <= n; ++k) stream.push_back(index(k));
            if (end == FlatStreamEnd::Padded) stream.insert(stream.end(), kPaddingIndices, 0);
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
            if (at(i) < 0 || zeros(i) || full()) break;
        }
    }
    std::vector<Triangle> triangles(count);
    for (std::size_t t = 0; t < triangles.size() && 3 * t + 2 < stream.size(); ++t) {
        triangles[t] = {stream[3 * t], stream[3 * t + 1], stream[3 * t + 2], 1};
    }
    return triangles;
}

ModelGeometry ReadModelGeometry(const Level& level, const ResourceRecord& model, FlatStreamEnd end,
                                Conversion& conversion) {
    const auto record = level.ReadRecord<ModelRecord>(model);
    ModelGeometry g;
    const ResourceRecord* list = nullptr;
    const std::string of = " of " + model.name;
    if (const auto points = ReadLinked<PointListHeader>(level, record.points, "the points" + of, conversion, &list)) {
        RequireMeshSize(points->count, kMaxMeshPoints, "the points" + of);
        g.points = EntriesAfter<Point>(level, *list, sizeof *points, points->count);
    }
    if (const auto uv =
            ReadLinked<ListHeader>(level, record.texCoords, "the texture coordinates" + of, conversion, &list)) {
        RequireMeshSize(uv->count, kMaxMeshPoints, "the texture coordinates" + of);
        g.texCoords = EntriesAfter<TexCoord>(level, *list, sizeof *uv, uv->count);
    }
    std::vector<std::int32_t> strips;
    if (const auto s = ReadLinked<ListHeader>(level, record.strips, "the triangle strips" + of, conversion, &list)) {
        // Separate triangles take three values each, strips fewer.
        RequireMeshSize(s->count, 3 * kMaxMeshTriangles, "the strip values" + of);
        strips = EntriesAfter<std::int32_t>(level, *list, sizeof *s, s->count);
    }
    std::uint32_t count = 0;
    if (const auto t = ReadLinked<ListHeader>(level, record.triangles, "the triangle list" + of, conversion)) {
        RequireMeshSize(t->count, kMaxMeshTriangles, "the triangles" + of);
        count = t->count;
    }
    // A count the strips cannot come near would only ask for memory.
    count = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, 3 * (strips.size() + kPaddingIndices)));
    g.triangles = DecodeStrips(strips, count, end);
    const auto points = static_cast<std::uint32_t>(g.points.size());
    const auto before = g.triangles.size();
    std::erase_if(g.triangles, [&](const Triangle& t) { return t.a >= points || t.b >= points || t.c >= points; });
    if (g.triangles.size() != before) {
        conversion.NoteMissing(std::to_string(before - g.triangles.size()) + " triangles" + of,
                               "they name points the model does not have");
    }
    return g;
}

}  // namespace drossel
