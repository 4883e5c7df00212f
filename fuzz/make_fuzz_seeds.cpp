// make-fuzz-seeds FOLDER: writes the seed corpus of every fuzz target into
// FOLDER/TARGET/, and the fuzzers' dictionaries into FOLDER/level.dict,
// FOLDER/wav.dict and FOLDER/image.dict. Every level is a small one made here by
// LevelBuilder: one per kind the converters and unpack routines know, one
// holding a resource of every kind, one of records that claim the most and one
// of links in circles. The sounds are made by libsndfile, the PNG files by
// libpng; the tags come from the kind table.

#include "DemoLevel.h"
#include "DemoPictures.h"
#include "DemoSounds.h"
#include "FuzzSupport.h"
#include "LevelBuilder.h"
#include "geometry/Mesh.h"
#include "image/ImageFile.h"
#include "kinds/KindTable.h"
#include "level/records/BulkRecords.h"
#include "level/records/LevelRecords.h"
#include "level/records/ModelRecords.h"
#include "level/records/StringRecords.h"
#include "level/records/TextureRecords.h"
#include "sound/Wav.h"

#include <png.h>
#include <sndfile.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

using namespace drossel;
using testing::Bytes;
using testing::LevelBuilder;
using testing::ListOf;
using testing::WithText;

