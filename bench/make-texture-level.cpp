// make-texture-level: writes a level of N textures of 256 x 256 pixels, the five
// pixel formats (0, 1, 2, 8, 9) by turns, each with its own pixel data, for the
// conversion and unpacking benchmarks. The pixels are noise: decoding takes the
// same time whatever they show.
//
//   make-texture-level N OUTPUT_WITHOUT_EXTENSION      (writes OUTPUT.dat and OUTPUT.raw)

#include "LevelBuilder.h"

#include <cstdint>
#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make-texture-level N OUTPUT_WITHOUT_EXTENSION\n";
        return 2;
    }
    try {
        const int count = std::stoi(argv[1]);
        constexpr int kSide = 256;
        constexpr std::uint32_t kFormats[] = {0, 1, 2, 8, 9};
        drossel::testing::LevelBuilder builder;
        std::uint32_t state = 2463534242u;
        for (int i = 0; i < count; ++i) {
            const std::uint32_t format = kFormats[i % 5];
            const std::size_t length = format == 8   ? kSide * kSide * 4
                                       : format == 9 ? kSide * kSide / 2
                                                     : kSide * kSide * 2;
            drossel::testing::Bytes pixels(length);
            for (auto& byte : pixels) {
                state ^= state << 13;
                state ^= state >> 17;
                state ^= state << 5;
                byte = static_cast<std::uint8_t>(state);
            }
            builder.AddTexture("texture_" + std::to_string(i), kSide, kSide, format, pixels);
        }
        std::cout << builder.Write(argv[2]) << '\n';
    } catch (const std::exception& e) {
        std::cerr << "make-texture-level: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
