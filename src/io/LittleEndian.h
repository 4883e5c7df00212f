#pragma once
// Little-endian values in memory. The callers have checked the bounds; the
// bounds-checked forms take a span and throw DrosselError.

#include <cstddef>
#include <cstdint>
#include <span>

namespace drossel {

inline std::uint16_t LoadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t LoadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void StoreU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void StoreU32(std::uint8_t* p, std::uint32_t v) {
    StoreU16(p, static_cast<std::uint16_t>(v));
    StoreU16(p + 2, static_cast<std::uint16_t>(v >> 16));
}

std::uint16_t U16At(std::span<const std::uint8_t> block, std::size_t offset);
std::uint32_t U32At(std::span<const std::uint8_t> block, std::size_t offset);

}  // namespace drossel
