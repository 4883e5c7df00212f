#pragma once
// The status texts that end the three in-place edits: what was written, and
// into which file. The Tools windows show them once an edit has succeeded.

#include <cstdint>
#include <string>

namespace drossel {

class Level;
struct SoundSlot;

// "Save Changes": the string's text, into the .dat.
std::string StringSavedText(const Level& level, std::int32_t index);
// "OK" of the lighting editor: the colours of every quad of the list, into the .dat.
std::string LightsSavedText(const Level& level, std::int32_t index, std::uint32_t quadCount);
// "Replace !": the WAV file's format into the .dat and its samples into the .raw.
std::string SoundReplacedText(const Level& level, const SoundSlot& slot, const std::string& wavPath);

}  // namespace drossel
