#include "app/EditReports.h"

#include "level/Level.h"

namespace drossel {

std::string StringSavedText(const Level& level, std::int32_t index) {
    const ResourceRecord& r = level.at(index);
    return "Status: Saved the text of " + std::string(r.name) + " (" + r.tag.str() + ") into " + level.datPath();
}

std::string LightsSavedText(const Level& level, std::int32_t index, std::uint32_t quadCount) {
    return "Status: Saved the colours of " + std::to_string(quadCount) + (quadCount == 1 ? " quad" : " quads") +
           " of " + std::string(level.at(index).name) + " into " + level.datPath();
}

}  // namespace drossel
