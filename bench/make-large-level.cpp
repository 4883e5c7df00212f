// make-large-level: writes a level of N resources of mixed kinds for the load
// benchmarks: named and unnamed, textures and sounds with raw locations, level
// chunks, and a level record leading to its lists.
//
//   make-large-level N OUTPUT_WITHOUT_EXTENSION

#include "LevelBuilder.h"
#include "level/records/BulkRecords.h"
#include "level/records/LevelRecords.h"

#include <cstdlib>
#include <iostream>
#include <string>

using namespace drossel::testing;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make-large-level N OUTPUT_WITHOUT_EXTENSION\n";
        return 2;
    }
    const long count = std::strtol(argv[1], nullptr, 10);
    if (count < 8) {
        std::cerr << "make-large-level: N must be at least 8\n";
        return 2;
    }
    static const char* kTags[] = {"M3GM", "TRAM", "ONCC", "AKEV", "PNTA", "IDXA", "TXCA", "OBAN", "TStr", "SUBT"};
    LevelBuilder b;
    // The level's own records come first, an octree and its index list among them, as in the game's levels.
    const int points = b.Add("PNTA", "level_points", 64);
    const int indexList = b.Add("IDXA", "level_indices", 64);
    drossel::OctreeRecord octree{};
    octree.indexList = LevelBuilder::IdentifierOf(indexList);
    const int octreeIndex = b.AddData("AKOT", "level_octree", drossel::BytesOf(octree));
    drossel::EnvironmentRecord environment{};
    environment.points = LevelBuilder::IdentifierOf(points);
    environment.octree = LevelBuilder::IdentifierOf(octreeIndex);
    const int env = b.AddData("AKEV", "level_environment", drossel::BytesOf(environment));
    drossel::LevelRecord level{};
    level.environment = LevelBuilder::IdentifierOf(env);
    const int onlv = b.AddData("ONLV", "level", drossel::BytesOf(level));
    b.resource(onlv).data.resize(128);
    for (long i = b.count(); i < count; ++i) {
        const std::string name = "resource_" + std::to_string(i);
        if (i % 10 == 0) {
            b.AddData("TXMP", name, TextureRecordData(64, 64, 1, static_cast<std::uint32_t>(i * 8192)));
        } else if (i % 10 == 5) {
            drossel::SoundRecord sound{};
            sound.sampleLength = 4096;
            sound.sampleOffset = static_cast<std::uint32_t>(i * 4096);
            b.AddData("SNDD", name + ".aif", drossel::BytesOf(sound));
        } else if (i % 7 == 0) {
            b.AddUnnamed(kTags[i % 10], 48);
        } else {
            b.Add(kTags[i % 10], name, 48 + static_cast<std::size_t>(i % 5) * 32);
        }
    }
    WriteFileBytes(std::string(argv[2]) + ".dat", b.BuildDat());
    std::cout << argv[2] << ".dat\n";
    return 0;
}
