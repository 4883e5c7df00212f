#pragma once
// Textures that a large texture or a key icon strip names by identifier.

#include "image/PixelBuffer.h"

#include <cstdint>
#include <optional>
#include <string>

namespace drossel {

class BinaryFile;
struct Session;

// The picture of the texture the identifier links to. A link that leads to no
// usable texture (no resource carries the identifier, the resource is no texture
// or a placeholder without data) gives no picture and a reason in `missing`; a
// texture that exists but cannot be decoded throws DrosselError.
std::optional<PixelBuffer> ReadLinkedTexture(const Session& session, BinaryFile& dat, std::uint32_t identifier,
                                             std::string& missing);

}  // namespace drossel
