#include "container/BinaryFile.h"
#include "container/RoutineFailure.h"
#include "container/Session.h"
#include "container/UserInterface.h"
#include "image/ImageConverters.h"
#include "image/ImageFile.h"
#include "image/TextureRecord.h"

namespace drossel {

void ConvertTxmp(Session& session, UserInterface& ui, std::string& outputPath) {
    const ResourceRecord* record = session.Selected();
    if (record == nullptr) return;
    ui.SetStatusText("Status: Converting " + record->name);
    RunReported(ui, "Cannot convert texture " + record->name, [&] {
        RefusePlaceholder(*record);
        // Decoded before the dialog: a texture that cannot be converted is
        // reported before anyone picks a file name for it.
        PixelBuffer picture;
        {
            BinaryFile dat(session.datPath);
            picture = ReadTexturePicture(session.rawPath, ReadTextureRecord(dat, *record));
        }
        if (outputPath.empty()) {
            const std::string chosen =
                ui.AskSavePath({"Save Texture to BMP/TGA File...", record->name,
                                "Windows Bitmap (*.bmp)|*.bmp|TGA Files (*.tga)|*.tga|All Files (*.*)|*.*"});
            if (chosen.empty()) return;
            outputPath = chosen;
        }
        WriteImageFile(ui, outputPath, picture, session.ImageBits);
    });
}

}  // namespace drossel
