#pragma once
// One converter per convertible kind. Each reads its resource from the level and
// returns what it made; the kind table joins them to their tags. Each throws
// DrosselError when the resource cannot be converted. Only the long ones report
// progress.

#include "convert/Conversion.h"

namespace drossel {

Conversion ConvertTxmp(const Level& level, const ResourceRecord& resource, const Options& options,
                       Progress& progress = NoProgress());
Conversion ConvertTxmb(const Level& level, const ResourceRecord& resource, const Options& options,
                       Progress& progress = NoProgress());
Conversion ConvertKeyI(const Level& level, const ResourceRecord& resource, const Options& options,
                       Progress& progress = NoProgress());
Conversion ConvertString(const Level& level, const ResourceRecord& resource, const Options& options,
                         Progress& progress = NoProgress());  // TStr, IGSt
Conversion ConvertSubt(const Level& level, const ResourceRecord& resource, const Options& options,
                       Progress& progress = NoProgress());
Conversion ConvertStna(const Level& level, const ResourceRecord& resource, const Options& options,
                       Progress& progress = NoProgress());
Conversion ConvertIgsa(const Level& level, const ResourceRecord& resource, const Options& options,
                       Progress& progress = NoProgress());
Conversion ConvertTrma(const Level& level, const ResourceRecord& resource, const Options& options,
                       Progress& progress = NoProgress());
Conversion ConvertTextureList(const Level& level, const ResourceRecord& resource, const Options& options,
                              Progress& progress = NoProgress());  // TXAN, TXMA
Conversion ConvertOnsk(const Level& level, const ResourceRecord& resource, const Options& options,
                       Progress& progress = NoProgress());
Conversion ConvertSndd(const Level& level, const ResourceRecord& resource, const Options& options,
                       Progress& progress = NoProgress());

Conversion ExportModel(const Level& level, const ResourceRecord& resource, const Options& options,
                       Progress& progress = NoProgress());
Conversion ExportCharacter(const Level& level, const ResourceRecord& resource, const Options& options,
                           Progress& progress = NoProgress());
Conversion ExportWeapon(const Level& level, const ResourceRecord& resource, const Options& options,
                        Progress& progress = NoProgress());
Conversion ConvertLevel(const Level& level, const ResourceRecord& resource, const Options& options,
                        Progress& progress = NoProgress());

// The WAV file ConvertSndd writes for a sound, also for the sound viewer to play.
// Throws DrosselError for a sound with more sample data than a sound may have.
std::vector<std::uint8_t> SoundWavOf(const Level& level, const ResourceRecord& resource);

}  // namespace drossel
