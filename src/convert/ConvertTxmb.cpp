// A large texture: six textures, named by identifier, laid out as a picture of
// 640 x 512 pixels in two rows of three tiles. The game's large textures are
// 640 x 480, so the lower tiles are usually shorter than their cells; what a tile
// does not cover stays black.

#include "convert/Converters.h"
#include "convert/TexturePicture.h"

namespace drossel {

Conversion ConvertTxmb(const Level& level, const ResourceRecord& resource, const Options& options, Progress&) {
    const auto record = level.ReadRecord<LargeTextureRecord>(resource);
    Conversion out;
    PixelBuffer picture(kLargeTextureWidth, kLargeTextureHeight);
    for (std::size_t t = 0; t < kLargeTextureCells.size(); ++t) {
        std::string missing;
        // Each tile is decoded into its cell in turn: only the rows the cell shows are read.
        if (const auto tile = FindLinkedTexture(level, record.tiles[t], missing)) {
            DrawTexture(level, *tile, picture, kLargeTextureCells[t]);
        } else {
            out.NoteMissing("tile " + std::to_string(t + 1), missing);
        }
    }
    // A large texture is a backdrop: it is opaque whatever its tiles' alpha says.
    picture.MakeOpaque();
    // The Textures option decides the picture's type, whatever name was typed.
    out.pieces.push_back({OutputPiece::Place::ChosenStem, ImageExtension(options.Image), false,
                          ImageOutput{std::move(picture), ImageBits(options.Image)}});
    return out;
}

}  // namespace drossel
