#include "extract/ConverterTable.h"

#include "image/ImageConverters.h"

#include <array>

namespace drossel {
namespace {

struct Entry {
    std::string_view tag;
    Converter converter;
};

// Kinds that are not listed have no converter yet: every command treats them like
// any other kind without one.
constexpr std::array<Entry, 3> kConverters{{
    {"TXMP", ConvertTxmp},
    {"TXMB", ConvertTxmb},
    {"KeyI", ConvertKeyI},
}};

}  // namespace

Converter ConverterFor(std::string_view tag) {
    for (const Entry& e : kConverters) {
        if (e.tag == tag) return e.converter;
    }
    return nullptr;
}

}  // namespace drossel
