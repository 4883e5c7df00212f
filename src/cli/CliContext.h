#pragma once
// What every drossel-cli command shares: the options that every command takes,
// and opening the level with them.

#include "app/ResourceTree.h"
#include "app/Session.h"
#include "cli/ConsoleUserInterface.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace drossel::cli {

// Exit codes.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

// A wrong command line found after parsing (an index out of range, ...).
struct UsageError {
    std::string message;
};

struct CommonOptions {
    std::string rawPath;
    Options conversion;  // starts at the program's defaults
    bool glb = false;    // --3d-format glb: every model, character, weapon and level as glTF binary
    int jobs = 0;        // 0: one per core
    bool zephyr = false;
    bool quiet = false;
    bool verbose = false;
};

class CliContext {
public:
    CommonOptions options;
    // Set by the chosen command: runs it and returns the exit code.
    std::function<int()> run;

    Session session;
    std::unique_ptr<ConsoleUserInterface> ui;

    // Opens the level and applies the options; false (after a message on stderr)
    // when the file is refused.
    bool Open(const std::string& datPath);
    // Reads and checks the level as Open does, keeping only its header.
    std::optional<DatHeader> OpenHeader(const std::string& datPath);
    // The .raw file the command works with: --raw, or the one beside the .dat file.
    std::string RawPathFor(const std::string& datPath) const;
    const Level& level() const { return *session.level; }
    // The table index named on the command line; throws UsageError when outside the table.
    std::int32_t ResourceIndex(std::int64_t index) const;
    ResourceTree Tree();
    int ExitCode() const { return ui->failed() ? kFailed : kOk; }

private:
    void StartConsole();
};

void AddCommonOptions(CLI::App& app, CommonOptions& options);
void AddInfoCommands(CLI::App& app, CliContext& context);
void AddExtractCommands(CLI::App& app, CliContext& context);
void AddEditCommands(CLI::App& app, CliContext& context);

}  // namespace drossel::cli
