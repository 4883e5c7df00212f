#pragma once
// The steps every unpack routine shares: status text, reading, the save dialog,
// writing the file whole. Only the unpack routines use it.

#include "container/RawLocationFields.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace drossel {

struct Session;
class UserInterface;
class BinaryFile;
struct ResourceRecord;

using UnpackReader = std::function<std::vector<std::uint8_t>(const Session&, BinaryFile& dat, const ResourceRecord&)>;

// Shows "Status: UnPacking <name>", reads the bytes to write with `read`, asks for
// a path when outputPath is empty (offering defaultName), and writes the file. A
// failure shows its reason, sets the status text to "NONE" and writes nothing.
void RunUnpack(Session& session, UserInterface& ui, std::string& outputPath,
               const std::function<std::string(const ResourceRecord&)>& defaultName, const UnpackReader& read);

// The fixed-size record at the resource's data offset followed by the bulk data
// whose length and .raw offset the record holds (u32 fields at lengthAt, offsetAt).
std::vector<std::uint8_t> ReadRecordWithBulk(const Session& session, BinaryFile& dat, const ResourceRecord& record,
                                             const RawLocationFields& fields);

// Appends `length` bytes of the .raw file from `offset`; opens the .raw file only
// when there is something to read.
void AppendRawData(const Session& session, std::vector<std::uint8_t>& out, std::int64_t offset, std::int64_t length);

}  // namespace drossel
