// make-amplification-levels: writes small levels whose records claim huge
// pictures, for measuring the memory a conversion takes (bench/amplification.sh).
// The .raw files are sparse: they are as long as the records claim, but take no
// disk space and hold zero bytes.
//
//   make-amplification-levels FOLDER
//
// Prints one line per level: its .dat path and the table index to convert.
//   keyicons_8192      ten key icons linking one 8192 x 8192 DXT1 texture
//   texture_32767      one 32767 x 32767 DXT1 texture
//   large_texture      a large texture whose six tiles link one 32767 x 32767 DXT1 texture
//   texture_list_8192  a texture list naming one 8192 x 8192 DXT1 texture ten times

#include "LevelBuilder.h"
#include "level/records/TextureRecords.h"

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

// A level holding one DXT1 texture of side x side pixels at offset 0 of a sparse
// .raw file, and what `link` adds to it; prints the .dat path and the index
// `link` returns.
void Write(const std::string& path, int side, const std::function<int(LevelBuilder&, std::uint32_t)>& link) {
    LevelBuilder b;
    const int texture = b.AddData("TXMP", "huge", TextureRecordData(side, side, kDxt1, 0));
    const int index = link(b, LevelBuilder::IdentifierOf(texture));
    const std::string dat = b.Write(path);
    const std::int64_t length = StoredPixelLength(side, side, kDxt1).value();
    if (::truncate((path + ".raw").c_str(), length) != 0) throw std::runtime_error("cannot extend " + path + ".raw");
    std::cout << dat << ' ' << index << '\n';
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
    } catch (const std::exception& e) {
        std::cerr << "make-amplification-levels: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
