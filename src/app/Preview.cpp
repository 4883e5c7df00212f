#include "app/Preview.h"

#include "image/TextureDecode.h"
#include "io/Error.h"
#include "io/LittleEndian.h"
#include "io/PathText.h"
#include "kinds/KindTable.h"
#include "level/Level.h"
#include "level/records/TextureRecords.h"
#include "sound/Wav.h"
#include "text/Windows1252.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace drossel {
namespace {

std::string SizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

PixelBuffer PictureOf(ImageOutput& image) {
    return image.draw ? image.draw() : std::move(image.pixels);
}

void ShowPicture(Preview& p, const Level& level, const ResourceRecord& r, Conversion& c, const PreviewLimits& limits) {
    for (OutputPiece& piece : c.pieces) {
        auto* image = std::get_if<ImageOutput>(&piece.content);
        if (image == nullptr) continue;
        PixelBuffer picture = PictureOf(*image);
        p.facts = SizeText(picture.width(), picture.height());
        if (r.tag == "TXMP") p.facts += ", " + TextureFormatName(level.ReadRecord<TextureRecord>(r).format);
        if (std::max(picture.width(), picture.height()) > limits.pictureSide) {
            picture = ShrunkPicture(std::move(picture), limits.pictureSide);
            p.facts += ", shown at " + SizeText(picture.width(), picture.height());
        }
        p.content = std::move(picture);
        return;
    }
}

void ShowPictures(Preview& p, Conversion& c, const PreviewLimits& limits) {
    std::vector<NamedPicture> pictures;
    std::size_t listed = 0;
    for (OutputPiece& piece : c.pieces) {
        auto* image = std::get_if<ImageOutput>(&piece.content);
        if (image == nullptr) continue;
        // One picture at a time is drawn whole, then only its shrunk copy is kept.
        if (++listed <= limits.listPictures)
            pictures.push_back({StripExtension(piece.name), ShrunkPicture(PictureOf(*image), limits.listPictureSide)});
    }
    p.facts = listed == pictures.size()
                  ? std::to_string(listed) + (listed == 1 ? " picture" : " pictures")
                  : "the first " + std::to_string(pictures.size()) + " of " + std::to_string(listed) + " pictures";
    p.content = std::move(pictures);
}

void ShowSound(Preview& p, const Conversion& c) {
    PreviewSound sound = SoundOfWav(std::get<std::vector<std::uint8_t>>(c.pieces.front().content), p.problem);
    p.facts = SoundFactsText(sound);
    p.content = std::move(sound);
}

void ShowText(Preview& p, const Conversion& c, const PreviewLimits& limits) {
    const auto& bytes = std::get<std::vector<std::uint8_t>>(c.pieces.front().content);
    const std::size_t shown = std::min(bytes.size(), limits.textBytes);
    std::string text = Utf8FromWindows1252(std::string_view(reinterpret_cast<const char*>(bytes.data()), shown));
    std::erase(text, '\r');
    const auto lines = std::count(text.begin(), text.end(), '\n') + (text.empty() || text.back() == '\n' ? 0 : 1);
    p.facts = std::to_string(lines) + (lines == 1 ? " line" : " lines");
    if (shown < bytes.size())
        p.facts = "the first " + std::to_string(shown) + " of " + std::to_string(bytes.size()) + " bytes";
    p.content = std::move(text);
}

void ShowScenes(Preview& p, std::vector<ResourceScene> scenes) {
    if (scenes.empty()) return;
    p.facts = SceneFactsText(scenes.front());
    p.content = std::move(scenes);
}

std::string Counted(std::size_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

Preview PreviewOf(const Level& level, std::int32_t index, const Options& options, const PreviewLimits& limits) {
    const FilesOpenForCommand files(level);
    const ResourceRecord& r = level.at(index);
    Preview p;
    p.index = index;
    p.title = std::string(r.name) + " (" + r.tag.str() + ")";
    p.info.push_back(ResourceNumberField(index));
    for (InfoField& field : ResourceInfoFields(r, level.RawSlotOf(r))) p.info.push_back(std::move(field));
    const Kind& kind = KindOf(r.tag);
    const bool scene = kind.preview == PreviewKind::Scene;
    if (kind.preview == PreviewKind::Info || (scene ? kind.scenes == nullptr : kind.convert == nullptr)) return p;
    if (r.IsPlaceholder()) {
        p.problem = "Nothing to show: " + PlaceholderReason();
        return p;
    }
    // Texts go to a file of their own, never into the collective one.
    Options own = options;
    own.OneTextFile = false;
    try {
        Conversion c;
        if (scene) {
            ShowScenes(p, kind.scenes(level, r, own, c));
        } else {
            c = kind.convert(level, r, own, NoProgress());
            if (c.pieces.empty()) {
                p.problem = "Nothing to show: " + c.nothingToWrite;
                return p;
            }
            switch (kind.preview) {
                case PreviewKind::Picture:
                    ShowPicture(p, level, r, c, limits);
                    break;
                case PreviewKind::Pictures:
                    ShowPictures(p, c, limits);
                    break;
                case PreviewKind::Sound:
                    ShowSound(p, c);
                    break;
                case PreviewKind::Text:
                    ShowText(p, c, limits);
                    break;
                case PreviewKind::Info:
                case PreviewKind::Scene:
                    break;
            }
        }
        if (p.content.index() != 0) p.kind = kind.preview;
        if (!c.missingParts.empty()) p.problem = "Incomplete: " + c.missingParts;
    } catch (const std::exception& e) {
        p.problem = std::string("Cannot be shown: ") + e.what();
    }
    return p;
}

SceneCounts CountsOf(const Scene& scene) {
    SceneCounts counts{.nodes = scene.nodes.size()};
    for (const SceneNode& node : scene.nodes) {
        if (node.mesh < 0 || static_cast<std::size_t>(node.mesh) >= scene.meshes.size()) continue;
        const SceneMesh& mesh = scene.meshes[static_cast<std::size_t>(node.mesh)];
        if (mesh.triangles.empty()) continue;
        counts.triangles += mesh.triangles.size();
        counts.vertices += mesh.positions.size();
    }
    for (const SceneMaterial& material : scene.materials)
        if (material.texture != nullptr && material.texture->width() > 0) ++counts.texturedMaterials;
    return counts;
}

std::string SceneFactsText(const ResourceScene& s) {
    const SceneCounts c = CountsOf(s.scene);
    return (s.part.empty() ? "" : s.part + ": ") + Counted(c.nodes, "node", "nodes") + ", " +
           Counted(c.triangles, "triangle", "triangles") + ", " + Counted(c.vertices, "vertex", "vertices") + ", " +
           Counted(c.texturedMaterials, "textured material", "textured materials");
}

PixelBuffer ShrunkPicture(PixelBuffer picture, int side) {
    const int w = picture.width(), h = picture.height();
    if (side <= 0 || std::max(w, h) <= side) return picture;
    const double scale = static_cast<double>(side) / std::max(w, h);
    const int sw = std::max(1, static_cast<int>(w * scale)), sh = std::max(1, static_cast<int>(h * scale));
    PixelBuffer out(sw, sh, PixelBuffer::Unfilled{});
    for (int y = 0; y < sh; ++y) {
        const int fromY = static_cast<int>(static_cast<std::int64_t>(y) * h / sh);
        for (int x = 0; x < sw; ++x)
            out.SetFromTop(x, y, picture.GetFromTop(static_cast<int>(static_cast<std::int64_t>(x) * w / sw), fromY));
    }
    return out;
}

PreviewSound SoundOfWav(std::span<const std::uint8_t> wav, std::string& problem) {
    if (!HasFixedWavLayout(wav)) throw DrosselError("its WAV file has no format description");
    PreviewSound sound;
    sound.format = WavFormatName(LoadU16(wav.data() + kWavFormatAt));
    sound.channels = LoadU16(wav.data() + kWavFormatAt + 2);
    sound.sampleRate = static_cast<int>(LoadU32(wav.data() + kWavFormatAt + 4));
    try {
        sound.pcm = DecodeWav(wav);
        const auto channels = static_cast<std::size_t>(std::max(sound.pcm.channels, 1));
        if (sound.pcm.sampleRate > 0)
            sound.seconds = static_cast<double>(sound.pcm.samples.size() / channels) / sound.pcm.sampleRate;
    } catch (const std::exception& e) {
        problem = std::string("The sound cannot be decoded: ") + e.what();
    }
    return sound;
}

std::string SoundFactsText(const PreviewSound& s) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f s", s.seconds);
    return s.format + ", " + std::to_string(s.channels) + (s.channels == 1 ? " channel, " : " channels, ") +
           std::to_string(s.sampleRate) + " Hz, " + seconds;
}

}  // namespace drossel
