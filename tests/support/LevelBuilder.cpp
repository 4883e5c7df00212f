#include "LevelBuilder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace drossel::testing {
namespace {

constexpr std::uint64_t kTemplateChecksum = 0x0003BCDF33DC271FULL;
constexpr std::size_t kDescriptorTable = 64;
constexpr std::size_t kDescriptorSize = 20;
constexpr std::size_t kDataAlignment = 32;

std::size_t AlignUp(std::size_t v, std::size_t a) {
    return (v + a - 1) / a * a;
}

void Grow(Bytes& b, std::size_t end) {
    if (b.size() < end) b.resize(end);
}

}  // namespace

void PutU8(Bytes& b, std::size_t offset, std::uint8_t v) {
    Grow(b, offset + 1);
    b[offset] = v;
}

void PutU16(Bytes& b, std::size_t offset, std::uint16_t v) {
    Grow(b, offset + 2);
    b[offset] = static_cast<std::uint8_t>(v);
    b[offset + 1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(Bytes& b, std::size_t offset, std::uint32_t v) {
    Grow(b, offset + 4);
    for (int i = 0; i < 4; ++i) b[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

void PutBytes(Bytes& b, std::size_t offset, const Bytes& v) {
    Grow(b, offset + v.size());
    std::copy(v.begin(), v.end(), b.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::uint32_t GetU32(const Bytes& b, std::size_t offset) {
    if (offset + 4 > b.size()) throw std::out_of_range("GetU32 past the end");
    return static_cast<std::uint32_t>(b[offset]) | (static_cast<std::uint32_t>(b[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(b[offset + 2]) << 16) | (static_cast<std::uint32_t>(b[offset + 3]) << 24);
}

namespace {

std::uint16_t Argb4444(Rgba p) {
    return static_cast<std::uint16_t>(((p.a >> 4) << 12) | ((p.r >> 4) << 8) | ((p.g >> 4) << 4) | (p.b >> 4));
}

std::uint16_t Argb1555(Rgba p) {
    return static_cast<std::uint16_t>((p.a >= 128 ? 0x8000 : 0) | ((p.r >> 3) << 10) | ((p.g >> 3) << 5) | (p.b >> 3));
}

std::uint16_t Rgb565(Rgba p) {
    return static_cast<std::uint16_t>(((p.r >> 3) << 11) | ((p.g >> 2) << 5) | (p.b >> 3));
}

Rgba From565(std::uint16_t v) {
    const int r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
    return {static_cast<std::uint8_t>(r * 255 / 31), static_cast<std::uint8_t>(g * 255 / 63),
            static_cast<std::uint8_t>(b * 255 / 31), 255};
}

int Distance(Rgba a, Rgba b) {
    return (a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b);
}

// One DXT1 block of the 4x4 pixels from (bx, by), edges repeated outside the picture.
void EncodeBlock(const Picture& p, int bx, int by, Bytes& out) {
    Rgba block[16];
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            block[y * 4 + x] = p.at(std::min(bx + x, p.width - 1), std::min(by + y, p.height - 1));
    }
    // The two colours farthest apart are the end colours.
    int best = -1;
    Rgba e0 = block[0], e1 = block[0];
    for (const Rgba& a : block) {
        for (const Rgba& b : block) {
            if (Distance(a, b) > best) {
                best = Distance(a, b);
                e0 = a;
                e1 = b;
            }
        }
    }
    std::uint16_t c0 = Rgb565(e0), c1 = Rgb565(e1);
    if (c0 < c1) std::swap(c0, c1);
    Rgba palette[4] = {From565(c0), From565(c1), {}, {}};
    auto mix = [](Rgba a, Rgba b, int wa, int wb) {
        return Rgba{static_cast<std::uint8_t>((a.r * wa + b.r * wb) / (wa + wb)),
                    static_cast<std::uint8_t>((a.g * wa + b.g * wb) / (wa + wb)),
                    static_cast<std::uint8_t>((a.b * wa + b.b * wb) / (wa + wb)), 255};
    };
    palette[2] = mix(palette[0], palette[1], 2, 1);
    palette[3] = mix(palette[0], palette[1], 1, 2);
    const std::size_t at = out.size();
    out.resize(at + 8, 0);
    PutU16(out, at, c0);
    PutU16(out, at + 2, c1);
    for (int y = 0; y < 4; ++y) {
        std::uint8_t row = 0;
        for (int x = 0; x < 4; ++x) {
            int index = 0;
            // Equal end colours select the three-colour mode: only entry 0 is safe there.
            if (c0 != c1) {
                for (int i = 1; i < 4; ++i) {
                    if (Distance(block[y * 4 + x], palette[i]) < Distance(block[y * 4 + x], palette[index])) index = i;
                }
            }
            row = static_cast<std::uint8_t>(row | (index << (2 * x)));
        }
        out[at + 4 + static_cast<std::size_t>(y)] = row;
    }
}

}  // namespace

Bytes EncodeTexturePixels(const Picture& picture, std::uint32_t format) {
    Bytes out;
    switch (format) {
        case 0:
        case 1:
        case 2:
            out.resize(picture.pixels.size() * 2);
            for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
                PutU16(out, i * 2, format == 0 ? Argb4444(picture.pixels[i]) : Argb1555(picture.pixels[i]));
            }
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
    Bytes data(192, 0);
    PutU16(data, 140, static_cast<std::uint16_t>(width));
    PutU16(data, 142, static_cast<std::uint16_t>(height));
    PutU32(data, 144, format);
    PutU32(data, 156, pixelOffset);
    return data;
}

int LevelBuilder::AddTexture(const std::string& name, int width, int height, std::uint32_t format,
                             const Bytes& pixels) {
    const int index = Add("TXMP", name, 192);
    SetTexture(index, width, height, format, pixels);
    return index;
}

void LevelBuilder::SetTexture(int index, int width, int height, std::uint32_t format, const Bytes& pixels) {
    resource(index).data = TextureRecordData(width, height, format, AppendRaw(pixels));
}

int LevelBuilder::AddLargeTexture(const std::string& name, const std::array<std::uint32_t, 6>& tiles) {
    const int index = Add("TXMB", name, 64);
    SetLargeTexture(index, tiles);
    return index;
}

void LevelBuilder::SetLargeTexture(int index, const std::array<std::uint32_t, 6>& tiles) {
    Bytes data(64, 0);
    for (std::size_t t = 0; t < tiles.size(); ++t) PutU32(data, 32 + 4 * t, tiles[t]);
    resource(index).data = std::move(data);
}

int LevelBuilder::AddKeyIcons(const std::string& name, const std::array<std::uint32_t, 10>& icons) {
    const int index = Add("KeyI", name, 64);
    SetKeyIcons(index, icons);
    return index;
}

void LevelBuilder::SetKeyIcons(int index, const std::array<std::uint32_t, 10>& icons) {
    Bytes data(64, 0);
    for (std::size_t i = 0; i < icons.size(); ++i) PutU32(data, 8 + 4 * i, icons[i]);
    resource(index).data = std::move(data);
}

int LevelBuilder::Add(const std::string& tag, const std::string& name, std::size_t length) {
    return AddData(tag, name, Bytes(std::max<std::size_t>(length, 8), 0));
}

int LevelBuilder::AddData(const std::string& tag, const std::string& name, Bytes data) {
    BuiltResource r;
    r.tag = tag;
    r.name = name;
    r.flags = kNamed;
    r.data = std::move(data);
    return AddResource(std::move(r));
}

int LevelBuilder::AddUnnamed(const std::string& tag, std::size_t length, std::uint32_t flags) {
    BuiltResource r;
    r.tag = tag;
    r.flags = flags;
    r.data = Bytes(std::max<std::size_t>(length, 8), 0);
    return AddResource(std::move(r));
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
        if (r.name) {
            layout.nameOffsets.push_back(static_cast<std::int64_t>(at));
            at += 4 + r.name->size() + 1;
        } else {
            layout.nameOffsets.push_back(-1);
        }
    }
    return layout;
}

Bytes LevelBuilder::BuildDat() const {
    const Layout layout = LayoutOf();
    Bytes dat(static_cast<std::size_t>(layout.nameTable), 0);
    PutU32(dat, 0, static_cast<std::uint32_t>(kTemplateChecksum));
    PutU32(dat, 4, static_cast<std::uint32_t>(kTemplateChecksum >> 32));
    std::int32_t named = 0;
    for (const auto& r : resources_) named += r.name ? 1 : 0;
    PutU32(dat, 20, static_cast<std::uint32_t>(resources_.size()));
    PutU32(dat, 24, static_cast<std::uint32_t>(nameCountOverride >= 0 ? nameCountOverride : named));
    PutU32(dat, 32, static_cast<std::uint32_t>(layout.dataTable));
    PutU32(dat, 36, static_cast<std::uint32_t>(layout.nameTable - layout.dataTable));
    PutU32(dat, 40, static_cast<std::uint32_t>(layout.nameTable));

    Bytes names;
    for (std::size_t i = 0; i < resources_.size(); ++i) {
        const auto& r = resources_[i];
        const std::size_t d = kDescriptorTable + kDescriptorSize * i;
        // The stored tag holds the four characters in reverse order.
        for (std::size_t c = 0; c < 4; ++c) dat[d + c] = static_cast<std::uint8_t>(r.tag[3 - c]);
        // Data offsets count from 8 bytes before the data table's start.
        PutU32(dat, d + 4, static_cast<std::uint32_t>(layout.dataOffsets[i] - layout.dataTable + 8));
        PutU32(dat, d + 8, static_cast<std::uint32_t>(r.name ? layout.nameOffsets[i] - layout.nameTable : 0));
        PutU32(dat, d + 12, static_cast<std::uint32_t>(r.sizeField.value_or(static_cast<std::int32_t>(r.data.size()))));
        PutU32(dat, d + 16, r.flags);

        Bytes data = r.data;
        if (r.setIdentifier && data.size() >= 4) PutU32(data, 0, IdentifierOf(static_cast<int>(i)));
        PutBytes(dat, static_cast<std::size_t>(layout.dataOffsets[i]), data);
        if (r.name) {
            names.insert(names.end(), r.tag.begin(), r.tag.end());
            names.insert(names.end(), r.name->begin(), r.name->end());
            names.push_back(0);
        }
    }
    PutU32(dat, 44, static_cast<std::uint32_t>(names.size()));
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

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace drossel::testing
