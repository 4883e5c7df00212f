#pragma once
// The Tools menu's sound windows without their widgets: which sound they work
// on, the viewer's label and the WAV it plays, and the replacement of a sound's
// data from a WAV file, in place.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace drossel {

class Level;
class UserInterface;
struct ResourceRecord;
struct Session;

inline constexpr std::array<std::string_view, 1> kSoundTags = {"SNDD"};
inline constexpr const char* kNotASoundToView = "Please, choose SNDD file for View";
inline constexpr const char* kNotASoundToReplace = "Please, choose SNDD file for Overwriting";
inline constexpr const char* kNotAnAdpcmWave = "This file is not valid a Microsoft ADPCM WAVE file!";
inline constexpr const char* kOtherSoundType =
    "Can't replace sndd file :(\r\nIf sound file type is Stereo, then imported file must be Strereo, Else if sound "
    "file type is Mono, then imported file must be Mono.";
inline constexpr const char* kSoundReplaced = "Overwrited successfully!";

// The viewer's label: the sound's name, a full stop and its tag.
std::string SoundLabel(const ResourceRecord& sound);

// The sound a replacement writes into, as it was when the window opened.
struct SoundSlot {
    std::int32_t index = 0;
    std::int64_t rawSize = 0;
    std::uint32_t rawOffset = 0;
};
// The slot of a sound; nothing, after a message, for a placeholder or a sound
// whose data cannot be found.
std::optional<SoundSlot> SoundSlotOf(const Level& level, std::int32_t index, UserInterface& ui);
std::string CapacityText(const SoundSlot& slot);  // "You can overwrite N Bytes"

// "Replace !": checks the slot (the sound's own, inside the .raw, within the
// sound limit) before taking memory for it, and the WAV file (one without
// sample data is refused), then writes its format description into the sound's
// record and exactly rawSize sample bytes (cut, or zero-filled) into the .raw
// file, in place, all or nothing. True after "Overwrited successfully!"; false
// after a message, with both files as they were.
bool ReplaceSound(const Level& level, const SoundSlot& slot, const std::string& wavPath, UserInterface& ui);

}  // namespace drossel
