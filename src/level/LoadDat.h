#pragma once
// Reading a level's .dat file: the header, the descriptors and names, every
// resource's identifier, and the .raw location of the kinds that keep bulk data
// there. Nothing here talks to the person; the caller reports a refusal.

#include "io/Error.h"
#include "level/Level.h"

#include <string>

namespace drossel {

inline constexpr const char* kNotALevelMessage = "This File is not valid a Oni DAT File!";

// The record family that gives a kind's .raw location, or nullptr for kinds
// without bulk data (the kind table answers it).
using RawBlockOfTag = const RawBlock* (*)(const Tag& tag);

// The level in the file at datPath, or why it is refused: it does not begin with
// the level file magic, or it is damaged so that its table cannot be read.
// Names have every "/" and every control byte replaced by "_". Data that lies
// outside the file is no refusal: that resource's identifier and raw location
// stay unset.
Result<Level> LoadDat(const std::string& datPath, const std::string& rawPath, RawBlockOfTag rawBlockOf);

}  // namespace drossel
