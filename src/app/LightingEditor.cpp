#include "app/LightingEditor.h"

#include "io/Error.h"
#include "level/InPlaceEdit.h"
#include "level/Level.h"
#include "level/records/LevelRecords.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstring>

namespace drossel {
namespace {

constexpr std::size_t kColoursAt = offsetof(Quad, colours);
constexpr std::array<const char*, 4> kColourByteNames = {"blue", "green", "red", "fourth byte"};

}  // namespace

LightingEditor::LightingEditor(const Level& level, std::int32_t index) : index_(index) {
    const FilesOpenForCommand files(level);
    const ResourceRecord& list = level.at(index);
    if (list.IsPlaceholder()) throw DrosselError(PlaceholderReason());
    quadCount_ = level.ReadRecord<ListHeader>(list).count;
    if (quadCount_ == 0) throw DrosselError(std::string(list.name) + " holds no quads to light");
    data_ = level.ReadData(list, sizeof(ListHeader) + std::int64_t{sizeof(Quad)} * quadCount_);
}

std::size_t LightingEditor::ColoursAt(std::uint32_t quad) const {
    if (quad >= quadCount_) throw DrosselError("there is no quad " + std::to_string(quad));
    return sizeof(ListHeader) + sizeof(Quad) * quad + kColoursAt;
}

QuadColours LightingEditor::Colours(std::uint32_t quad) const {
    QuadColours colours;
    std::memcpy(colours.data(), data_.data() + ColoursAt(quad), kColourBytes);
    return colours;
}

void LightingEditor::Changed(std::uint32_t first, std::uint32_t last) {
    firstChanged_ = std::min(firstChanged_, first);
    lastChanged_ = lastChanged_ ? std::max(*lastChanged_, last) : last;
}

void LightingEditor::Apply(std::uint32_t quad, const QuadColours& colours) {
    std::memcpy(data_.data() + ColoursAt(quad), colours.data(), kColourBytes);
    Changed(quad, quad);
}

void LightingEditor::ApplyCornerToAll(int corner, const QuadColours& colours) {
    if (corner < 1 || corner > kCornerColours) throw DrosselError("there is no colour " + std::to_string(corner));
    const std::size_t at = 4 * static_cast<std::size_t>(corner - 1);
    for (std::uint32_t q = 0; q < quadCount_; ++q)
        std::memcpy(data_.data() + ColoursAt(q) + at, colours.data() + at, 4);
    Changed(0, quadCount_ - 1);
}

void LightingEditor::ApplyToAll(const QuadColours& colours) {
    for (std::uint32_t q = 0; q < quadCount_; ++q) Apply(q, colours);
}

void LightingEditor::Save(const Level& level) const {
    try {
        InPlaceEdit edit(level, index_);
        if (lastChanged_) {
            // From the first changed colour to the last: one quad's 16 colour bytes when one changed.
            const std::size_t begin = ColoursAt(firstChanged_), end = ColoursAt(*lastChanged_) + kColourBytes;
            edit.IntoRecord(static_cast<std::int64_t>(begin), {data_.begin() + static_cast<std::ptrdiff_t>(begin),
                                                               data_.begin() + static_cast<std::ptrdiff_t>(end)});
        }
        edit.Commit();
    } catch (const std::exception&) {
        RethrowWithContext("Cannot save the lights of " + std::string(level.at(index_).name));
    }
}

std::string LightingEditor::FileNameText(const Level& level) const {
    return "File name: " + std::string(level.at(index_).name) + ".AGQG";
}

std::string LightingEditor::DataPositionText(const Level& level) const {
    return std::to_string(level.at(index_).dataOffset + 1);
}

std::string LightingEditor::QuadText(std::uint32_t quad) const {
    return "Light Data: " + std::to_string(quad) + " of " + std::to_string(quadCount_ - 1);
}

std::optional<std::uint8_t> ColourByte(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value > 255) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

std::optional<std::string> ReadColourTexts(std::span<const std::string, kColourBytes> texts, std::size_t first,
                                           std::size_t count, QuadColours& colours) {
    QuadColours read = colours;
    for (std::size_t box = first; box < first + count && box < kColourBytes; ++box) {
        const auto byte = ColourByte(texts[box]);
        if (!byte) {
            return "Colour " + std::to_string(box / 4 + 1) + ", " + kColourByteNames[box % 4] + ": \"" + texts[box] +
                   "\" is not a whole number from 0 to 255. Nothing was changed.";
        }
        read[box] = *byte;
    }
    colours = read;
    return std::nullopt;
}

}  // namespace drossel
