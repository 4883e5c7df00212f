#include "app/Commands.h"

#include "app/CommandShell.h"
#include "app/Session.h"

namespace drossel {

void Unpack(Session& session, UserInterface& ui) {
    if (session.Selected() == nullptr) return;
    const FilesOpenForCommand files(*session.level);
    UnpackResource(*session.level, session.selectedIndex, ui, {});
}

void Convert(Session& session, UserInterface& ui) {
    if (session.Selected() == nullptr) return;
    const FilesOpenForCommand files(*session.level);
    ConvertResource(session, session.selectedIndex, ui, {});
}

}  // namespace drossel