namespace {

constexpr auto Id = LevelBuilder::IdentifierOf;

int Texture(LevelBuilder& b, const std::string& name, std::uint32_t format) {
    const testing::Picture p = demo::Glyph(8, 8, 'F', {255, 255, 255, 255}, {90, 20, 20, 128});
    return b.AddTexture(name, p.width, p.height, format, testing::EncodeTexturePixels(p, format));
}

std::vector<std::uint32_t> Textures(LevelBuilder& b, int count) {
    constexpr std::uint32_t kFormats[5] = {0, 1, 2, 8, 9};
    std::vector<std::uint32_t> ids;
    for (int i = 0; i < count; ++i)
        ids.push_back(Id(Texture(b, std::string("t") += std::to_string(i), kFormats[i % 5])));
    return ids;
}

// A tetrahedron: four points, one strip of six values making its four triangles.
int Model(LevelBuilder& b) {
    const int p = b.AddData("PNTA", "points",
                            ListOf(PointListHeader{}, std::vector<Point>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}));
    const int uv = b.AddData("TXCA", "uv", ListOf(ListHeader{}, std::vector<TexCoord>{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
    const auto start = static_cast<std::int32_t>(0x80000000u);
    const int strips =
        b.AddData("IDXA", "strips", ListOf(ListHeader{}, std::vector<std::int32_t>{start, 1, 2, 3, 0, 1}));
    const int triangles = b.AddData("IDXA", "triangles", ListOf(ListHeader{}, std::vector<std::int32_t>(4, 0)));
    ModelRecord m{};
    m.points = Id(p);
    m.texCoords = Id(uv);
    m.strips = Id(strips);
    m.triangles = Id(triangles);
    return b.AddData("M3GM", "model", BytesOf(m));
}

void Character(LevelBuilder& b) {
    PartListRecord parts{};
    std::fill(std::begin(parts.models), std::end(parts.models), Id(Model(b)));
    std::vector<JointOffset> offsets;
    for (int k = 0; k < kJointOffsets; ++k) offsets.push_back({0.1f * static_cast<float>(k), 0.5f, 0});
    std::vector<Bone> bones;
    for (int k = 0; k < kBodyParts; ++k)
        bones.push_back({static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(k + 1), {}});
    BodyRecord body{};
    body.parts = Id(b.AddData("TRGA", "parts", BytesOf(parts)));
    body.jointOffsets = Id(b.AddData("TRTA", "joints", ListOf(JointListHeader{}, offsets)));
    body.bones = Id(b.AddData("TRIA", "bones", ListOf(JointListHeader{}, bones)));
    BodySetRecord set{};
    std::fill(std::begin(set.bodies), std::end(set.bodies), Id(b.AddData("TRCM", "body", BytesOf(body))));
    CharacterRecord character{};
    character.bodySet = Id(b.AddData("TRBS", "bodies", BytesOf(set)));
    b.AddData("ONCC", "character", BytesOf(character));
}

// A level of one quad: the level record, its environment and octree, and the
// lists they name.
void LevelGeometry(LevelBuilder& b) {
    Quad quad{};
    for (std::uint32_t k = 0; k < 4; ++k) quad.points[k] = quad.texCoords[k] = k;
    EnvironmentRecord env{};
    env.points = Id(b.AddData(
        "PNTA", "points", ListOf(PointListHeader{}, std::vector<Point>{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}})));
    env.textureCoordinates =
        Id(b.AddData("TXCA", "uv", ListOf(ListHeader{}, std::vector<TexCoord>{{0, 0}, {1, 0}, {1, 1}})));
    env.quads = Id(b.AddData("AGQG", "quads", ListOf(ListHeader{}, std::vector<Quad>{quad, quad})));
    env.quadTextures =
        Id(b.AddData("AGQR", "quad_textures", ListOf(ListHeader{}, std::vector<QuadTexture>{{0, 0}, {3, 0}})));
    env.textures = Id(b.AddData("TXMA", "textures", ListOf(ListHeader{}, Textures(b, 2))));
    OctreeRecord octree{};
    octree.indexList = Id(b.AddData("IDXA", "indices", ListOf(ListHeader{}, std::vector<std::uint32_t>{0, 1, 2})));
    env.octree = Id(b.AddData("AKOT", "octree", BytesOf(octree)));
    LevelRecord level{};
    level.environment = Id(b.AddData("AKEV", "environment", BytesOf(env)));
    b.AddData("ONLV", "level", BytesOf(level));
}

// A resource of every kind in the table, an unnamed one, a hidden one and a
// placeholder (size 0), for the unpack routines and the tree.
void EveryKind(LevelBuilder& b) {
    for (const Kind& kind : Kinds()) {
        if (kind.tag != kOtherKey) b.Add(kind.tag.str(), "a", 48);
    }
    b.AddUnnamed("AKEV", 40);
    b.AddUnnamed("BINA", 40, 2);
    b.resource(b.Add("TXMP", "placeholder", sizeof(TextureRecord))).sizeField = 0;
}

// Records that claim far more than the files hold: sizes, counts and offsets
// at their largest.
void Claims(LevelBuilder& b) {
    b.AddData("TXMP", "huge", testing::TextureRecordData(32767, 32767, 8, b.AppendRaw(Bytes(64, 1))));
    ListHeader endless{};
    endless.count = 0xFFFFFFFF;
    b.AddData("TXMA", "endless", BytesOf(endless));
    b.AddData("IGSA", "endless", BytesOf(endless));
    StringListHeader strings{};
    strings.count = 0x7FFF;
    b.AddData("StNA", "endless", BytesOf(strings));
    SubtitleRecord subtitles{};
    subtitles.textOffset = 0xFFFFFF00;
    subtitles.entryCount = 0xFFFFFFFF;
    b.AddData("SUBT", "endless", BytesOf(subtitles));
    SoundRecord sound{};
    sound.sampleLength = 0xFFFFFFF0;
    sound.sampleOffset = 16;
    b.AddData("SNDD", "endless", BytesOf(sound));
    PointListHeader points{};
    points.count = 0xFFFFFFFF;
    ModelRecord model{};
    model.points = Id(b.AddData("PNTA", "endless", BytesOf(points)));
    model.strips = model.triangles = model.texCoords = Id(b.AddData("IDXA", "endless", BytesOf(endless)));
    b.AddData("M3GM", "endless", BytesOf(model));
}

// Links that name the resource itself, or a resource of another kind.
void Circles(LevelBuilder& b) {
    const std::uint32_t first = Id(b.count());
    b.AddLargeTexture("self", {first, first, first, first, first, first});
    b.AddKeyIcons("large", {first, first, first, first, first, first, first, first, first, first});
    CharacterRecord character{};
    character.bodySet = Id(b.count());
    b.AddData("ONCC", "self", BytesOf(character));
    WeaponRecord weapon{};
    weapon.model = Id(b.count());
    b.AddData("ONWC", "self", BytesOf(weapon));
    LevelRecord level{};
    level.environment = Id(b.count());
    b.AddData("ONLV", "self", BytesOf(level));
    CharacterTexturesRecord skins{};
    skins.count = 19;
    std::fill(std::begin(skins.textures), std::end(skins.textures), first);
    b.AddData("TRMA", "large", BytesOf(skins));
}

std::map<std::string, LevelBuilder> SeedLevels() {
    std::map<std::string, LevelBuilder> levels;
    for (std::uint32_t format : {0u, 1u, 2u, 8u, 9u}) Texture(levels["txmp" + std::to_string(format)], "t", format);
    {
        LevelBuilder& b = levels["txmb"];
        const auto ids = Textures(b, 6);
        b.AddLargeTexture("large", {ids[0], ids[1], ids[2], ids[3], ids[4], 7});
    }
    {
        LevelBuilder& b = levels["keyi"];
        const auto ids = Textures(b, 9);
        b.AddKeyIcons("icons", {ids[0], ids[1], ids[2], ids[3], ids[4], ids[5], ids[6], ids[7], ids[8], 0});
    }
    {
        LevelBuilder& b = levels["strings"];
        const int a = b.AddData("TStr", "title", WithText<TStrRecord>("Mission 1"));
        const int c = b.AddData("TStr", "quit", WithText<TStrRecord>("Quit"));
        b.AddData("StNA", "menu", ListOf(StringListHeader{}, std::vector<std::uint32_t>{Id(a), 99, Id(c)}));
    }
    {
        LevelBuilder& b = levels["igst"];
        const int a = b.AddData("IGSt", "hint", WithText<IGStRecord>("Press SPACE to jump."));
        b.AddData("IGSA", "hints", ListOf(ListHeader{}, std::vector<std::uint32_t>{Id(a), Id(a)}));
    }
    {
        LevelBuilder& b = levels["subt"];
        Bytes entries(2 * kSubtitleEntrySize, 0);
        std::memcpy(entries.data(), "Konoko: Where is everybody?", 27);
        std::memcpy(entries.data() + kSubtitleEntrySize, "Shinatama: Be careful.", 22);
        SubtitleRecord subtitles{};
        subtitles.textOffset = b.AppendRaw(entries);
        subtitles.entryCount = 2;
        Bytes record = BytesOf(subtitles);
        for (std::uint32_t offset : {0u, 256u}) testing::PutU32(record, record.size(), offset);
        b.AddData("SUBT", "subtitles", record);
    }
    {
        LevelBuilder& b = levels["texture-lists"];
        const auto ids = Textures(b, 3);
        CharacterTexturesRecord skins{};
        skins.count = 3;
        std::copy(ids.begin(), ids.end(), skins.textures);
        b.AddData("TRMA", "skins", BytesOf(skins));
        b.AddData("TXAN", "animation", ListOf(ListHeader{}, std::vector<std::uint32_t>{ids[0], 0, ids[2]}));
        b.AddData("TXMA", "array", ListOf(ListHeader{}, ids));
        SkyRecord sky{};
        std::copy(ids.begin(), ids.end(), sky.textures + 2);
        sky.textures[1] = 1;
        b.AddData("ONSK", "sky", BytesOf(sky));
    }
    {
        LevelBuilder& b = levels["sounds"];
        fuzz::AddTone(b, 1);
        fuzz::AddTone(b, 2);
        BulkRecord bulk{};
        bulk.length = 40;
        bulk.offset = b.AppendRaw(Bytes(40, 0x5A));
        b.AddData("BINA", "binary", BytesOf(bulk));
        b.AddData("OSBD", "group", BytesOf(bulk));
    }
    Model(levels["m3gm"]);
    {
        LevelBuilder& b = levels["onwc"];
        WeaponRecord weapon{};
        weapon.model = Id(Model(b));
        b.AddData("ONWC", "weapon", BytesOf(weapon));
    }
    Character(levels["oncc"]);
    LevelGeometry(levels["onlv"]);
    EveryKind(levels["every-kind"]);
    Claims(levels["claims"]);
    Circles(levels["circles"]);
    return levels;
}

void Write(const std::filesystem::path& path, const Bytes& bytes) {
    testing::WriteFileBytes(path.string(), bytes);
}

// WAV files: the fixed layout sound replacement takes, and files of other
// codecs, as libsndfile writes them, for the viewer's decoding.
void WavSeeds(const std::filesystem::path& folder) {
    for (int channels : {1, 2}) {
        const demo::AdpcmSound tone = demo::AdpcmTone(channels, 0.02);
        Write(folder / ("adpcm" + std::to_string(channels) + ".wav"), WavFile(tone.format, tone.data));
    }
    const std::pair<const char*, int> kCodecs[] = {{"pcm16", SF_FORMAT_PCM_16},  {"pcm8", SF_FORMAT_PCM_U8},
                                                   {"float", SF_FORMAT_FLOAT},   {"ulaw", SF_FORMAT_ULAW},
                                                   {"ima", SF_FORMAT_IMA_ADPCM}, {"gsm", SF_FORMAT_GSM610}};
    for (const auto& [name, codec] : kCodecs) {
        SF_INFO info{};
        info.samplerate = 8000;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | codec;
        const std::string path = (folder / (std::string(name) + ".wav")).string();
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        if (file == nullptr) throw std::runtime_error("libsndfile cannot write " + path + ": " + sf_strerror(nullptr));
        std::array<short, 400> samples{};
        for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<short>(8000 * std::sin(0.1 * i));
        sf_write_short(file, samples.data(), samples.size());
        sf_close(file);
    }
}

// Pictures: TGA and BMP files as conversion writes them, at both depths; a TGA
// of run-length packets with its first row at the top; PNG files of every colour
// type libpng writes.
void PictureSeeds(const std::filesystem::path& folder) {
    const testing::Picture glyph = demo::Glyph(8, 8, 'F', {255, 255, 255, 255}, {90, 20, 20, 128});
    PixelBuffer picture(glyph.width, glyph.height);
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            const testing::Rgba c = glyph.at(x, y);
            picture.SetFromTop(x, y, {c.b, c.g, c.r, c.a});
            rgba.insert(rgba.end(), {c.r, c.g, c.b, c.a});
        }
    }
    for (const int bits : {24, 32}) {
        Write(folder / ("picture" + std::to_string(bits) + ".tga"), EncodeTga(picture, bits));
        Write(folder / ("picture" + std::to_string(bits) + ".bmp"), EncodeBmp(picture, bits));
    }
    // Type 10, top row first; a run of three pixels, then a packet of two stored ones.
    Write(folder / "runs.tga",
          Bytes{0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 1, 0, 24, 0x20, 0x82, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9});
    std::vector<std::uint8_t> grey;
    for (std::size_t i = 0; i < rgba.size(); i += 4) grey.push_back(rgba[i]);
    for (const auto& [name, format, pixels] :
         {std::tuple{"rgba.png", PNG_FORMAT_RGBA, &rgba}, {"grey.png", PNG_FORMAT_GRAY, &grey}}) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = static_cast<png_uint_32>(glyph.width);
        image.height = static_cast<png_uint_32>(glyph.height);
        image.format = format;
        png_alloc_size_t length = 0;
        png_image_write_to_memory(&image, nullptr, &length, 0, pixels->data(), 0, nullptr);
        Bytes png(length);
        if (!png_image_write_to_memory(&image, png.data(), &length, 0, pixels->data(), 0, nullptr)) {
            throw std::runtime_error(std::string("libpng cannot write ") + name + ": " + image.message);
        }
        Write(folder / name, png);
    }
}

