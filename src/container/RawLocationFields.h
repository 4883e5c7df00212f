#pragma once
// Where the kinds that keep bulk data in the .raw file hold its length and
// offset: the loader reads them for the raw location, the unpack routines to
// copy the data. Offsets count from the start of the resource's data.

#include <cstddef>

namespace drossel {

struct RawLocationFields {
    std::size_t recordSize;  // the leading block that holds both fields
    std::size_t lengthAt;
    std::size_t offsetAt;
};

inline constexpr RawLocationFields kSoundFields{96, 64, 68};     // SNDD
inline constexpr RawLocationFields kBulkFields{32, 8, 12};       // OSBD, BINA
inline constexpr RawLocationFields kSubtitleFields{32, 28, 24};  // SUBT: the length counts 256-byte units

}  // namespace drossel
