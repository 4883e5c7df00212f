#pragma once
// Reading a level's .dat file: the header, the descriptors and the names. Nothing
// here talks to the person; the caller reports a refusal.

#include "io/Error.h"
#include "level/Level.h"

#include <span>
#include <string>

namespace drossel {

inline constexpr const char* kNotALevelMessage = "This File is not valid a Oni DAT File!";

// The level in the file at datPath, or why it is refused: it does not begin with
// the level file magic, or it is damaged so that its table cannot be read.
// Names have every "/" and every control byte replaced by "_". Data that lies
// outside the file is no refusal (nothing of it is read here): that resource's
// identifier and raw location, read when first asked for, are unset.
// `rawBlocks` say where the kinds with bulk data keep it.
Result<Level> LoadDat(const std::string& datPath, const std::string& rawPath, std::span<const KindRawBlock> rawBlocks);

// The header of the level in the file at datPath, or why LoadDat would refuse
// the file: its descriptors and names are checked as they are read, and not kept.
Result<DatHeader> LoadDatHeader(const std::string& datPath);

}  // namespace drossel
