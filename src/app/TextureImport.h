#pragma once
// The Tools menu's "Replace Texture..." without its window: a PNG, TGA or BMP
// picture of a texture's own size put back into the texture in place, encoded
// in the texture's own pixel format; a large texture's picture (as conversion
// writes it) into its tiles, each into its own texture. Key icons are not put
// back: their textures are replaced one by one.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace drossel {

class Level;
class UserInterface;
struct FileDialogRequest;
struct Session;

inline constexpr std::array<std::string_view, 3> kTextureImportTags = {"TXMP", "TXMB", "KeyI"};
inline constexpr const char* kNotATextureToReplace = "Please, choose TXMP or TXMB file for Replacing";
inline constexpr const char* kKeyIconsNotReplaced =
    "Key icons are not replaced as a strip: replace each icon's texture (TXMP) on its own.";

// The selected resource when a picture can be put into it (a texture or a large
// texture); otherwise, after a message saying why, nothing.
std::optional<std::int32_t> TextureToReplace(const Session& session, UserInterface& ui);
// The open-file dialog that asks for the picture.
FileDialogRequest TexturePictureRequest();

// Puts the picture in `picturePath` into resource `index` (a TXMP, or a TXMB's
// tiles; TextureToReplace has offered it). True after the status text has said what was written; false after a
// message saying why not, with both files as they were.
bool ReplaceTexture(const Level& level, std::int32_t index, const std::string& picturePath, UserInterface& ui);

}  // namespace drossel