std::string DictionaryEntry(std::string_view bytes) {
    std::string entry = "\"";
    for (unsigned char c : bytes) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        entry += c >= 0x20 && c < 0x7F && c != '"' && c != '\\' ? std::string(1, static_cast<char>(c)) : hex;
    }
    return entry + "\"\n";
}

void Dictionaries(const std::filesystem::path& folder) {
    std::ofstream level(folder / "level.dict");
    level << "# Tags of the kind table, as names store them and as descriptors store them (reversed)\n";
    for (const Kind& kind : Kinds()) {
        level << DictionaryEntry(kind.tag) << DictionaryEntry(kind.tag.Reversed());
    }
    level << DictionaryEntry(std::string_view("\x1F\x27\xDC\x33", 4))
          << DictionaryEntry(std::string_view("\0\0\x30\0", 4)) << DictionaryEntry(std::string_view("\0\0\0\x80", 4))
          << DictionaryEntry("\xFF\xFF\xFF\x7F");
    std::ofstream image(folder / "image.dict");
    for (std::string_view word :
         {std::string_view("\x89PNG\r\n\x1A\n"), std::string_view("IHDR"), std::string_view("IDAT"),
          std::string_view("IEND"), std::string_view("tRNS"), std::string_view("PLTE"), std::string_view("BM"),
          std::string_view("\x00\x00\x02\x00", 4), std::string_view("\x00\x00\x0A\x00", 4)}) {
        image << DictionaryEntry(word);
    }
    std::ofstream wav(folder / "wav.dict");
    for (const char* word : {"RIFF", "WAVE", "fmt ", "data", "fact", "LIST", "\x01", "\x02", "\x03", "\x11", "\x31"}) {
        wav << DictionaryEntry(word);
    }
}

