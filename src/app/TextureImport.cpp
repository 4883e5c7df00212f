#include "app/TextureImport.h"

#include "app/CommandShell.h"
#include "app/SelectionRules.h"
#include "app/Session.h"
#include "app/UserInterface.h"
#include "convert/TexturePicture.h"
#include "image/ImageDecode.h"
#include "image/TextureDecode.h"
#include "image/TextureEncode.h"
#include "io/BinaryFile.h"
#include "io/Error.h"
#include "io/PathText.h"
#include "level/InPlaceEdit.h"

#include <algorithm>
#include <vector>

namespace drossel {
namespace {

// No picture file a texture can take is larger: the largest picture, four bytes
// a pixel, and room for headers.
constexpr std::int64_t kMaxPictureFileBytes = kMaxPicturePixels * 4 + (1 << 20);

// The bytes one texture gets.
struct TextureWrite {
    std::int32_t index;  // the texture's
    TextureRecord record;
    std::vector<std::uint8_t> pixels;
};

std::string FormatName(std::uint32_t format) {
    switch (format) {
        case 0:
            return "ARGB 4-4-4-4";
        case 1:
        case 2:
            return "ARGB 1-5-5-5";
        case 8:
            return "32-bit";
        default:
            return "DXT1";
    }
}

std::string SizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// The texture's pixels for `picture`, which must be the texture's size.
TextureWrite Encoded(const Level& level, const ResourceRecord& resource, const TextureRecord& texture,
                     const PixelBuffer& picture) {
    const auto length = DecodedTextureLength(texture.width, texture.height, texture.format);  // names a bad format
    if (picture.width() != texture.width || picture.height() != texture.height) {
        throw DrosselError("the picture is " + SizeText(picture.width(), picture.height()) + " pixels, the texture " +
                           SizeText(texture.width, texture.height) + ": it must be the texture's size");
    }
    level.RequireRaw(texture.pixelOffset, length);
    std::vector<std::uint8_t> current;
    if (texture.format == 8) {
        // Its padding bytes stay as they are.
        current.resize(static_cast<std::size_t>(length));
        level.ReadRaw(texture.pixelOffset, current);
    }
    const auto index = static_cast<std::int32_t>(&resource - level.table().records.data());
    return {index, texture, EncodeTexture(picture, texture.format, current)};
}

// A large texture's picture into its tiles: each tile's own picture with the
// part its cell shows replaced, colours only (conversion makes the large
// picture opaque, so its alpha says nothing).
std::vector<TextureWrite> Tiles(const Level& level, const ResourceRecord& resource, const PixelBuffer& picture,
                                UserInterface& ui) {
    if (picture.width() != kLargeTextureWidth || picture.height() != kLargeTextureHeight) {
        throw DrosselError("the picture is " + SizeText(picture.width(), picture.height()) +
                           " pixels, a large texture " + SizeText(kLargeTextureWidth, kLargeTextureHeight) +
                           ": it must be that size");
    }
    const auto record = level.ReadRecord<LargeTextureRecord>(resource);
    std::vector<TextureWrite> writes;
    for (std::size_t t = 0; t < kLargeTextureCells.size(); ++t) {
        // A texture two cells show takes the first one's pixels.
        if (std::find(record.tiles, record.tiles + t, record.tiles[t]) != record.tiles + t) continue;
        std::string missing;
        const auto tile = FindLinkedTexture(level, record.tiles[t], missing);
        if (!tile) {
            ui.Warn(std::string(resource.name) + ": tile " + std::to_string(t + 1) + " is left out: " + missing);
            continue;
        }
        const Cell& cell = kLargeTextureCells[t];
        PixelBuffer own = ReadTexturePicture(level, *tile);
        for (int y = 0; y < std::min(cell.height, own.height()); ++y) {
            for (int x = 0; x < std::min(cell.width, own.width()); ++x) {
                const Bgra p = picture.GetFromTop(cell.left + x, cell.top + y);
                own.SetFromTop(x, y, {p.blue, p.green, p.red, own.GetFromTop(x, y).alpha});
            }
        }
        writes.push_back(Encoded(level, *level.Resolve(record.tiles[t]), *tile, own));
    }
    if (writes.empty()) throw DrosselError("none of its tiles is a texture of this level file");
    return writes;
}

// Every texture's pixels, all or none.
void WriteAll(const Level& level, std::vector<TextureWrite>& writes) {
    InPlaceEdit edit(level, writes.front().index);
    for (TextureWrite& w : writes) {
        if (&w != &writes.front()) edit.AddResource(w.index);
        edit.IntoSlot(0, std::move(w.pixels));
    }
    edit.Commit();
}

}  // namespace

FileDialogRequest TexturePictureRequest() {
    return {"Select picture file...", "", "Pictures (*.png;*.tga;*.bmp)|*.png;*.tga;*.bmp|All Files (*.*)|*.*"};
}

std::optional<std::int32_t> TextureToReplace(const Session& session, UserInterface& ui) {
    const auto index = SelectedForTool(session, ui, kTextureImportTags, kNotATextureToReplace);
    if (index && session.level->at(*index).tag == "KeyI") {
        ui.ShowMessage(kKeyIconsNotReplaced, kProgramTitle, MessageIcon::Critical);
        return std::nullopt;
    }
    return index;
}

bool ReplaceTexture(const Level& level, std::int32_t index, const std::string& picturePath, UserInterface& ui) {
    const ResourceRecord& resource = level.at(index);
    std::string done;
    try {
        if (resource.IsPlaceholder()) throw DrosselError(PlaceholderReason());
        const PixelBuffer picture = DecodeImageFile(ReadWholeFile(picturePath, kMaxPictureFileBytes));
        std::vector<TextureWrite> writes;
        if (resource.tag == "TXMB") {
            writes = Tiles(level, resource, picture, ui);
        } else {
            writes.push_back(Encoded(level, resource, level.ReadRecord<TextureRecord>(resource), picture));
        }
        std::size_t bytes = 0;
        for (const TextureWrite& w : writes) bytes += w.pixels.size();
        WriteAll(level, writes);
        done = resource.tag == "TXMB"
                   ? std::to_string(writes.size()) + " tiles, " + std::to_string(bytes) + " bytes"
                   : std::to_string(bytes) + " bytes, " + SizeText(picture.width(), picture.height()) + " " +
                         FormatName(writes[0].record.format);
    } catch (const std::exception& e) {
        ui.ShowMessage(
            "Cannot replace " + std::string(resource.name) + " with " + FileNameOf(picturePath) + ": " + e.what(),
            kProgramTitle, MessageIcon::Critical);
        return false;
    }
    ui.SetStatusText("Status: Replaced " + std::string(resource.name) + " with " + FileNameOf(picturePath) + " (" +
                     done + ")");
    return true;
}

}  // namespace drossel
