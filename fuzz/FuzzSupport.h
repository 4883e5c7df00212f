#pragma once
// What the fuzz targets and their seed maker share: a scratch folder per
// process for the files a harness writes, the one input layout of
// convert_fuzz, which packs a level pair and the conversion options together,
// and the sounds their levels hold.

#include "LevelBuilder.h"
#include "app/Session.h"
#include "convert/Options.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace drossel::fuzz {

using Bytes = std::vector<std::uint8_t>;

// A folder of this process's own, in memory (/dev/shm) where there is one, else
// under the temporary folder; made on first use and removed when the process ends.
const std::string& ScratchFolder();
// Makes `folder` exist and hold nothing.
void EmptyFolder(const std::string& folder);

// The scratch folder's level.dat: `dat` written there and opened as the
// programs open a level; nothing when the loader refuses it.
std::string ScratchLevelPath();
const Level* OpenScratchLevel(Session& session, std::span<const std::uint8_t> dat);

// A convert_fuzz input: two option bytes, the .dat length (u32, little-endian),
// the .dat bytes, then the .raw bytes. A length past the end takes all that is left.
inline constexpr std::size_t kOptionBytes = 2;
struct LevelInput {
    Options options;
    std::span<const std::uint8_t> dat;
    std::span<const std::uint8_t> raw;
};
std::optional<LevelInput> SplitLevelInput(std::span<const std::uint8_t> input);
Bytes JoinLevelInput(std::span<const std::uint8_t, kOptionBytes> options, std::span<const std::uint8_t> dat,
                     std::span<const std::uint8_t> raw);

// The conversion options two bytes choose: every image format, LightWave
// layout, character group and level format, and the two flags.
Options OptionsOf(std::uint8_t a, std::uint8_t b);

// Adds a sound of a short ADPCM tone on one channel or two; returns its index.
int AddTone(testing::LevelBuilder& level, int channels);

}  // namespace drossel::fuzz
