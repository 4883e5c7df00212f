#pragma once
// Reading a model's geometry from the lists its links name, and decoding its
// triangle strips: shared by the model, weapon and character exports.

#include "convert/Conversion.h"
#include "geometry/Mesh.h"
#include "io/Error.h"
#include "level/Level.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace drossel {

// The most points, and triangles, a mesh (a model, one body of a character, a
// level) may have: 4194304 each. The game's largest levels have a few hundred
// thousand, its characters a few thousand. Every list a mesh is read from is
// checked before it is read, so a record that claims more is refused before
// memory is taken for it; a quad counts as two triangles.
inline constexpr std::int64_t kMaxMeshPoints = std::int64_t{1} << 22;
inline constexpr std::int64_t kMaxMeshTriangles = std::int64_t{1} << 22;

// Throws DrosselError unless `count` stays within `limit`; `what` names what is
// counted ("the points of gun").
void RequireMeshSize(std::int64_t count, std::int64_t limit, const std::string& what);

struct ModelGeometry {
    std::vector<Point> points;
    std::vector<TexCoord> texCoords;  // entry i belongs to point i; never more than the points
    std::vector<Triangle> triangles;  // surface 1
};

// What a mesh holds before a model joins it (a character's body gathers its
// parts one by one); `what` names the joined mesh in messages.
struct MeshSoFar {
    std::int64_t points = 0;
    std::int64_t triangles = 0;
    std::string what;
};

// The model's points, its texture coordinates (at most one per point) and
// exactly as many triangles as its triangle list counts. Triangles that name
// points the model does not have are left out and noted in `conversion`. Throws
// DrosselError for a link that names no resource, for a triangle list whose
// count claims more entries than its record holds, and for a model that would
// make the mesh it joins larger than a mesh may be; sizes are checked before
// memory is taken for them.
ModelGeometry ReadModelGeometry(const Level& level, const ResourceRecord& model, Conversion& conversion,
                                const MeshSoFar& joining = {});

// The triangle stream of a strip list: a value with bit 31 set begins a strip;
// strips alternate their winding; a strip of exactly three values switches to
// separate triangles for the rest of the list (the stream then ends with one
// value read past the list, a zero). The first `count` triangles of the stream
// are the model's; a last group of one or two values is completed with zeros,
// and missing triangles are (0, 0, 0).
std::vector<Triangle> DecodeStrips(std::span<const std::int32_t> values, std::uint32_t count);

// The resource a link names, read as `Record`. A geometry without one of its
// parts would be a wrong object, so a link that names no resource throws
// DrosselError naming `what` it was for.
inline const ResourceRecord& RequireLinked(const Level& level, std::uint32_t link, const std::string& what) {
    const ResourceRecord* target = level.Resolve(link);
    if (target == nullptr) {
        throw DrosselError("the link to " + what + " names no resource (identifier " + std::to_string(link) + ")");
    }
    return *target;
}
template <typename Record>
Record ReadLinked(const Level& level, std::uint32_t link, const std::string& what,
                  const ResourceRecord** found = nullptr) {
    const ResourceRecord& target = RequireLinked(level, link, what);
    if (found != nullptr) *found = &target;
    return level.ReadRecord<Record>(target);
}

// The `count` fixed-size entries that follow a list's header.
template <typename Entry>
std::vector<Entry> EntriesAfter(const Level& level, const ResourceRecord& list, std::size_t headerSize,
                                std::int64_t count) {
    const auto bytes =
        level.ReadData(list, static_cast<std::int64_t>(headerSize) +
                                 static_cast<std::int64_t>(sizeof(Entry)) * std::max<std::int64_t>(count, 0));
    std::vector<Entry> entries((bytes.size() - headerSize) / sizeof(Entry));
    if (!entries.empty()) std::memcpy(entries.data(), bytes.data() + headerSize, entries.size() * sizeof(Entry));
    return entries;
}

}  // namespace drossel
