#pragma once
// Writing output files whole or not at all: the bytes go to a temporary file
// beside the target, which is then renamed over it. A failure leaves neither a
// partial file nor a damaged older file of the same name. Files that collect
// output (appended to) get all of an addition or none of it.

#include <cstdint>
#include <span>
#include <string>

namespace drossel {

// Throws DrosselError naming the path and the reason when the file cannot be written.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);
// Adds the bytes to the end of the file (made when missing) in one write; when
// they cannot all be written the file is cut back to the length it had.
void AppendToFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace drossel
