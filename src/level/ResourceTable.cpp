#include "level/ResourceTable.h"

namespace drossel {

namespace {

// Identifiers are mostly (index << 8) | 1: mix the bits so they spread over the slots.
std::size_t SlotOf(std::uint32_t identifier, std::size_t mask) {
    return static_cast<std::size_t>((identifier * 0x9E3779B1u) >> 7) & mask;
}

}  // namespace

void IdentifierIndex::Build(std::size_t count,
                            const std::function<std::optional<std::uint32_t>(std::size_t)>& identifierOf) {
    std::size_t capacity = 16;
    while (capacity < count * 2) capacity *= 2;
    slots_.assign(capacity, Slot{});
    const std::size_t mask = capacity - 1;
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<std::uint32_t> identifier = identifierOf(i);
        if (!identifier) continue;
        const std::uint32_t id = *identifier;
        for (std::size_t s = SlotOf(id, mask);; s = (s + 1) & mask) {
            if (slots_[s].index < 0) {
                slots_[s] = {id, static_cast<std::int32_t>(i)};
                break;
            }
            if (slots_[s].identifier == id) break;  // an earlier record keeps it
        }
    }
}

std::optional<std::int32_t> IdentifierIndex::Find(std::uint32_t identifier) const {
    if (slots_.empty()) return std::nullopt;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t s = SlotOf(identifier, mask);; s = (s + 1) & mask) {
        if (slots_[s].index < 0) return std::nullopt;
        if (slots_[s].identifier == identifier) return slots_[s].index;
    }
}

std::string PlaceholderReason() {
    return "it has no data in this level file (its size is 0; the data lives in another level file)";
}

}  // namespace drossel
