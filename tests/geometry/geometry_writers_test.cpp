#include "Fixture.h"
#include "geometry/LevelExchange.h"
#include "geometry/LightWave.h"

#include <array>

using namespace drossel;
using namespace drossel::testing;
using namespace std::literals;

namespace {

constexpr std::uint64_t P = 3, T = 2, U = 3;
Mesh Model(int surfaces) {
    Mesh m{{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {{0.25f, 0}, {0, 0}, {1, 1}}, {{0, 1, 2, 1}, {2, 1, 0, 1}}, {}};
    m.triangles[1].surface = static_cast<std::uint16_t>(surfaces);
    for (int s = 1; s <= surfaces; ++s)
        m.surfaces.push_back(surfaces == 1 ? "default material" : "Chunk" + std::to_string(100 + s).substr(1));
    return m;
}

// A cube around the origin, so the origin point LWO2 adds is none of its corners.
Mesh Cube() {
    Mesh m{{}, std::vector<TexCoord>(8), {}, {"Level"}};
    for (int i = 0; i < 8; ++i) m.points.push_back({i & 1 ? 1.f : -1.f, i & 2 ? 1.f : -1.f, i & 4 ? 1.f : -1.f});
    for (auto [a, b, c, d] :
         {std::array{0u, 1u, 3u, 2u}, {4, 6, 7, 5}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}}) {
        m.triangles.push_back({a, b, c, 1});
        m.triangles.push_back({c, d, a, 1});
    }
    return m;
}

// Point i is (i, 10 i, 100 i) with texture coordinates (i / 2, i / 4); quad q has the corners q to q + 3 (mod 5).
LevelGeometry Quads(std::uint32_t quads, std::vector<std::int16_t> textures = {}, std::vector<std::string> names = {}) {
    LevelGeometry g{{}, {}, {}, std::move(textures), std::move(names)};
    for (float i : {0.f, 1.f, 2.f, 3.f, 4.f}) {
        g.points.push_back({i, 10 * i, 100 * i});
        g.texCoords.push_back({i / 2, i / 4});
    }
    for (std::uint32_t q = 0; q < quads; ++q)
        g.quads.push_back({{q % 5, (q + 1) % 5, (q + 2) % 5, (q + 3) % 5}, {q % 5, 1, 2, 3}});
    return g;
}

}  // namespace

TEST(LightWave, LengthsPerLayout) {
    // Layout, surfaces; the lengths of the FORM chunk, the surface names' chunk and each SURF chunk.
    using Case = std::tuple<int, int, std::uint64_t, std::uint64_t, std::uint64_t>;
    for (auto [layout, surfaces, form, names, surf] :
         {Case{60, 1, 46 + 12 * P + 10 * T, 18, 0},
          {60, 19, 180 + 12 * P + 10 * T, 152, 0},
          {65, 1, 4 + 26 + (8 + 12 * P) + (8 + 10 * T) + 60, 18, 52},
          {65, 19, 4 + 160 + (8 + 12 * P) + (8 + 10 * T) + 19 * 50, 152, 42},
          {70, 1, 98 + 12 * P + 10 * U + 24 + 12 * T + 136, 18, 128},
          {70, 19, 198 + 12 * P + 34 + 10 * U + 12 + 8 * T + 12 + 4 * T + 2394, 152, 118}}) {
        SCOPED_TRACE(layout * 100 + surfaces);
        const Bytes b = WriteLightWave(Model(surfaces), layout);
        ASSERT_EQ(b.size(), form + 8);
        EXPECT_EQ(Be32(b, 4), form);
        EXPECT_EQ(Slice(b, 8, 4), Text(layout == 70 ? "LWO2" : "LWOB"));
        const std::size_t at = FindChunk(b, layout == 70 ? "TAGS" : "SRFS");
        EXPECT_EQ(Be32(b, at + 4), names);
        const auto name = surfaces == 1 ? "default material\0\0"sv : "Chunk07\0"sv;
        EXPECT_EQ(Slice(b, at + (surfaces == 1 ? 8 : 56), name.size()), Text(name));
        // The SURF chunks come last (LWO2's PTAG also holds the ID "SURF").
        EXPECT_EQ(FindChunk(b, "SURF") == b.size(), surf == 0);
        if (surf != 0) {
            EXPECT_EQ(Slice(b, b.size() - 8 - surf, 8), Text("SURF\0\0\0"s + static_cast<char>(surf)));
        }
    }
    const Bytes b = WriteLightWave(Model(1), 65);  // a white, slightly reflecting, opaque, diffuse surface
    EXPECT_EQ(Slice(b, b.size() - 34, 34), Text("COLR\0\4\xFF\xFF\xFF\0REFL\0\2\0\5TRAN\0\2\0\0DIFF\0\2\0\xFF"sv));
}

