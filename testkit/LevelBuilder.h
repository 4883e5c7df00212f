#pragma once
// Writes .dat/.raw level pairs from a description, in the layout the loader
// reads (level/records/DatFileRecords.h): header, descriptors, a data table and
// a name table. Tests, the demo level, the benchmarks and the fuzz targets make
// all their level files with it; records are filled through the same structs
// the program reads them with.

#include "level/records/DatFileRecords.h"
#include "level/records/Record.h"
#include "level/records/TextureRecords.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace drossel::testing {

using Bytes = std::vector<std::uint8_t>;

struct BuiltResource {
    std::string tag;                  // four characters in reading order
    std::optional<std::string> name;  // named resources get a name table entry
    std::uint32_t flags = 0;
    Bytes data;  // the resource's data, 8-byte prefix included
    // Written over the first four bytes of data unless the caller set them itself.
    bool setIdentifier = true;
    // The descriptor's size field; data.size() when unset.
    std::optional<std::int32_t> sizeField;
};

// Little-endian field writers for building resource data; they grow `b` as needed.
void PutU16(Bytes& b, std::size_t offset, std::uint16_t v);
void PutU32(Bytes& b, std::size_t offset, std::uint32_t v);
void PutBytes(Bytes& b, std::size_t offset, const Bytes& v);
inline void PutF32(Bytes& b, std::size_t offset, float v) { PutU32(b, offset, std::bit_cast<std::uint32_t>(v)); }
// `size` zero bytes with these u32 words at these offsets: a record laid out by
// the numbers of its documentation, not by the struct the program reads it with.
inline Bytes Words(std::size_t size, std::initializer_list<std::pair<std::size_t, std::uint32_t>> words) {
    Bytes b(size);
    for (const auto& [at, v] : words) PutU32(b, at, v);
    return b;
}

// A list record: its header, with `count` set to the number of entries, then
// the entries as they lie in memory.
template <typename Header, typename Entry>
Bytes ListOf(Header header, const std::vector<Entry>& entries) {
    header.count = static_cast<decltype(header.count)>(entries.size());
    Bytes bytes = BytesOf(header);
    const std::size_t at = bytes.size();
    bytes.resize(at + entries.size() * sizeof(Entry));
    if (!entries.empty()) std::memcpy(bytes.data() + at, entries.data(), entries.size() * sizeof(Entry));
    return bytes;
}

// A string record whose text field holds `text`, cut to the field's size.
template <typename Record>
Bytes WithText(const std::string& text) {
    Record r{};
    std::copy_n(text.begin(), std::min(text.size(), sizeof r.text), r.text);
    return BytesOf(r);
}

// A record of zeros but for one field, or one array of fields.
template <typename Record, typename Field>
Bytes RecordWith(Field Record::*field, std::type_identity_t<Field> value) {
    Record r{};
    r.*field = value;
    return BytesOf(r);
}
template <typename Record, typename Field, std::size_t N>
Bytes RecordWith(Field (Record::*field)[N], const std::array<Field, N>& values) {
    Record r{};
    std::copy(values.begin(), values.end(), r.*field);
    return BytesOf(r);
}

// A picture for texture fixtures, row by row from the top, left to right.
struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, Rgba c) {
    return out << "rgba(" << +c.r << "," << +c.g << "," << +c.b << "," << +c.a << ")";
}
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;
    Picture(int w, int h, Rgba fill = {}) : width(w), height(h), pixels(static_cast<std::size_t>(w * h), fill) {}
    Rgba& at(int x, int y) { return pixels.at(static_cast<std::size_t>(y * width + x)); }
    const Rgba& at(int x, int y) const { return pixels.at(static_cast<std::size_t>(y * width + x)); }
};

// A picture in a texture format's stored form: 0 (ARGB 4-4-4-4), 1 and 2 (ARGB
// 1-5-5-5), 8 (blue, green, red, zero byte), 9 (DXT1 blocks of at most two
// colours each). Channels are cut to the format's bits.
Bytes EncodeTexturePixels(const Picture& picture, std::uint32_t format);
// The 192-byte texture record (identifier written by the builder).
Bytes TextureRecordData(int width, int height, std::uint32_t format, std::uint32_t pixelOffset);

class LevelBuilder {
public:
    // Adds a named resource with data of the given length (zero-filled beyond the
    // prefix) and returns its table index.
    int Add(const std::string& tag, const std::string& name, std::size_t length = 32);
    int AddData(const std::string& tag, const std::string& name, Bytes data);
    int AddUnnamed(const std::string& tag, std::size_t length = 32, std::uint32_t flags = 0);
    int AddResource(BuiltResource resource);

    BuiltResource& resource(int index) { return resources_.at(static_cast<std::size_t>(index)); }
    const BuiltResource& resource(int index) const { return resources_.at(static_cast<std::size_t>(index)); }
    int count() const { return static_cast<int>(resources_.size()); }
    // The index of the first resource with this name; throws when there is none.
    int IndexNamed(const std::string& name) const;

    static std::uint32_t IdentifierOf(int index) { return (static_cast<std::uint32_t>(index) << 8) | 1u; }

    // A named texture whose stored pixels are appended to the .raw file.
    int AddTexture(const std::string& name, int width, int height, std::uint32_t format, const Bytes& pixels) {
        return AddData("TXMP", name, TextureRecordData(width, height, format, AppendRaw(pixels)));
    }
    int AddLargeTexture(const std::string& name, const std::array<std::uint32_t, 6>& tiles) {
        return AddData("TXMB", name, RecordWith(&LargeTextureRecord::tiles, tiles));
    }
    int AddKeyIcons(const std::string& name, const std::array<std::uint32_t, 10>& icons) {
        return AddData("KeyI", name, RecordWith(&KeyIconsRecord::icons, icons));
    }

    // Appends bytes to the .raw file and returns their offset.
    std::uint32_t AppendRaw(const Bytes& bytes);
    const Bytes& raw() const { return raw_; }

    // Header words the loader does not interpret.
    std::int32_t nameCountOverride = -1;  // -1: the number of named resources

    Bytes BuildDat() const;
    // Offsets of the tables in the last BuildDat() result.
    struct Layout {
        std::int64_t dataTable = 0;             // value stored at offset 32
        std::int64_t nameTable = 0;             // value stored at offset 40
        std::vector<std::int64_t> dataOffsets;  // absolute, prefix included
        std::vector<std::int64_t> nameOffsets;  // absolute; -1 for unnamed
    };
    Layout LayoutOf() const;

    // Writes path + ".dat" and path + ".raw"; returns the .dat path.
    std::string Write(const std::string& pathWithoutExtension) const;

private:
    std::vector<BuiltResource> resources_;
    Bytes raw_;
};

// A file or folder under the system's temporary folder, removed again on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace drossel::testing
