// libFuzzer target: a level pair and the conversion options, all from the
// input (FuzzSupport.h: SplitLevelInput). Every resource is converted with the
// converter of its kind and unpacked with its routine, through the command
// shell, into a scratch folder. Whatever the records claim about sizes, counts,
// offsets and links, each must end in files or in one message.

#include "FuzzSupport.h"
#include "app/CommandShell.h"
#include "app/NullUserInterface.h"
#include "app/OpenLevel.h"
#include "app/Session.h"

#include <algorithm>
#include <cstdint>
#include <string>

using namespace drossel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kLargest = 1 << 20;
    // Each resource may make a picture of 640 x 512: a bound on resources keeps
    // one input's time within the fuzzer's patience.
    constexpr std::int32_t kMostResources = 32;
    const auto input = fuzz::SplitLevelInput({data, size});
    if (size > kLargest || !input) return 0;
    static const std::string base = fuzz::ScratchFolder() + "/level";
    static const std::string out = fuzz::ScratchFolder() + "/out/";
    fuzz::WriteBytes(base + ".dat", input->dat);
    fuzz::WriteBytes(base + ".raw", input->raw);
    fuzz::EmptyFolder(out);

    Session session;
    NullUserInterface ui;
    if (OpenLevel(session, ui, base + ".dat") != OpenResult::Loaded) return 0;
    session.options = input->options;
    session.SetOutputFolder(out);
    const Level& level = *session.level;
    const FilesOpenForCommand files(level);
    for (std::int32_t i = 0; i < std::min(level.count(), kMostResources); ++i) {
        const std::string name = out + std::to_string(i);
        ConvertResource(session, i, ui, name + ImageExtension(session.options.Image));
        UnpackResource(level, i, ui, name + ".unpacked");
    }
    return 0;
}