TEST(LightWave, Layout70Content) {
    const Bytes b = WriteLightWave(Model(1), 70);
    const std::size_t pnts = FindChunk(b, "PNTS");
    EXPECT_EQ(Be32(b, pnts + 4), 12 * (P + 1));
    EXPECT_EQ(Slice(b, pnts + 8, 4), (Bytes{0x3F, 0x80, 0, 0}));
    EXPECT_EQ(Slice(b, pnts + 8 + 12 * P, 12), Bytes(12, 0));
    // The first UV entry, (0.25, 0), is stored as index 0, 0.25, 1.0.
    EXPECT_EQ(Slice(b, FindChunk(b, "VMAP") + 8, 24), Text("TXUV\0\2Texture\0\0\0\x3E\x80\0\0\x3F\x80\0\0"sv));
    EXPECT_EQ(Slice(b, FindChunk(b, "PTAG") + 8, 12), Text("SURF\0\0\0\0\0\1\0\0"sv));
}

TEST(LightWave, LevelCubeAsLayout60) {
    const Bytes b = WriteLightWave(Cube(), 60);
    ASSERT_EQ(b.size(), 258u);
    EXPECT_EQ(Be32(b, 4), 250u);
    EXPECT_EQ(Slice(b, FindChunk(b, "SRFS"), 14), Text("SRFS\0\0\0\6Level\0"sv));
    EXPECT_EQ(Slice(b, FindChunk(b, "POLS"), 18), Text("POLS\0\0\0\x78\0\3\0\0\0\1\0\3\0\1"sv));
}

TEST(LightWave, LongIndicesAndRefusals) {
    Mesh big{std::vector<Point>(0xFF01), std::vector<TexCoord>(0xFF01), {{0, 0xFF00, 1, 1}}, {"Level"}};
    const Bytes b = WriteLightWave(big, 70);
    EXPECT_EQ(Be32(b, 4) + 8, b.size());
    EXPECT_EQ(Be32(b, FindChunk(b, "VMAP") + 4), 14 + 10 * 0xFF01 + 2);  // the last index takes four bytes
    EXPECT_EQ(Slice(b, FindChunk(b, "POLS"), 22), Text("POLS\0\0\0\016FACE\0\3\0\0\xFF\0\xFF\0\0\1"sv));
    big.points.resize(65536);
    big.triangles[0].b = 65535;
    EXPECT_NO_THROW(WriteLightWave(big, 60));
    big.triangles.push_back(big.triangles[0]);
    big.surfaces.push_back("Second");
    Mesh tooMany = big, badPoint = big, badSurface = big, badName = big;
    tooMany.points.resize(65537);
    badPoint.triangles[1].c = 65536;  // the faults lie past the first triangle and surface
    badSurface.triangles[1].surface = 0;
    badName.surfaces[1] += '\0';
    const std::pair<const Mesh*, int> refused[] = {{&tooMany, 60},    {&tooMany, 65}, {&badPoint, 60}, {&badPoint, 70},
                                                   {&badSurface, 70}, {&badName, 65}, {&big, 61}};
    for (auto [mesh, layout] : refused) EXPECT_THROW(WriteLightWave(*mesh, layout), DrosselError) << layout;
    EXPECT_NO_THROW(WriteLightWave(tooMany, 70));
}

// osgconv reads both forms; assimp 5.2 reads LWO2 only (it fails on every object
// without a LAYR chunk). Both write OBJ: we count distinct positions and faces.
TEST(LightWave, IndependentReadersLoadCube) {
    TempDir dir;
    for (auto [layout, reader] : {std::pair{60, "osgconv"}, {65, "osgconv"}, {70, "osgconv"}, {70, "assimp export"}}) {
        WriteFileBytes(dir / "cube.lwo", WriteLightWave(Cube(), layout));
        EXPECT_EQ(RunShell("cd '" + dir.path() + "' && rm -f cube.obj && " + reader +
                           " cube.lwo cube.obj >/dev/null 2>&1 && grep '^v ' cube.obj | sort -u | wc -l && "
                           "grep -c '^f ' cube.obj"),
                  "8\n12\n")
            << reader << " (from assimp-utils or openscenegraph) on layout " << layout;
    }
}

