#include "image/LinkedTexture.h"

#include "container/Error.h"
#include "container/RoutineFailure.h"
#include "container/Session.h"
#include "image/TextureRecord.h"

namespace drossel {

std::optional<PixelBuffer> ReadLinkedTexture(const Session& session, BinaryFile& dat, std::uint32_t identifier,
                                             std::string& missing) {
    const ResourceRecord* target = session.table.Resolve(identifier);
    if (target == nullptr) {
        missing = "no resource has identifier " + std::to_string(identifier);
        return std::nullopt;
    }
    if (target->tag != "TXMP") {
        missing = target->name + " is not a texture";
        return std::nullopt;
    }
    if (IsPlaceholder(*target)) {
        missing = target->name + " has no data in this level file";
        return std::nullopt;
    }
    try {
        return ReadTexturePicture(session.rawPath, ReadTextureRecord(dat, *target));
    } catch (const DrosselError&) {
        RethrowWithContext("texture " + target->name);
    }
}

}  // namespace drossel
