// Sound samples, data groups and binary data: a fixed record whose fields give
// the length and .raw offset of the bulk data that follows it in the output.

#include "container/PathText.h"
#include "container/ResourceTable.h"
#include "extract/Unpack.h"
#include "extract/UnpackSteps.h"

namespace drossel {
namespace {

constexpr std::size_t kBulkRecordSize = 32;
constexpr std::size_t kBulkLengthAt = 8;
constexpr std::size_t kBulkOffsetAt = 12;

constexpr std::size_t kSoundRecordSize = 96;
constexpr std::size_t kSoundLengthAt = 64;
constexpr std::size_t kSoundOffsetAt = 68;

std::string NameDotTag(const ResourceRecord& r) {
    return r.name + "." + r.tag;
}

void UnpackBulk(Session& session, UserInterface& ui, std::string& outputPath) {
    RunUnpack(session, ui, outputPath, NameDotTag, [](const Session& s, BinaryFile& dat, const ResourceRecord& r) {
        return ReadRecordWithBulk(s, dat, r, kBulkRecordSize, kBulkLengthAt, kBulkOffsetAt);
    });
}

}  // namespace

void UnpackBina(Session& session, UserInterface& ui, std::string& outputPath) {
    UnpackBulk(session, ui, outputPath);
}

void UnpackOsbd(Session& session, UserInterface& ui, std::string& outputPath) {
    UnpackBulk(session, ui, outputPath);
}

void UnpackSndd(Session& session, UserInterface& ui, std::string& outputPath) {
    RunUnpack(
        session, ui, outputPath, [](const ResourceRecord& r) { return StripExtension(r.name) + "." + r.tag; },
        [](const Session& s, BinaryFile& dat, const ResourceRecord& r) {
            return ReadRecordWithBulk(s, dat, r, kSoundRecordSize, kSoundLengthAt, kSoundOffsetAt);
        });
}

}  // namespace drossel
