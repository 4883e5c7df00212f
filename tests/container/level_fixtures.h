#pragma once
// Resource data shapes the loader reads raw locations from.

#include "LevelBuilder.h"

namespace drossel::testing {

inline Bytes TextureData(std::int16_t width, std::int16_t height, std::uint32_t format, std::uint32_t rawOffset) {
    Bytes d(192, 0);
    PutU16(d, 0x8C, static_cast<std::uint16_t>(width));
    PutU16(d, 0x8E, static_cast<std::uint16_t>(height));
    PutU32(d, 0x90, format);
    PutU32(d, 0x9C, rawOffset);
    return d;
}

inline Bytes BulkData(std::size_t length, std::uint32_t rawSize, std::uint32_t rawOffset, std::size_t sizeAt,
                      std::size_t offsetAt) {
    Bytes d(length, 0);
    PutU32(d, sizeAt, rawSize);
    PutU32(d, offsetAt, rawOffset);
    return d;
}

}  // namespace drossel::testing
