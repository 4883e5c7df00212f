// make-amplification-levels: writes small levels whose records claim huge
// pictures, for measuring the memory a conversion takes (bench/amplification.sh).
// The .raw files are sparse: they are as long as the records claim, but take no
// disk space and hold zero bytes.
//
//   make-amplification-levels FOLDER
//
// Prints one line per level: its .dat path, the table index to work on and
// the case (what bench/amplification.sh runs on it).
//   keyicons_8192      ten key icons linking one 8192 x 8192 DXT1 texture
//   texture_32767      one 32767 x 32767 DXT1 texture
//   large_texture      a large texture whose six tiles link one 32767 x 32767 DXT1 texture
//   texture_list_8192  a texture list naming one 8192 x 8192 DXT1 texture ten times
//                      (case "picture": converted to TGA and BMP, and convert-all)
//   sound_slot         a sound whose slot claims 0xFFFFFFF0 bytes of a 64-byte .raw, and
//                      FOLDER/sound.wav, a WAV of its format (case "replace-sound")
//   level_long_name    a level of 20,000 quads sharing one texture whose name is 200,000
//                      bytes long (case "b3d-uv": converted with --level-format b3d-uv)
//   sound_2gib         a sound of 2 GiB in a sparse .raw (case "unpack")

#include "LevelBuilder.h"
#include "level/records/TextureRecords.h"
#include "sound/Wav.h"

#include <unistd.h>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>

using namespace drossel;
using namespace drossel::testing;

namespace {

constexpr std::uint32_t kDxt1 = 9;

// Makes the .raw file `length` bytes long without storing them.
void Sparse(const std::string& path, std::int64_t length) {
    if (::truncate((path + ".raw").c_str(), length) != 0) throw std::runtime_error("cannot extend " + path + ".raw");
}

// A level holding one sound whose record claims `length` bytes at offset 0 of a
// .raw file `rawLength` bytes long.
void WriteSound(const std::string& path, std::uint32_t length, std::int64_t rawLength, const char* what) {
    LevelBuilder b;
    Bytes sound(96, 0);
    PutU32(sound, 64, length);
    const int index = b.AddData("SNDD", "sound", sound);
    const std::string dat = b.Write(path);
    Sparse(path, rawLength);
    std::cout << dat << ' ' << index << ' ' << what << '\n';
}

// A level of `quads` quads over four points, every one textured by one texture
// named by `nameLength` letters.
void WriteLevel(const std::string& path, std::uint32_t quads, std::size_t nameLength) {
    LevelBuilder b;
    const auto id = [](int index) { return LevelBuilder::IdentifierOf(index); };
    const auto list = [&](const char* tag, std::uint32_t count, std::size_t entry, std::size_t header = 32) {
        Bytes bytes(header + count * entry, 0);
        PutU32(bytes, header - 4, count);
        return b.AddData(tag, tag, bytes);
    };
    const int texture = b.AddData("TXMP", std::string(nameLength, 'w'), TextureRecordData(4, 4, kDxt1, 0));
    const int points = list("PNTA", 4, 12, 64);
    const int quadList = list("AGQG", quads, 56);
    Bytes& corners = b.resource(quadList).data;
    for (std::uint32_t q = 0; q < quads; ++q) {
        for (std::uint32_t c = 0; c < 4; ++c) PutU32(corners, 32 + 56 * q + 4 * c, c);
    }
    const int textures = list("TXMA", 1, 4);
    PutU32(b.resource(textures).data, 32, id(texture));
    Bytes environment(128, 0);
    PutU32(environment, 8, id(points));
    PutU32(environment, 16, id(list("TXCA", 0, 8)));
    PutU32(environment, 20, id(quadList));
    PutU32(environment, 24, id(list("AGQR", quads, 4)));  // texture 0 on every quad
    PutU32(environment, 36, id(textures));
    Bytes level(0x4C, 0);
    PutU32(level, 72, id(b.AddData("AKEV", "environment", environment)));
    const int index = b.AddData("ONLV", "level", level);
    std::cout << b.Write(path) << ' ' << index << " b3d-uv\n";
}

// A level holding one DXT1 texture of side x side pixels at offset 0 of a sparse
// .raw file, and what `link` adds to it; prints the .dat path and the index
// `link` returns.
void Write(const std::string& path, int side, const std::function<int(LevelBuilder&, std::uint32_t)>& link) {
    LevelBuilder b;
    const int texture = b.AddData("TXMP", "huge", TextureRecordData(side, side, kDxt1, 0));
    const int index = link(b, LevelBuilder::IdentifierOf(texture));
    const std::string dat = b.Write(path);
    Sparse(path, StoredPixelLength(side, side, kDxt1).value());
    std::cout << dat << ' ' << index << " picture\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-amplification-levels FOLDER\n";
        return 2;
    }
    try {
        const std::string folder = std::string(argv[1]) + "/";
        Write(folder + "keyicons_8192", 8192, [](LevelBuilder& b, std::uint32_t id) {
            std::array<std::uint32_t, 10> icons{};
            icons.fill(id);
            return b.AddKeyIcons("keys", icons);
        });
        Write(folder + "texture_32767", 32767, [](LevelBuilder&, std::uint32_t) { return 0; });
        Write(folder + "large_texture", 32767, [](LevelBuilder& b, std::uint32_t id) {
            return b.AddLargeTexture("backdrop", {id, id, id, id, id, id});
        });
        Write(folder + "texture_list_8192", 8192, [](LevelBuilder& b, std::uint32_t id) {
            Bytes list(32 + 10 * 4);
            PutU32(list, 28, 10);  // the list's count
            for (std::size_t i = 0; i < 10; ++i) PutU32(list, 32 + 4 * i, id);
            return b.AddData("TXMA", "array", list);
        });
        WriteSound(folder + "sound_slot", 0xFFFFFFF0u, 64, "replace-sound");
        Bytes wav = WavFile(std::array<std::uint8_t, kWavFormatSize>{}, Bytes(1000, 0));
        WriteFileBytes(folder + "sound.wav", wav);
        WriteLevel(folder + "level_long_name", 20000, 200000);
        WriteSound(folder + "sound_2gib", 0x80000000u, std::int64_t{1} << 31, "unpack");
    } catch (const std::exception& e) {
        std::cerr << "make-amplification-levels: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
