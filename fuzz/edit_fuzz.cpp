// libFuzzer target: any bytes as a level file, opened by the string and
// lighting editors. Every string and quad list is loaded, changed and saved
// back in place. Each step must succeed or end in one message, never read
// outside the file, and never change the file's length.

#include "FuzzSupport.h"
#include "app/LightingEditor.h"
#include "app/Session.h"
#include "app/StringEditor.h"
#include "io/Error.h"
#include "level/Level.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace drossel;

namespace {

void EditLights(const Level& level, std::int32_t index) {
    LightingEditor editor(level, index);
    editor.FileNameText(level);
    editor.DataPositionText(level);
    const std::uint32_t last = editor.quadCount() - 1;
    editor.QuadText(last);
    QuadColours colours = editor.Colours(last);
    colours[0] ^= 0xFF;
    editor.Apply(last, colours);
    editor.ApplyCornerToAll(4, colours);
    editor.Save(level);
}

void EditString(const Level& level, std::int32_t index) {
    const StringEditor editor(level, index);
    editor.Save(level, "Hello");
    editor.Save(level, editor.text());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kLargest = 1 << 20;
    constexpr std::int32_t kMostResources = 64;
    if (size > kLargest) return 0;
    Session session;
    const Level* opened = fuzz::OpenScratchLevel(session, {data, size});
    if (opened == nullptr) return 0;
    const Level& level = *opened;
    const std::string path = fuzz::ScratchLevelPath();
    for (std::int32_t i = 0; i < std::min(level.count(), kMostResources); ++i) {
        const auto& tag = level.at(i).tag;
        try {
            if (tag == "AGQG") EditLights(level, i);
            if (tag == "TStr" || tag == "IGSt") EditString(level, i);
        } catch (const DrosselError&) {
        }
        if (std::filesystem::file_size(path) != size) {
            std::fprintf(stderr, "an edit of resource %d changed the file's length\n", static_cast<int>(i));
            std::abort();
        }
    }
    return 0;
}
