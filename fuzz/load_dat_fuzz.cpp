// libFuzzer target: any bytes as a level file. The loader must refuse or load
// them without reading outside the file; over whatever it loaded, both tree
// views, the "Dat File Info" lines and every resource's "Resource Info" fields
// must be made without failing. Loading reads nothing from the .raw file, so
// there is none. Reading only the header must refuse exactly the files a whole
// load refuses, for the same reason.

#include "FuzzSupport.h"
#include "app/InfoText.h"
#include "app/NullUserInterface.h"
#include "app/ResourceTree.h"
#include "app/Session.h"
#include "level/LoadDat.h"

#include <cstdint>
#include <string>

using namespace drossel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kLargest = 1 << 20;
    if (size > kLargest) return 0;
    Session session;
    const Level* opened = fuzz::OpenScratchLevel(session, {data, size});
    Result<DatHeader> header = LoadDatHeader(fuzz::ScratchLevelPath());
    if (static_cast<bool>(header) != (opened != nullptr)) __builtin_trap();
    if (opened == nullptr) {
        if (header.error() != LoadDat(fuzz::ScratchLevelPath(), "", {}).error()) __builtin_trap();
        return 0;
    }
    if (header.value().resourceCount != opened->header().resourceCount) __builtin_trap();
    const Level& level = *opened;
    NullUserInterface ui;
    BuildNormalView(level, ui);
    BuildZephyrView(level, ui);
    DatFileInfoText(level);
    for (std::int32_t i = 0; i < level.count(); ++i) {
        ResourceInfoFields(level.at(i), level.RawSlotOf(level.at(i)));
        level.Resolve(level.IdentifierOf(level.at(i)).value_or(0));
    }
    return 0;
}
