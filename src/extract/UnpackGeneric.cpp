#include "container/BinaryFile.h"
#include "container/Error.h"
#include "container/ResourceTable.h"
#include "extract/Unpack.h"
#include "extract/UnpackSteps.h"

namespace drossel {

// The resource's data as the .dat file holds it: `size` bytes from its data offset.
void UnpackGeneric(Session& session, UserInterface& ui, std::string& outputPath) {
    RunUnpack(
        session, ui, outputPath, [](const ResourceRecord& r) { return r.name + "." + r.tag; },
        [](const Session&, BinaryFile& dat, const ResourceRecord& r) {
            if (r.size < 0) throw DrosselError("its size is negative (" + std::to_string(r.size) + ")");
            return dat.ReadBytes(r.dataOffset, r.size);
        });
}

}  // namespace drossel
