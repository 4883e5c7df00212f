#pragma once
// The status texts that end the string and lighting editors: what was written,
// and into which file. Their windows show them once an edit has succeeded (the
// replacements of sounds and textures set their own, which say how much of the
// slot was used).

#include <cstdint>
#include <string>

namespace drossel {

class Level;

// "Save Changes": the string's text, into the .dat.
std::string StringSavedText(const Level& level, std::int32_t index);
// "OK" of the lighting editor: the colours of every quad of the list, into the .dat.
std::string LightsSavedText(const Level& level, std::int32_t index, std::uint32_t quadCount);

}  // namespace drossel
