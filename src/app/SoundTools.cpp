#include "app/SoundTools.h"

#include "app/CommandShell.h"
#include "app/Session.h"
#include "app/UserInterface.h"
#include "convert/Conversion.h"
#include "io/BinaryFile.h"
#include "level/InPlaceEdit.h"
#include "level/records/BulkRecords.h"
#include "sound/Wav.h"

#include <algorithm>
#include <cstring>
#include <memory>

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
    const auto refuse = [&ui](const std::string& text) {
        ui.ShowMessage(text, kProgramTitle, MessageIcon::Critical);
        return false;
    };
    try {
        // The slot is checked before any memory is taken for it.
        InPlaceEdit edit(level, slot.index);
        RequireSoundSize(slot.rawSize);
        edit.RequireInSlot(0, slot.rawSize);
        std::unique_ptr<BinaryFile> file;
        std::vector<std::uint8_t> header;
        try {
            file = std::make_unique<BinaryFile>(wavPath);
            header = file->ReadBytes(0, std::min<std::int64_t>(file->size(), kWavHeaderSize));
        } catch (const std::exception&) {
            // A path that names no readable file fails the check like any other file.
        }
        // A file that ends where its samples would begin is no sound either.
        if (!HasFixedWavLayout(header) || file->size() <= std::int64_t{kWavHeaderSize}) return refuse(kNotAnAdpcmWave);
        const auto record = level.ReadRecord<SoundRecord>(sound);
        std::vector<std::uint8_t> format(header.begin() + kWavFormatAt, header.begin() + kWavFormatAt + kWavFormatSize);
        // The format tag and the channel count must stay as they are.
        if (std::memcmp(format.data(), record.format, 4) != 0) return refuse(kOtherSoundType);
        // Exactly the slot's size: a longer WAV is cut, a shorter one filled with zeros.
        std::vector<std::uint8_t> samples(static_cast<std::size_t>(slot.rawSize), 0);
        const std::int64_t given = std::min(file->size() - std::int64_t{kWavHeaderSize}, slot.rawSize);
        file->Read(kWavHeaderSize, std::span(samples).first(static_cast<std::size_t>(given)));
        edit.IntoRecord(offsetof(SoundRecord, format), std::move(format));
        edit.IntoSlot(0, std::move(samples));
        edit.Commit();
    } catch (const std::exception& e) {
        return refuse("Cannot replace " + sound.name + ": " + e.what());
    }
    ui.ShowMessage(kSoundReplaced, kProgramTitle, MessageIcon::Information);
    return true;
}

}  // namespace drossel
