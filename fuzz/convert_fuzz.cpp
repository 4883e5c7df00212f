// libFuzzer target: a texture whose 192-byte record and pixel data are any
// bytes, converted alone, as every tile of a large texture and as every icon of
// a key icon strip, and unpacked. The decoders must stay inside the data they
// were given whatever the record claims about size and format.

#include "LevelBuilder.h"
#include "app/CommandShell.h"
#include "app/NullUserInterface.h"
#include "app/OpenLevel.h"
#include "app/Session.h"
#include "level/records/TextureRecords.h"

#include <unistd.h>
#include <array>
#include <cstdint>
#include <string>

using namespace drossel;
using namespace drossel::testing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kRecord = sizeof(TextureRecord);
    if (size < kRecord) return 0;
    static const std::string base = "/tmp/drossel-convert-fuzz-" + std::to_string(::getpid());

    LevelBuilder b;
    const int t = b.AddData("TXMP", "fuzzed", Bytes(data, data + kRecord));
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
        ConvertResource(session, index, ui, base + "-out.tga");
        UnpackResource(*session.level, index, ui, base + "-out.bin");
    }
    return 0;
}
