// Key icons: ten textures, named by identifier, side by side in one strip 32
// pixels high, always written at 24 bits. An icon lower than the strip keeps its
// first row at the top; what it does not cover stays black.

#include "container/BinaryFile.h"
#include "container/OutputFile.h"
#include "container/PathText.h"
#include "container/RoutineFailure.h"
#include "container/Session.h"
#include "container/UserInterface.h"
#include "image/ImageConverters.h"
#include "image/ImageFile.h"
#include "image/LinkedTexture.h"

#include <optional>
#include <vector>

namespace drossel {
namespace {

constexpr int kStripHeight = 32;
constexpr int kIconCount = 10;
constexpr int kMissingIconWidth = 32;  // keeps the icons after a missing one in their places
constexpr std::int64_t kRecordSize = 64;
constexpr std::size_t kFirstIconAt = 8;
constexpr int kStripBits = 24;

}  // namespace

void ConvertKeyI(Session& session, UserInterface& ui, std::string& outputPath) {
    const ResourceRecord* record = session.Selected();
    if (record == nullptr) return;
    RunReported(ui, "Cannot convert key icons " + record->name, [&] {
        RefusePlaceholder(*record);
        std::vector<std::optional<PixelBuffer>> icons;
        std::string missingIcons;
        {
            BinaryFile dat(session.datPath);
            const auto links = dat.ReadBytes(record->dataOffset, kRecordSize);
            for (int i = 0; i < kIconCount; ++i) {
                std::string missing;
                icons.push_back(ReadLinkedTexture(session, dat, U32At(links, kFirstIconAt + 4 * i), missing));
                if (!icons.back()) {
                    missingIcons += (missingIcons.empty() ? "" : "; ") + std::string("icon ") + std::to_string(i + 1) +
                                    " is missing (" + missing + ")";
                }
            }
        }
        if (outputPath.empty()) {
            const std::string chosen = ui.AskSavePath({"Unpack resource...", StripExtension(record->name) + ".tga",
                                                       "TARGA (*.tga)|*.tga|Bitmap (*.bmp)|*.bmp"});
            if (chosen.empty()) return;
            outputPath = chosen;
        }
        const ImageContainer container = ContainerOfPath(outputPath);
        if (container == ImageContainer::None) return;

        int width = 0;
        for (const auto& icon : icons) width += icon ? icon->width() : kMissingIconWidth;
        PixelBuffer strip(width, kStripHeight);
        int left = 0;
        for (const auto& icon : icons) {
            if (icon) strip.CopyInto(*icon, left, 0, icon->width(), kStripHeight);
            left += icon ? icon->width() : kMissingIconWidth;
        }
        const auto bytes =
            container == ImageContainer::Bmp ? EncodeBmp(strip, kStripBits) : EncodeTga(strip, kStripBits);
        WriteFileAtomically(outputPath, bytes);
        ui.FileWritten(outputPath);
        if (!missingIcons.empty()) ui.SetStatusText("Status: " + record->name + ": " + missingIcons);
    });
}

}  // namespace drossel
