#include "LevelBuilder.h"

#include "io/LittleEndian.h"
#include "level/records/TextureRecords.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace drossel::testing {
namespace {

// The second word of the game's own template checksum, written after the magic.
constexpr std::uint32_t kTemplateChecksumHigh = 0x0003BCDF;
constexpr auto kDescriptorTable = static_cast<std::size_t>(kDescriptorTableOffset);
constexpr std::size_t kDescriptorSize = sizeof(ResourceDescriptor);
constexpr std::size_t kDataAlignment = 32;

std::size_t AlignUp(std::size_t v, std::size_t a) {
    return (v + a - 1) / a * a;
}

void Grow(Bytes& b, std::size_t end) {
    if (b.size() < end) b.resize(end);
}

std::uint16_t Argb4444(Rgba p) {
    return static_cast<std::uint16_t>(((p.a >> 4) << 12) | ((p.r >> 4) << 8) | ((p.g >> 4) << 4) | (p.b >> 4));
}

std::uint16_t Argb1555(Rgba p) {
    return static_cast<std::uint16_t>((p.a >= 128 ? 0x8000 : 0) | ((p.r >> 3) << 10) | ((p.g >> 3) << 5) | (p.b >> 3));
}

std::uint16_t Rgb565(Rgba p) {
    return static_cast<std::uint16_t>(((p.r >> 3) << 11) | ((p.g >> 2) << 5) | (p.b >> 3));
}

// One DXT1 block of the 4x4 pixels from (bx, by), edges repeated outside the
// picture. Fixture pictures hold at most two colours a block: the first pixel's
// and the first other one; equal end colours take the three-colour mode.
void EncodeBlock(const Picture& p, int bx, int by, Bytes& out) {
    std::uint16_t block[16];
    for (int i = 0; i < 16; ++i)
        block[i] = Rgb565(p.at(std::min(bx + i % 4, p.width - 1), std::min(by + i / 4, p.height - 1)));
    std::uint16_t c0 = block[0], c1 = block[0];
    for (std::uint16_t c : block) c1 = c1 == c0 ? c : c1;
    if (c0 < c1) std::swap(c0, c1);
    const std::size_t at = out.size();
    PutU16(out, at, c0);
    PutU16(out, at + 2, c1);
    PutU32(out, at + 4, 0);
    for (int i = 0; i < 16; ++i)
        out[at + 4 + static_cast<std::size_t>(i / 4)] |=
            static_cast<std::uint8_t>((block[i] != c0 ? 1 : 0) << (2 * (i % 4)));
}

}  // namespace

void PutU16(Bytes& b, std::size_t offset, std::uint16_t v) {
    Grow(b, offset + 2);
    StoreU16(b.data() + offset, v);
}

void PutU32(Bytes& b, std::size_t offset, std::uint32_t v) {
    Grow(b, offset + 4);
    StoreU32(b.data() + offset, v);
}

void PutBytes(Bytes& b, std::size_t offset, const Bytes& v) {
    Grow(b, offset + v.size());
    std::copy(v.begin(), v.end(), b.begin() + static_cast<std::ptrdiff_t>(offset));
}

Bytes EncodeTexturePixels(const Picture& picture, std::uint32_t format) {
    Bytes out;
    switch (format) {
        case 0:
        case 1:
        case 2:
            for (const Rgba& p : picture.pixels) PutU16(out, out.size(), format == 0 ? Argb4444(p) : Argb1555(p));
            return out;
        case 8:
            for (const Rgba& p : picture.pixels) out.insert(out.end(), {p.b, p.g, p.r, 0});
            return out;
        case 9:
            for (int by = 0; by < picture.height; by += 4) {
                for (int bx = 0; bx < picture.width; bx += 4) EncodeBlock(picture, bx, by, out);
            }
            return out;
        default:
            throw std::invalid_argument("no encoder for texture format " + std::to_string(format));
    }
}

Bytes TextureRecordData(int width, int height, std::uint32_t format, std::uint32_t pixelOffset) {
    TextureRecord t{};
    t.width = static_cast<std::int16_t>(width);
    t.height = static_cast<std::int16_t>(height);
    t.format = format;
    t.pixelOffset = pixelOffset;
    return BytesOf(t);
}

int LevelBuilder::IndexNamed(const std::string& name) const {
    for (int i = 0; i < count(); ++i) {
        if (resource(i).name == name) return i;
    }
    throw std::invalid_argument("the level has no resource named " + name);
}

int LevelBuilder::Add(const std::string& tag, const std::string& name, std::size_t length) {
    return AddData(tag, name, Bytes(std::max<std::size_t>(length, 8), 0));
}

