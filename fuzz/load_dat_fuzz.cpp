// libFuzzer target: any bytes as a level file. The loader must refuse or load
// them without reading outside the file, and building both tree views over
// whatever it loaded must not fail either.

#include "app/NullUserInterface.h"
#include "app/OpenLevel.h"
#include "app/ResourceTree.h"
#include "app/Session.h"

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <string>

using namespace drossel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/drossel-fuzz-" + std::to_string(::getpid()) + ".dat";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    Session session;
    NullUserInterface ui;
    if (OpenLevel(session, ui, path) == OpenResult::Loaded) {
        BuildNormalView(*session.level, ui);
        BuildZephyrView(*session.level, ui);
    }
    return 0;
}
