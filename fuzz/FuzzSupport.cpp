#include "FuzzSupport.h"

#include "DemoSounds.h"
#include "app/NullUserInterface.h"
#include "app/OpenLevel.h"
#include "io/LittleEndian.h"
#include "level/records/BulkRecords.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace drossel::fuzz {
namespace {

class Scratch {
public:
    Scratch() {
        // In memory where the system offers it: a write to disk can stall for
        // longer than the fuzzer waits for one input on a busy machine.
        const std::filesystem::path shm = "/dev/shm";
        const auto folder = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
        std::string pattern = (folder / "drossel-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a scratch folder");
        path = pattern;
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

}  // namespace

const std::string& ScratchFolder() {
    static const Scratch scratch;
    return scratch.path;
}

void EmptyFolder(const std::string& folder) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
}

std::string ScratchLevelPath() {
    return ScratchFolder() + "/level.dat";
}

const Level* OpenScratchLevel(Session& session, std::span<const std::uint8_t> dat) {
    testing::WriteFileBytes(ScratchLevelPath(), dat);
    NullUserInterface ui;
    if (OpenLevel(session, ui, ScratchLevelPath()) != OpenResult::Loaded) return nullptr;
    return &*session.level;
}

std::optional<LevelInput> SplitLevelInput(std::span<const std::uint8_t> input) {
    constexpr std::size_t kHeader = kOptionBytes + 4;
    if (input.size() < kHeader) return std::nullopt;
    const std::span<const std::uint8_t> rest = input.subspan(kHeader);
    const std::size_t datLength = std::min<std::size_t>(LoadU32(input.data() + kOptionBytes), rest.size());
    return LevelInput{OptionsOf(input[0], input[1]), rest.first(datLength), rest.subspan(datLength)};
}

Bytes JoinLevelInput(std::span<const std::uint8_t, kOptionBytes> options, std::span<const std::uint8_t> dat,
                     std::span<const std::uint8_t> raw) {
    Bytes input(kOptionBytes + 4 + dat.size() + raw.size());
    std::copy(options.begin(), options.end(), input.begin());
    StoreU32(input.data() + kOptionBytes, static_cast<std::uint32_t>(dat.size()));
    std::copy(raw.begin(), raw.end(), std::copy(dat.begin(), dat.end(), input.begin() + kOptionBytes + 4));
    return input;
}

Options OptionsOf(std::uint8_t a, std::uint8_t b) {
    constexpr std::array kImages{ImageFormat::Tga32, ImageFormat::Bmp32, ImageFormat::Tga24, ImageFormat::Bmp24};
    constexpr std::array kLayouts{60, 65, 70, kGlb};
    constexpr std::array kLevelFormats{1, 6, 7, 8};
    Options o;
    o.Image = (b & 0x40) != 0 ? ImageFormat::Png32 : kImages[a & 3];
    o.ModelLwoFormat = kLayouts[(a >> 2) & 3];
    o.CharacterLwoFormat = kLayouts[(a >> 4) & 3];
    o.WeaponLwoFormat = o.ModelLwoFormat == kGlb ? kGlb : (a & 0x40) != 0 ? 60 : 70;
    o.OneTextFile = (a & 0x80) != 0;
    o.CharacterGroup = 1 + (b & 7) % 6;  // 6: every group
    o.LevelFormat = (b & 0x80) != 0 ? kGlb : kLevelFormats[(b >> 3) & 3];
    o.DeleteGarbage = o.AllQuadsGeometry = (b & 0x20) != 0;
    return o;
}

int AddTone(testing::LevelBuilder& level, int channels) {
    const demo::AdpcmSound tone = demo::AdpcmTone(channels, 0.02);
    SoundRecord sound{};
    std::copy(tone.format.begin(), tone.format.end(), sound.format);
    sound.sampleLength = static_cast<std::uint32_t>(tone.data.size());
    sound.sampleOffset = level.AppendRaw(tone.data);
    return level.AddData("SNDD", "tone.aif", BytesOf(sound));
}

}  // namespace drossel::fuzz
