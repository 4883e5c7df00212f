// libFuzzer target: a level pair and the conversion options, all from the
// input (FuzzSupport.h: SplitLevelInput). Every resource is converted with the
// converter of its kind and unpacked with its routine, through the command
// shell, into a scratch folder. Whatever the records claim about sizes, counts,
// offsets and links, each must end in files or in one message; every file
// must land in the output folder, and no temporary file may be left.

#include "FuzzSupport.h"
#include "app/CommandShell.h"
#include "app/NullUserInterface.h"
#include "app/OpenLevel.h"
#include "app/Session.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace drossel;

namespace {

void Require(bool holds, const std::filesystem::path& path, const char* why) {
    if (holds) return;
    std::fprintf(stderr, "%s: %s\n", path.c_str(), why);
    std::abort();
}

// Only the level files and the output folder lie in the scratch folder, and
// the output folder holds only whole files.
void CheckWritten(const std::string& scratch, const std::string& out) {
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(scratch)) {
        const std::string name = entry.path().filename().string();
        Require(name == "level.dat" || name == "level.raw" || name == "out", entry.path(),
                "written outside the output folder");
    }
    for (const auto& entry : fs::directory_iterator(out)) {
        Require(entry.is_regular_file(), entry.path(), "not a file");
        Require(entry.path().filename().string().find(".drossel-") == std::string::npos, entry.path(),
                "a temporary file was left");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kLargest = 1 << 20;
    // Each resource may make a picture of 640 x 512: a bound on resources keeps
    // one input's time within the fuzzer's patience.
    constexpr std::int32_t kMostResources = 32;
    const auto input = fuzz::SplitLevelInput({data, size});
    if (size > kLargest || !input) return 0;
    static const std::string base = fuzz::ScratchFolder() + "/level";
    static const std::string out = fuzz::ScratchFolder() + "/out/";
    testing::WriteFileBytes(base + ".dat", input->dat);
    testing::WriteFileBytes(base + ".raw", input->raw);
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
    CheckWritten(fuzz::ScratchFolder(), out);
    return 0;
}
