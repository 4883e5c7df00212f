#include "app/SoundTools.h"

#include "app/CommandShell.h"
#include "app/Session.h"
#include "app/UserInterface.h"
#include "convert/Conversion.h"
#include "io/BinaryFile.h"
#include "io/PathText.h"
#include "level/InPlaceEdit.h"
#include "level/records/BulkRecords.h"
#include "sound/SoundImport.h"

#include <algorithm>

namespace drossel {

std::string SoundLabel(const ResourceRecord& sound) {
    return std::string(sound.name) + "." + sound.tag;
}

std::optional<SoundSlot> SoundSlotOf(const Level& level, std::int32_t index, UserInterface& ui) {
    const ResourceRecord& sound = level.at(index);
    std::string why = PlaceholderReason();
    if (!sound.IsPlaceholder()) {
        const RawSlot slot = level.RawSlotOf(sound);
        if (slot.offset) return SoundSlot{index, slot.size, *slot.offset};
        why = "its record lies outside " + level.datPath();
    }
    ui.ShowMessage("Cannot replace " + std::string(sound.name) + ": " + why, kProgramTitle, MessageIcon::Critical);
    return std::nullopt;
}

std::string CapacityText(const SoundSlot& slot) {
    return "You can overwrite " + std::to_string(slot.rawSize) + " Bytes";
}

std::string SoundTargetText(const Level& level, const SoundSlot& slot) {
    const ResourceRecord& sound = level.at(slot.index);
    const auto record = level.TryReadRecord<SoundRecord>(sound);
    if (!record) return std::string(sound.name);
    const SoundLayout layout = LayoutOf(SoundFormat(record->format));
    return std::string(sound.name) + ": " + SoundFormatText(layout) + ", " + SoundLengthText(slot.rawSize, layout);
}

bool ReplaceSound(const Level& level, const SoundSlot& slot, const std::string& wavPath, UserInterface& ui) {
    const ResourceRecord& sound = level.at(slot.index);
    std::string done;
    try {
        // The slot is checked before any memory is taken for it.
        InPlaceEdit edit(level, slot.index);
        RequireSoundSize(slot.rawSize);
        edit.RequireInSlot(0, slot.rawSize);
        const auto record = level.ReadRecord<SoundRecord>(sound);
        const ImportedSound imported =
            SoundForSlot(ReadWholeFile(wavPath, kMaxWavBytes), SoundFormat(record.format), slot.rawSize);
        // The slot keeps its length: what the sound does not fill is silence.
        std::vector<std::uint8_t> samples(static_cast<std::size_t>(slot.rawSize), 0);
        std::copy(imported.samples.begin(), imported.samples.end(), samples.begin());
        edit.IntoSlot(0, std::move(samples));
        edit.Commit();
        const auto used = static_cast<std::int64_t>(imported.samples.size());
        done = std::to_string(used) + " of the slot's " + std::to_string(slot.rawSize) + " bytes (" +
               std::to_string(slot.rawSize > 0 ? used * 100 / slot.rawSize : 0) + " %), " +
               (imported.converted ? "converted from " + SoundFormatText(imported.source) : "copied as it was");
    } catch (const std::exception& e) {
        ui.ShowMessage("Cannot replace " + std::string(sound.name) + " with " + FileNameOf(wavPath) + ": " + e.what(),
                       kProgramTitle, MessageIcon::Critical);
        return false;
    }
    ui.SetStatusText("Status: Replaced " + std::string(sound.name) + " with " + FileNameOf(wavPath) + ": " + done);
    ui.ShowMessage(kSoundReplaced, kProgramTitle, MessageIcon::Information);
    return true;
}

}  // namespace drossel
