#pragma once
// What most tests start from: a level built by LevelBuilder, written to a
// temporary folder and opened as the program opens it; the demo level; running
// drossel-cli; and counting what a command wrote.

#include "DemoLevel.h"
#include "LevelBuilder.h"
#include "RecordingUserInterface.h"
#include "app/ResourceTree.h"
#include "app/Session.h"
#include "convert/Conversion.h"
#include "io/Error.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drossel::testing {

struct OpenedLevel {
    TempDir dir;
    Session session;
    RecordingUserInterface ui;

    // Fails the test when the level does not load. `damage` may change the
    // .dat file's bytes before it is opened.
    explicit OpenedLevel(const LevelBuilder& builder, const std::function<void(Bytes&)>& damage = {});
    const Level& level() const { return *session.level; }
    // A path in the folder "out" (made on first use) of the temporary folder.
    std::string Out(const std::string& name = "") const;
    // The group node of this key in the Normal view, as the tree hands it to a
    // folder command; a node without children when there is no such group.
    GroupNode Group(const std::string& key) const;
};

// Opens the built level and converts resource `index` as the command shell does,
// for converters whose output does not read the level once it is made.
Conversion Converted(const LevelBuilder& builder, int index, Converter convert, const Options& options = {});

// Where descriptor `index`'s data offset lies in a .dat file.
inline std::size_t DataOffsetFieldOf(int index) {
    return static_cast<std::size_t>(kDescriptorTableOffset) +
           sizeof(ResourceDescriptor) * static_cast<std::size_t>(index) + offsetof(ResourceDescriptor, dataOffset);
}

Bytes PieceBytes(const Conversion& c, std::size_t i = 0);
std::string PieceText(const Conversion& c, std::size_t i = 0);
// Building expected bytes: text as bytes, 32-bit values (int, unsigned or float)
// as little-endian bytes, one after the other; `n` bytes from `at`.
Bytes Text(std::string_view s);
template <typename... V>
Bytes Le(V... values) {
    Bytes b;
    (PutU32(b, b.size(), std::bit_cast<std::uint32_t>(values)), ...);
    return b;
}
Bytes operator+(Bytes a, const Bytes& b);
Bytes Slice(const Bytes& b, std::size_t at, std::size_t n);
// Reading written files: a big-endian word, and where the first chunk with this ID
// starts (past a 12-byte file header; the data tested never holds the ID).
std::uint32_t Be32(const Bytes& b, std::size_t at);
std::size_t FindChunk(const Bytes& b, std::string_view id);

// What `work` says when it throws DrosselError, or "" when it does not.
template <typename Work>
std::string ErrorOf(Work work) {
    try {
        work();
    } catch (const DrosselError& e) {
        return e.what();
    }
    return {};
}

std::size_t CountFiles(const std::string& folder);

struct ProgramResult {
    int exitCode = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};
// Runs drossel-cli as a shell would, without standard input.
ProgramResult RunCli(const std::vector<std::string>& arguments);
// What a shell command (an independent reader: ImageMagick, sox, osgconv, assimp)
// prints on standard output; nothing when it fails.
std::optional<std::string> RunShell(const std::string& command);
// Success when the Khronos glTF validator (scripts/test installs it) finds no error,
// and no warning the README does not explain, in these .glb files; its report otherwise.
::testing::AssertionResult ValidGlb(const std::vector<std::string>& paths);

}  // namespace drossel::testing
