#include "container/BinaryFile.h"
#include "container/ResourceTable.h"
#include "extract/Unpack.h"
#include "extract/UnpackSteps.h"
#include "image/TextureRecord.h"

#include <cstring>

namespace drossel {

std::int64_t UnpackedPixelLength(std::int64_t width, std::int64_t height, std::uint32_t format) {
    if (width <= 0 || height <= 0) return 0;
    switch (format) {
        case 0:
        case 1:
        case 2:
            return width * height * 2;
        case 8:
            return width * height * 4;
        case 9:
            return width * height / 2;
        default:
            return 0;
    }
}

// The 192-byte texture record, then the pixel data in its stored form.
void UnpackTxmp(Session& session, UserInterface& ui, std::string& outputPath) {
    RunUnpack(
        session, ui, outputPath, [](const ResourceRecord& r) { return r.name + ".txmp"; },
        [](const Session& s, BinaryFile& dat, const ResourceRecord& r) {
            std::vector<std::uint8_t> bytes = dat.ReadBytes(r.dataOffset, kTextureRecordSize);
            TextureRecord texture;
            std::memcpy(&texture, bytes.data(), sizeof texture);
            AppendRawData(s, bytes, texture.pixelOffset,
                          UnpackedPixelLength(texture.width, texture.height, texture.format));
            return bytes;
        });
}

}  // namespace drossel