int LevelBuilder::AddData(const std::string& tag, const std::string& name, Bytes data) {
    return AddResource({tag, name, kNamedFlags, std::move(data), true, std::nullopt});
}

int LevelBuilder::AddUnnamed(const std::string& tag, std::size_t length, std::uint32_t flags) {
    return AddResource({tag, std::nullopt, flags, Bytes(std::max<std::size_t>(length, 8), 0), true, std::nullopt});
}

int LevelBuilder::AddResource(BuiltResource resource) {
    if (resource.tag.size() != 4) throw std::invalid_argument("a tag has four characters: " + resource.tag);
    resources_.push_back(std::move(resource));
    return count() - 1;
}

std::uint32_t LevelBuilder::AppendRaw(const Bytes& bytes) {
    // Bulk data in real .raw files starts on 32-byte boundaries.
    raw_.resize(AlignUp(raw_.size(), kDataAlignment), 0);
    const auto offset = static_cast<std::uint32_t>(raw_.size());
    raw_.insert(raw_.end(), bytes.begin(), bytes.end());
    return offset;
}

LevelBuilder::Layout LevelBuilder::LayoutOf() const {
    Layout layout;
    std::size_t at = AlignUp(kDescriptorTable + kDescriptorSize * resources_.size(), kDataAlignment);
    layout.dataTable = static_cast<std::int64_t>(at);
    for (const auto& r : resources_) {
        layout.dataOffsets.push_back(static_cast<std::int64_t>(at));
        at = AlignUp(at + r.data.size(), kDataAlignment);
    }
    layout.nameTable = static_cast<std::int64_t>(at);
    for (const auto& r : resources_) {
        layout.nameOffsets.push_back(r.name ? static_cast<std::int64_t>(at) : -1);
        if (r.name) at += 4 + r.name->size() + 1;
    }
    return layout;
}

Bytes LevelBuilder::BuildDat() const {
    const Layout layout = LayoutOf();
    Bytes dat(static_cast<std::size_t>(layout.nameTable), 0);
    const auto named = std::count_if(resources_.begin(), resources_.end(), [](const auto& r) { return r.name; });
    DatFileHeader header{};
    header.magic = kDatMagic;
    StoreU32(header.unknown4, kTemplateChecksumHigh);
    header.resourceCount = static_cast<std::int32_t>(resources_.size());
    header.nameCount = nameCountOverride >= 0 ? nameCountOverride : static_cast<std::int32_t>(named);
    header.dataTableOffset = static_cast<std::int32_t>(layout.dataTable);
    header.dataTableSize = static_cast<std::int32_t>(layout.nameTable - layout.dataTable);
    header.nameTableOffset = static_cast<std::int32_t>(layout.nameTable);

    Bytes names;
    for (std::size_t i = 0; i < resources_.size(); ++i) {
        const auto& r = resources_[i];
        ResourceDescriptor d{};
        for (std::size_t c = 0; c < 4; ++c) d.storedTag[c] = r.tag[3 - c];
        // Data offsets count from 8 bytes before the data table's start.
        d.dataOffset = static_cast<std::int32_t>(layout.dataOffsets[i] - layout.dataTable + 8);
        d.nameOffset = static_cast<std::int32_t>(r.name ? layout.nameOffsets[i] - layout.nameTable : 0);
        d.size = r.sizeField.value_or(static_cast<std::int32_t>(r.data.size()));
        d.flags = r.flags;
        PutBytes(dat, kDescriptorTable + kDescriptorSize * i, BytesOf(d));

        Bytes data = r.data;
        if (r.setIdentifier && data.size() >= 4) PutU32(data, 0, IdentifierOf(static_cast<int>(i)));
        PutBytes(dat, static_cast<std::size_t>(layout.dataOffsets[i]), data);
        if (r.name) {
            names.insert(names.end(), r.tag.begin(), r.tag.end());
            names.insert(names.end(), r.name->begin(), r.name->end());
            names.push_back(0);
        }
    }
    header.nameTableSize = static_cast<std::int32_t>(names.size());
    PutBytes(dat, 0, BytesOf(header));
    dat.insert(dat.end(), names.begin(), names.end());
    return dat;
}

std::string LevelBuilder::Write(const std::string& pathWithoutExtension) const {
    const std::string dat = pathWithoutExtension + ".dat";
    WriteFileBytes(dat, BuildDat());
    WriteFileBytes(pathWithoutExtension + ".raw", raw_);
    return dat;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "drossel-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace drossel::testing
