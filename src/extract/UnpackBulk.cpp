// Sound samples, data groups and binary data: a fixed record whose fields give
// the length and .raw offset of the bulk data that follows it in the output.

#include "container/PathText.h"
#include "container/RawLocationFields.h"
#include "container/ResourceTable.h"
#include "extract/Unpack.h"
#include "extract/UnpackSteps.h"

namespace drossel {
namespace {

std::string NameDotTag(const ResourceRecord& r) {
    return r.name + "." + r.tag;
}

void UnpackBulk(Session& session, UserInterface& ui, std::string& outputPath) {
    RunUnpack(session, ui, outputPath, NameDotTag, [](const Session& s, BinaryFile& dat, const ResourceRecord& r) {
        return ReadRecordWithBulk(s, dat, r, kBulkFields);
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
            return ReadRecordWithBulk(s, dat, r, kSoundFields);
        });
}

}  // namespace drossel
