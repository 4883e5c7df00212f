// A large texture: six textures, named by identifier, laid out as a picture of
// 640 x 512 pixels in two rows of three tiles. The game's large textures are
// 640 x 480, so the lower tiles are usually shorter than their cells; what a tile
// does not cover stays black.

#include "container/BinaryFile.h"
#include "container/Error.h"
#include "container/OutputFile.h"
#include "container/PathText.h"
#include "container/RoutineFailure.h"
#include "container/Session.h"
#include "container/UserInterface.h"
#include "image/ImageConverters.h"
#include "image/ImageFile.h"
#include "image/LinkedTexture.h"

#include <array>

namespace drossel {
namespace {

constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 512;
constexpr std::int64_t kRecordSize = 64;
constexpr std::size_t kFirstTileAt = 32;

struct Cell {
    int left, top, width, height;
};
constexpr std::array<Cell, 6> kCells{{
    {0, 0, 256, 256},
    {256, 0, 256, 256},
    {512, 0, 128, 256},
    {0, 256, 256, 256},
    {256, 256, 256, 256},
    {512, 256, 128, 256},
}};

}  // namespace

void ConvertTxmb(Session& session, UserInterface& ui, std::string& outputPath) {
    const ResourceRecord* record = session.Selected();
    if (record == nullptr) return;
    ui.SetStatusText("Status: Converting " + record->name);
    RunReported(ui, "Cannot convert large texture " + record->name, [&] {
        RefusePlaceholder(*record);
        PixelBuffer picture(kPictureWidth, kPictureHeight);
        std::string missingTiles;
        {
            BinaryFile dat(session.datPath);
            const auto links = dat.ReadBytes(record->dataOffset, kRecordSize);
            for (std::size_t t = 0; t < kCells.size(); ++t) {
                std::string missing;
                const auto tile = ReadLinkedTexture(session, dat, U32At(links, kFirstTileAt + 4 * t), missing);
                const Cell& c = kCells[t];
                if (tile) {
                    picture.CopyInto(*tile, c.left, c.top, c.width, c.height);
                } else {
                    missingTiles += (missingTiles.empty() ? "" : "; ") + std::string("tile ") + std::to_string(t + 1) +
                                    " is missing (" + missing + ")";
                }
            }
        }
        // A large texture is a backdrop: it is opaque whatever its tiles' alpha says.
        picture.MakeOpaque();

        if (outputPath.empty()) {
            const std::string chosen =
                ui.AskSavePath({"Unpack resource...", record->name, "TARGA (*.tga)|*.tga|Bitmap (*.bmp)|*.bmp"});
            if (chosen.empty()) return;
            outputPath = chosen;
        }
        // The Textures option decides the picture's type, whatever name was typed.
        outputPath = StripExtension(outputPath) + session.ImageExtension;
        std::vector<std::uint8_t> bytes;
        if (session.ImageExtension == ".bmp")
            bytes = EncodeBmp(picture, session.ImageBits);
        else if (session.ImageExtension == ".tga")
            bytes = EncodeTga(picture, session.ImageBits);
        else
            throw DrosselError("the image type \"" + session.ImageExtension + "\" is neither .bmp nor .tga");
        WriteFileAtomically(outputPath, bytes);
        ui.FileWritten(outputPath);
        if (!missingTiles.empty()) ui.SetStatusText("Status: " + record->name + ": " + missingTiles);
    });
}

}  // namespace drossel
