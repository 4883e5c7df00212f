#include "io/LittleEndian.h"

#include "io/Error.h"

namespace drossel {

std::uint16_t U16At(std::span<const std::uint8_t> block, std::size_t offset) {
    if (offset > block.size() || block.size() - offset < 2) throw DrosselError("field outside its record");
    return LoadU16(block.data() + offset);
}

std::uint32_t U32At(std::span<const std::uint8_t> block, std::size_t offset) {
    if (offset > block.size() || block.size() - offset < 4) throw DrosselError("field outside its record");
    return LoadU32(block.data() + offset);
}

}  // namespace drossel
