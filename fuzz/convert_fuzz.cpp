// libFuzzer target: a texture whose 192-byte record and pixel data are any
// bytes, converted alone, as every tile of a large texture and as every icon of
// a key icon strip. The decoders must stay inside the data they were given
// whatever the record claims about size and format.

#include "LevelBuilder.h"
#include "container/LoadDat.h"
#include "container/NullUserInterface.h"
#include "container/Session.h"
#include "extract/Unpack.h"
#include "image/ImageConverters.h"

#include <unistd.h>
#include <array>
#include <cstdint>
#include <string>

using namespace drossel;
using namespace drossel::testing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kRecord = 192;
    if (size < kRecord) return 0;
    static const std::string base = "/tmp/drossel-convert-fuzz-" + std::to_string(::getpid());

    LevelBuilder b;
    Bytes record(data, data + kRecord);
    BuiltResource texture;
    texture.tag = "TXMP";
    texture.name = "fuzzed";
    texture.flags = LevelBuilder::kNamed;
    texture.data = record;
    const int t = b.AddResource(texture);
    b.AppendRaw(Bytes(data + kRecord, data + size));
    const std::uint32_t id = LevelBuilder::IdentifierOf(t);
    const int large = b.AddLargeTexture("large", {id, id, id, id, id, id});
    std::array<std::uint32_t, 10> icons{};
    icons.fill(id);
    const int strip = b.AddKeyIcons("icons", icons);
    // The raw offset in the fuzzed record may point anywhere; most inputs point
    // at 0, where the appended bytes start.
    const std::string dat = b.Write(base);

    Session session;
    NullUserInterface ui;
    if (OpenLevel(session, ui, dat) != OpenResult::Loaded) return 0;
    for (int index : {t, large, strip}) {
        session.selectedIndex = index;
        std::string path = base + "-out.tga";
        if (index == t) ConvertTxmp(session, ui, path);
        if (index == large) ConvertTxmb(session, ui, path);
        if (index == strip) ConvertKeyI(session, ui, path);
        path = base + "-out.bin";
        UnpackRoutineFor(session.table.at(index).tag)(session, ui, path);
    }
    return 0;
}
