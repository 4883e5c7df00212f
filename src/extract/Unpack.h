#pragma once
// The five unpack routines: each writes the selected resource, unconverted, to one
// file: its record bytes from the .dat file and, for the kinds that keep bulk data
// in the .raw file, that data behind them. An empty output path asks with the save
// dialog and receives the chosen path; a given path is used as it is.

#include <cstdint>
#include <string>
#include <string_view>

namespace drossel {

struct Session;
class UserInterface;

using UnpackRoutine = void (*)(Session& session, UserInterface& ui, std::string& outputPath);

void UnpackGeneric(Session& session, UserInterface& ui, std::string& outputPath);
void UnpackTxmp(Session& session, UserInterface& ui, std::string& outputPath);
void UnpackSndd(Session& session, UserInterface& ui, std::string& outputPath);
void UnpackBina(Session& session, UserInterface& ui, std::string& outputPath);
void UnpackOsbd(Session& session, UserInterface& ui, std::string& outputPath);

// The routine "Unpack" runs for a tag (exact, case-sensitive match).
UnpackRoutine UnpackRoutineFor(std::string_view tag);

// Bytes of pixel data an unpacked texture carries behind its record: 0 for a
// format without a known length and for a size that is not positive.
std::int64_t UnpackedPixelLength(std::int64_t width, std::int64_t height, std::uint32_t format);

}  // namespace drossel