void WriteSeeds(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    for (const char* target : {"load_dat_fuzz", "convert_fuzz", "wav_fuzz", "edit_fuzz", "image_fuzz"})
        fs::create_directories(folder / target);
    // Option bytes that choose, between them, every image format, LightWave
    // layout and level format, glTF binary with PNG textures and all quads, and
    // character groups 1, 3, 5 and all (fuzz::OptionsOf).
    constexpr std::array<std::array<std::uint8_t, fuzz::kOptionBytes>, 5> kOptions{
        {{0x00, 0x04}, {0x9B, 0x3D}, {0x65, 0x08}, {0x2A, 0x12}, {0x3C, 0xE5}}};
    for (const auto& [name, level] : SeedLevels()) {
        const Bytes dat = level.BuildDat();
        Write(folder / "load_dat_fuzz" / (name + ".dat"), dat);
        if (name == "strings" || name == "igst" || name == "onlv") Write(folder / "edit_fuzz" / (name + ".dat"), dat);
        for (std::size_t i = 0; i < kOptions.size(); ++i) {
            Write(folder / "convert_fuzz" / (name + "-" + std::to_string(i)),
                  fuzz::JoinLevelInput(kOptions[i], dat, level.raw()));
        }
    }
    const Bytes demo = demo::BuildDemoLevel().BuildDat();
    Write(folder / "load_dat_fuzz" / "demo.dat", demo);
    Write(folder / "edit_fuzz" / "demo.dat", demo);
    WavSeeds(folder / "wav_fuzz");
    PictureSeeds(folder / "image_fuzz");
    Dictionaries(folder);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-fuzz-seeds FOLDER\n";
        return 2;
    }
    try {
        WriteSeeds(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "make-fuzz-seeds: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
