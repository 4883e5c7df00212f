#pragma once
// Converters of textures, large textures and key icon strips to BMP or TGA
// pictures. Each converts the resource at session.selectedIndex; an empty output
// path asks with the save dialog and receives the chosen path, a given path is
// used as it is (batch use).

#include <string>

namespace drossel {

struct Session;
class UserInterface;

void ConvertTxmp(Session& session, UserInterface& ui, std::string& outputPath);
void ConvertTxmb(Session& session, UserInterface& ui, std::string& outputPath);
void ConvertKeyI(Session& session, UserInterface& ui, std::string& outputPath);

}  // namespace drossel
