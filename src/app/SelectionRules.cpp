#include "app/SelectionRules.h"

#include "kinds/KindTable.h"

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

}  // namespace drossel