TEST(LevelExchange, RawAndPlainB3d) {
    const Bytes rwb = WriteRawTriangles(Quads(3));
    ASSERT_EQ(rwb.size(), 216u);
    EXPECT_EQ(Slice(rwb, 72, 72), Le(1.f, 10.f, 100.f, 2.f, 20.f, 200.f, 3.f, 30.f, 300.f, 3.f, 30.f, 300.f, 4.f, 40.f,
                                     400.f, 1.f, 10.f, 100.f));
    const Bytes b3d = WriteB3d(Quads(3));
    ASSERT_EQ(b3d.size(), 43u + 12 * 5 + 40 * 3);
    EXPECT_EQ(Slice(b3d, 0, 27), Text("Big3DbyVexa\x9A\x99\x99\x3FPOINTS  \5\0\0\0"sv));
    EXPECT_EQ(Slice(b3d, 87, 12), Text("POLYGONS\6\0\0\0"sv));
    EXPECT_EQ(Slice(b3d, 99 + 80, 44), Le(3, 2, 3, 4, 0, 3, 4, 0, 2, 0, /* trailer */ 0));
    LevelGeometry bad = Quads(1, {0}, {"WALL01.tga"});
    bad.quads[0].corners[2] = 9;  // the B3D with materials has points 0 to 8
    EXPECT_THROW(WriteRawTriangles(bad), DrosselError);
    EXPECT_THROW(WriteB3d(bad), DrosselError);
    EXPECT_THROW(WriteB3dWithMaterials(bad, false), DrosselError);
}

TEST(LevelExchange, B3dWithMaterials) {
    // Quads 0 and 2 are kept; the others have a special, empty or no texture name, or no index.
    LevelGeometry g = Quads(9, {0, 1, 2, 3, 4, 5, -1, 6},
                            {"WALL01.tga", "COLLISION.tga", "_DOOR_A.tga", "", "BLUEGRID02.tga", "_DOOR_FRAME.tga"});
    g.quads[0].uv[3] = 5;  // no such texture coordinate: (0, 0)
    for (bool deleteGarbage : {false, true}) {
        SCOPED_TRACE(deleteGarbage);
        const B3dWithMaterials files = WriteB3dWithMaterials(g, deleteGarbage);
        const Bytes& b = files.b3d;
        ASSERT_EQ(b.size(), 67u + 48 * 2 + 40 * 2 + 48 * 2 + (12 + 10) + (12 + 11));
        EXPECT_EQ(Slice(b, 15, 12), Text("POINTS  \x08\0\0\0"sv));
        EXPECT_EQ(Slice(b, 27 + 48, 48), deleteGarbage
                                             ? Le(-9.f, 0.f, -3.f, -9.f, 0.f, 8.f, 11.f, 0.f, -3.f, 11.f, 0.f, 8.f)
                                             : Le(2.f, 20.f, 200.f, 3.f, 30.f, 300.f, 4.f, 40.f, 400.f, 0.f, 0.f, 0.f));
        EXPECT_EQ(Slice(b, 123, 12), Text("POLYGONS\4\0\0\0"sv));
        EXPECT_EQ(Slice(b, 175, 44), Le(3, 4, 5, 6, 1, 3, 6, 7, 4, 1, /* flag */ 1));
        EXPECT_EQ(Slice(b, 219, 12), Text("TEX_UV  \x08\0\0\0"sv));
        EXPECT_EQ(Slice(b, 231 + 36, 24), Le(3, 0.f, 0.f, 4, 1.f, .5f));  // point number, u, v
        EXPECT_EQ(Slice(b, 327, b.size() - 327),
                  Text("MATERIAL\2\0\0\0\1\0\0\0\0\0\0\0\x0A\0\0\0WALL01.tga\1\0\0\0\1\0\0\0\x0B\0\0\0_DOOR_A.tga"sv));
        EXPECT_EQ(files.textureIndices, (Bytes{0, 0, 2, 0}));
        EXPECT_EQ(files.textureNames, Text("6\r\nWALL01\r\nCOLLISION\r\n_DOOR_A\r\n\r\nBLUEGRID02\r\n_DOOR_FRAME\r\n"));
    }
    const B3dWithMaterials none = WriteB3dWithMaterials(Quads(2, {0, 0}, {"COLLISION.bmp"}), true);
    EXPECT_EQ(none.b3d, Text("Big3DbyVexa\x9A\x99\x99\x3FPOINTS  \0\0\0\0POLYGONS\0\0\0\0\1\0\0\0"
                             "TEX_UV  \0\0\0\0MATERIAL\0\0\0\0"sv));
    EXPECT_TRUE(none.textureIndices.empty());
    EXPECT_EQ(none.textureNames, Text("1\r\nCOLLISION\r\n"));
}
