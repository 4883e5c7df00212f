#include "app/SelectionRules.h"

#include "app/Session.h"
#include "app/UserInterface.h"
#include "kinds/KindTable.h"

#include <algorithm>

namespace drossel {

SelectionCommands AfterResourceClick(SelectionCommands state, std::string_view tag) {
    state.unpack = true;
    switch (KindOf(tag).resourceClass) {
        case ResourceClass::UnpackOnly:
            state.unpackAndConvert = false;
            break;
        case ResourceClass::Convertible:
            state.unpackAndConvert = true;
            break;
        case ResourceClass::Other:
            break;
    }
    state.exportFolder = false;
    state.exportAndConvertFolder = false;
    return state;
}

SelectionCommands AfterGroupClick(SelectionCommands state, std::string_view key) {
    switch (KindOf(key).groupClass) {
        case GroupClass::FolderUnpackOnly:
            state.exportFolder = true;
            state.exportAndConvertFolder = false;
            break;
        case GroupClass::FolderConvertible:
            state.exportFolder = true;
            state.exportAndConvertFolder = true;
            break;
        case GroupClass::Other:
            break;
    }
    state.unpack = false;
    state.unpackAndConvert = false;
    return state;
}

std::optional<std::int32_t> SelectedForTool(const Session& session, UserInterface& ui,
                                            std::span<const std::string_view> tags, const char* wrongTag) {
    const ResourceRecord* record = session.Selected();
    if (record == nullptr || std::find(tags.begin(), tags.end(), record->tag.view()) == tags.end()) {
        ui.ShowMessage(wrongTag, kProgramTitle, MessageIcon::Critical);
        return std::nullopt;
    }
    return session.selectedIndex;
}

}  // namespace drossel
