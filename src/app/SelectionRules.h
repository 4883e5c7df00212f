#pragma once
// Which of the four selection commands a click in the tree leaves available:
// a resource's kind decides Unpack and Unpack and Convert, a group's key the
// two folder commands. A kind of neither class leaves the command as it was.
// And which resource a Tools window opens on.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace drossel {

class UserInterface;
struct Session;

// Unpack (toolbar button 5), Unpack and Convert (8), Export Folder (6), Export
// and Convert Folder (9).
struct SelectionCommands {
    bool unpack = false;
    bool unpackAndConvert = false;
    bool exportFolder = false;
    bool exportAndConvertFolder = false;
    bool operator==(const SelectionCommands&) const = default;
};

SelectionCommands AfterResourceClick(SelectionCommands before, std::string_view tag);
SelectionCommands AfterGroupClick(SelectionCommands before, std::string_view key);

// The selected resource when its tag is one of `tags`; otherwise, after
// `wrongTag` in a critical message, nothing.
std::optional<std::int32_t> SelectedForTool(const Session& session, UserInterface& ui,
                                            std::span<const std::string_view> tags, const char* wrongTag);

}  // namespace drossel
