#include "container/Session.h"

namespace drossel {

void Session::ResetLoadOptions() {
    ImageExtension = ".tga";
    ImageBits = 32;
    ModelLwoFormat = 65;
    CharacterLwoFormat = 60;
    WavExtension = ".wav";
    LevelFormat = 1;
}

void Session::SetOutputFolder(const std::string& folder) {
    OutputFolder = folder;
    if (OutputFolder.empty() || OutputFolder.back() != '/') OutputFolder += '/';
}

}  // namespace drossel
