#include "level/records/StringRecords.h"

namespace drossel {

std::string CutAtNul(std::string_view field) {
    return std::string(field.substr(0, field.find('\0')));
}

}  // namespace drossel
