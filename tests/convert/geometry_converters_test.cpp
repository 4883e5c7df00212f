// Models, characters, weapons and levels, gathered as the exporters gather them.

#include "Fixture.h"
#include "convert/Converters.h"
#include "convert/ModelGeometry.h"
#include "level/records/LevelRecords.h"
#include "level/records/ModelRecords.h"

#include <gtest/gtest.h>

using namespace drossel;
using namespace drossel::testing;

namespace {

constexpr std::int32_t Marked(std::int32_t v) {
    return static_cast<std::int32_t>(0x80000000u | static_cast<std::uint32_t>(v));
}

std::vector<std::array<std::uint32_t, 3>> Corners(const std::vector<Triangle>& triangles) {
    std::vector<std::array<std::uint32_t, 3>> out;
    for (const Triangle& t : triangles) out.push_back({t.a, t.b, t.c});
    return out;
}

}  // namespace

TEST(DecodeStrips, StripsAlternateAndThreeValueStripsSwitchToSeparateTriangles) {
    using Corners3 = std::vector<std::array<std::uint32_t, 3>>;
    EXPECT_EQ(Corners(DecodeStrips({{Marked(0), 1, 2, 3, Marked(4), 5, 6}}, 3, FlatStreamEnd::Padded)),
              (Corners3{{0, 1, 2}, {2, 1, 3}, {4, 5, 6}}));
    EXPECT_EQ(Corners(DecodeStrips({{Marked(7), 8, 9, Marked(10), 11, 12}}, 2, FlatStreamEnd::Plain)),
              (Corners3{{7, 8, 9}, {10, 11, 12}}));
    // More triangles counted than the strips give: the rest are (0, 0, 0).
    EXPECT_EQ(Corners(DecodeStrips({{Marked(7), 8, 9, Marked(10), 11, 12}}, 4, FlatStreamEnd::Padded)),
              (Corners3{{7, 8, 9}, {10, 11, 12}, {0, 0, 0}, {0, 0, 0}}));
    // A list that does not begin with a marked value is read as a strip, and ends.
    EXPECT_EQ(Corners(DecodeStrips({{5, 6, 7, 8}}, 2, FlatStreamEnd::Padded)), (Corners3{{5, 6, 7}, {7, 6, 8}}));
    EXPECT_EQ(DecodeStrips({}, 0, FlatStreamEnd::Padded).size(), 0u);
}
