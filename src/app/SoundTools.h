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
// What the window replaces: the sound's name, format and length.
std::string SoundTargetText(const Level& level, const SoundSlot& slot);

// "Replace !": checks the slot (the sound's own, inside the .raw, within the
// sound limit) before taking memory for it, then puts the samples of any WAV
// file libsndfile reads, in the sound's own format (sound/SoundImport.h), into
// the slot in place, the rest of the slot silence; the sound's record does not
// change. True after the status text has said what was written and
// "Overwrited successfully!"; false after a message naming the cause (no such
// file, no WAV, no samples, too long for the slot with both lengths), with both
// files as they were.
bool ReplaceSound(const Level& level, const SoundSlot& slot, const std::string& wavPath, UserInterface& ui);

}  // namespace drossel
