// Lists of textures to a text file of their names, with every listed texture
// beside it as a picture: a character's textures (TRMA), texture animations and
// arrays (TXAN, TXMA), and a sky (ONSK).

#include "convert/Converters.h"
#include "convert/TexturePicture.h"
#include "io/Error.h"
#include "io/LittleEndian.h"
#include "io/PathText.h"
#include "level/records/StringRecords.h"

#include <algorithm>
#include <unordered_set>

namespace drossel {
namespace {

constexpr const char* kLineEnd = "\r\n";

// The list file, then each resolved texture as a picture named by `prefix`, the
// texture's name and the image extension, placed as `place` says. Links that
// name nothing are left out of both; a texture that cannot be had is left out
// of the pictures and named in missingParts, as is one that cannot be drawn or
// written. A texture listed twice is written once. Pictures are drawn as they are written, one at a time.
Conversion TextureList(const Level& level, const Options& options, std::string text,
                       const std::vector<const ResourceRecord*>& textures, OutputPiece::Place place,
                       const std::string& prefix) {
    Conversion out;
    for (const ResourceRecord* texture : textures) {
        text.append(texture->name).append(kLineEnd);
        RequireTextSize(static_cast<std::int64_t>(text.size()));
    }
    out.pieces.push_back({.content = std::vector<std::uint8_t>(text.begin(), text.end())});
    std::unordered_set<const ResourceRecord*> listed;
    for (const ResourceRecord* texture : textures) {
        if (!listed.insert(texture).second) continue;
        std::string missing;
        try {
            const auto identifier = level.IdentifierOf(*texture);
            if (!identifier) throw DrosselError("its data lies outside " + level.datPath());
            if (const auto linked = FindLinkedTexture(level, *identifier, missing)) {
                const TextureRecord record = *linked;
                RequirePictureSize(record.width, record.height);
                ImageOutput picture{.pixels = {}, .bits = ImageBits(options.Image), .draw = [&level, record] {
                                        return ReadTexturePicture(level, record);
                                    }};
                out.pieces.push_back({place,
                                      FileNamePart(prefix + std::string(texture->name)) + ImageExtension(options.Image),
                                      false, std::move(picture), "texture " + std::string(texture->name)});
                continue;
            }
        } catch (const std::exception& e) {
            missing = e.what();
        }
        out.NoteMissing("texture " + std::string(texture->name), missing);
    }
    return out;
}

std::vector<const ResourceRecord*> Resolved(const Level& level, std::span<const std::uint32_t> links) {
    std::vector<const ResourceRecord*> found;
    for (std::uint32_t link : links) {
        // A link resolves to the resource at table index 0 like to any other.
        if (const ResourceRecord* r = level.Resolve(link)) found.push_back(r);
    }
    return found;
}

}  // namespace

Conversion ConvertTrma(const Level& level, const ResourceRecord& resource, const Options& options, Progress&) {
    const auto record = level.ReadRecord<CharacterTexturesRecord>(resource);
    // The record holds room for more links than a character uses; more than
    // that count are not looked at.
    const int count = std::clamp<int>(record.count, 0, kMaxCharacterTextures);
    return TextureList(level, options, "", Resolved(level, std::span(record.textures, static_cast<std::size_t>(count))),
                       OutputPiece::Place::ChosenStem, "_");
}

Conversion ConvertTextureList(const Level& level, const ResourceRecord& resource, const Options& options, Progress&) {
    const auto header = level.ReadRecord<ListHeader>(resource);
    const auto bytes = level.ReadData(resource, sizeof header + 4 * std::int64_t{header.count});
    std::vector<std::uint32_t> links;
    for (std::size_t at = sizeof header; at < bytes.size(); at += 4) {
        if (const std::uint32_t link = LoadU32(bytes.data() + at); link != 0) links.push_back(link);
    }
    // Textures go beside the list file.
    return TextureList(level, options, std::to_string(header.count) + kLineEnd, Resolved(level, links),
                       OutputPiece::Place::BesideChosen, "");
}

Conversion ConvertOnsk(const Level& level, const ResourceRecord& resource, const Options& options, Progress&) {
    const auto record = level.ReadRecord<SkyRecord>(resource);
    std::vector<std::uint32_t> links;
    for (std::uint32_t link : record.textures) {
        if (link > 1) links.push_back(link);  // 0 and 1 name no texture
    }
    return TextureList(level, options, "", Resolved(level, links), OutputPiece::Place::ChosenStem, "_");
}

}  // namespace drossel
