#include "Fixture.h"

#include "app/OpenLevel.h"

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace drossel::testing {

OpenedLevel::OpenedLevel(const LevelBuilder& builder, const std::function<void(Bytes&)>& damage) {
    const std::string dat = builder.Write(dir / "level");
    if (damage) {
        Bytes bytes = ReadFileBytes(dat);
        damage(bytes);
        WriteFileBytes(dat, bytes);
    }
    RecordingUserInterface quiet;
    if (OpenLevel(session, quiet, dat) != OpenResult::Loaded) ADD_FAILURE() << "the built level did not load";
}

std::string OpenedLevel::Out(const std::string& name) const {
    std::filesystem::create_directories(dir / "out");
    return dir / ("out/" + name);
}

GroupNode OpenedLevel::Group(const std::string& key) const {
    RecordingUserInterface quiet;
    const ResourceTree tree = BuildNormalView(level(), quiet);
    const GroupNode* group = tree.FindGroup(key);
    return group != nullptr ? *group : GroupNode{key, "", {}};
}

Conversion Converted(const LevelBuilder& builder, int index, Converter convert, const Options& options) {
    const OpenedLevel l(builder);
    return convert(l.level(), l.level().at(index), options, NoProgress());
}

Bytes PieceBytes(const Conversion& c, std::size_t i) {
    return std::get<Bytes>(c.pieces.at(i).content);
}

std::string PieceText(const Conversion& c, std::size_t i) {
    const Bytes bytes = PieceBytes(c, i);
    return {bytes.begin(), bytes.end()};
}

Bytes Text(std::string_view s) {
    return {s.begin(), s.end()};
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Slice(const Bytes& b, std::size_t at, std::size_t n) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

std::uint32_t Be32(const Bytes& b, std::size_t at) {
    return std::uint32_t{b.at(at)} << 24 | b.at(at + 1) << 16 | b.at(at + 2) << 8 | b.at(at + 3);
}

std::size_t FindChunk(const Bytes& b, std::string_view id) {
    return static_cast<std::size_t>(std::search(b.begin() + 12, b.end(), id.begin(), id.end()) - b.begin());
}

std::size_t CountFiles(const std::string& folder) {
    const auto isFile = [](const std::filesystem::directory_entry& e) { return e.is_regular_file(); };
    return static_cast<std::size_t>(std::ranges::count_if(std::filesystem::directory_iterator(folder), isFile));
}

ProgramResult RunCli(const std::vector<std::string>& arguments) {
    TempDir dir;
    // Test arguments hold no single quote.
    std::string command = DROSSEL_CLI_PATH;
    for (const auto& argument : arguments) command.append(" '").append(argument).append("'");
    const int status = std::system((command + " </dev/null >" + dir / "out" + " 2>" + dir / "err").c_str());
    const Bytes out = ReadFileBytes(dir / "out"), err = ReadFileBytes(dir / "err");
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, {out.begin(), out.end()}, {err.begin(), err.end()}};
}

std::optional<std::string> RunShell(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    std::string out;
    std::array<char, 65536> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return out;
}

::testing::AssertionResult ValidGlb(const std::vector<std::string>& paths) {
    std::string command = "node '" DROSSEL_SOURCE_DIR "/scripts/validate-gltf.js' '" DROSSEL_NODE_MODULES "'";
    for (const std::string& path : paths) command += " '" + path + "'";
    const std::string report = RunShell(command + " 2>&1; echo \"exit $?\"").value_or("");
    if (report.ends_with("exit 0\n")) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << report;
}

}  // namespace drossel::testing
