#include "app/SoundTools.h"

#include "app/CommandShell.h"
#include "app/Session.h"
#include "app/UserInterface.h"
#include "io/BinaryFile.h"
#include "level/InPlaceEdit.h"
#include "level/records/BulkRecords.h"
#include "sound/Wav.h"

#include <algorithm>
#include <cstring>

namespace drossel {

std::string SoundLabel(const ResourceRecord& sound) {
    return sound.name + "." + sound.tag;
}

std::optional<SoundSlot> SoundSlotOf(const Level& level, std::int32_t index, UserInterface& ui) {
    const ResourceRecord& sound = level.at(index);
    std::string why;
    if (sound.IsPlaceholder()) {
        why = PlaceholderReason();
    } else if (!sound.rawOffset) {
        why = "its record lies outside " + level.datPath();
    } else {
        return SoundSlot{index, sound.rawSize, *sound.rawOffset};
    }
    ui.ShowMessage("Cannot replace " + sound.name + ": " + why, kProgramTitle, MessageIcon::Critical);
    return std::nullopt;
}

std::string CapacityText(const SoundSlot& slot) {
    return "You can overwrite " + std::to_string(slot.rawSize) + " Bytes";
}

bool ReplaceSound(const Level& level, const SoundSlot& slot, const std::string& wavPath, UserInterface& ui) {
    const ResourceRecord& sound = level.at(slot.index);
    std::vector<std::uint8_t> wav;
    try {
        // Only what the sound has room for is read: a larger file is cut there.
        BinaryFile file(wavPath);
        wav = file.ReadBytes(0, std::min<std::int64_t>(file.size(), kWavHeaderSize + slot.rawSize));
    } catch (const std::exception&) {
        // A path that names no readable file fails the check like any other file.
    }
    if (!HasFixedWavLayout(wav)) {
        ui.ShowMessage(kNotAnAdpcmWave, kProgramTitle, MessageIcon::Critical);
        return false;
    }
    try {
        const auto record = level.ReadRecord<SoundRecord>(sound);
        const std::span<const std::uint8_t> format(wav.data() + kWavFormatAt, kWavFormatSize);
        // The format tag and the channel count must stay as they are.
        if (std::memcmp(format.data(), record.format, 4) != 0) {
            ui.ShowMessage(kOtherSoundType, kProgramTitle, MessageIcon::Critical);
            return false;
        }
        std::vector<std::uint8_t> samples(static_cast<std::size_t>(slot.rawSize), 0);
        const std::size_t given = wav.size() > kWavHeaderSize ? wav.size() - kWavHeaderSize : 0;
        std::copy_n(wav.begin() + static_cast<std::ptrdiff_t>(wav.size() - given), std::min(samples.size(), given),
                    samples.begin());
        InPlaceEdit edit(level);
        edit.IntoDat(sound, offsetof(SoundRecord, format), format);
        edit.IntoRaw(slot.rawOffset, samples);
        edit.Commit();
    } catch (const std::exception& e) {
        ui.ShowMessage("Cannot replace " + sound.name + ": " + e.what(), kProgramTitle, MessageIcon::Critical);
        return false;
    }
    ui.ShowMessage(kSoundReplaced, kProgramTitle, MessageIcon::Information);
    return true;
}

}  // namespace drossel
