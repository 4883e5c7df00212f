#include "level/records/TextureRecords.h"

#include <limits>

namespace drossel {

std::optional<std::int64_t> StoredPixelLength(int width, int height, std::uint32_t format) {
    if (width <= 0 || height <= 0) return std::nullopt;
    const std::int64_t pixels = std::int64_t{width} * height;
    std::int64_t length = 0;
    switch (format) {
        case 0:
        case 1:
        case 2:
            length = pixels * 2;
            break;
        case 8:
            length = pixels * 4;
            break;
        case 9:
            length = (std::int64_t{width} + 3) / 4 * ((std::int64_t{height} + 3) / 4) * 8;
            break;
        default:
            return std::nullopt;
    }
    if (length > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return length;
}

}  // namespace drossel
