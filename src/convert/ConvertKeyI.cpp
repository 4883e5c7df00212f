// Key icons: ten textures, named by identifier, side by side in one strip 32
// pixels high, always written at 24 bits. An icon lower than the strip keeps its
// first row at the top; what it does not cover stays black.

#include "convert/Converters.h"
#include "convert/TexturePicture.h"

#include <optional>
#include <vector>

namespace drossel {
namespace {

constexpr int kStripHeight = 32;
constexpr int kMissingIconWidth = 32;  // keeps the icons after a missing one in their places
constexpr int kStripBits = 24;

}  // namespace

Conversion ConvertKeyI(const Level& level, const ResourceRecord& resource, const Options&, Progress&) {
    const auto record = level.ReadRecord<KeyIconsRecord>(resource);
    Conversion out;
    std::vector<std::optional<TextureRecord>> icons;
    int width = 0;
    for (std::size_t i = 0; i < std::size(record.icons); ++i) {
        std::string missing;
        icons.push_back(FindLinkedTexture(level, record.icons[i], missing));
        if (!icons.back()) out.NoteMissing("icon " + std::to_string(i + 1), missing);
        width += icons.back() ? icons.back()->width : kMissingIconWidth;
    }
    // Each icon is decoded into the strip in turn: only its top rows are read.
    PixelBuffer strip(width, kStripHeight);
    int left = 0;
    for (const auto& icon : icons) {
        const int iconWidth = icon ? icon->width : kMissingIconWidth;
        if (icon) DrawTexture(level, *icon, strip, {left, 0, iconWidth, kStripHeight});
        left += iconWidth;
    }
    out.pieces.push_back({.content = ImageOutput{std::move(strip), kStripBits}});
    return out;
}

}  // namespace drossel
