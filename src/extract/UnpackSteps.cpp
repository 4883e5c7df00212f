#include "extract/UnpackSteps.h"

#include "container/BinaryFile.h"
#include "container/Error.h"
#include "container/OutputFile.h"
#include "container/RoutineFailure.h"
#include "container/Session.h"
#include "container/UserInterface.h"

namespace drossel {

void RunUnpack(Session& session, UserInterface& ui, std::string& outputPath,
               const std::function<std::string(const ResourceRecord&)>& defaultName, const UnpackReader& read) {
    const ResourceRecord* record = session.Selected();
    if (record == nullptr) return;
    ui.SetStatusText("Status: UnPacking " + record->name);
    const bool ok = RunReported(ui, "Cannot unpack " + record->name, [&] {
        RefusePlaceholder(*record);
        std::vector<std::uint8_t> bytes;
        {
            BinaryFile dat(session.datPath);
            bytes = read(session, dat, *record);
        }
        if (outputPath.empty()) {
            const std::string chosen = ui.AskSavePath({"Unpack resource...", defaultName(*record), "All Files...|*.*"});
            if (chosen.empty()) return;
            outputPath = chosen;
        }
        WriteFileAtomically(outputPath, bytes);
        ui.FileWritten(outputPath);
    });
    if (!ok) ui.SetStatusText("NONE");
}

std::vector<std::uint8_t> ReadRecordWithBulk(const Session& session, BinaryFile& dat, const ResourceRecord& record,
                                             const RawLocationFields& fields) {
    std::vector<std::uint8_t> bytes = dat.ReadBytes(record.dataOffset, static_cast<std::int64_t>(fields.recordSize));
    AppendRawData(session, bytes, U32At(bytes, fields.offsetAt), U32At(bytes, fields.lengthAt));
    return bytes;
}

void AppendRawData(const Session& session, std::vector<std::uint8_t>& out, std::int64_t offset, std::int64_t length) {
    if (length <= 0) return;
    BinaryFile raw(session.rawPath);
    if (!raw.Contains(offset, length)) {
        throw DrosselError("the " + std::to_string(length) + " bytes of data at offset " + std::to_string(offset) +
                           " lie outside " + session.rawPath + " (" + std::to_string(raw.size()) + " bytes)");
    }
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(length));
    raw.Read(offset, std::span(out).subspan(at));
}

}  // namespace drossel
