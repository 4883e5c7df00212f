#include "container/ResourceTable.h"

namespace drossel {

void IdentifierIndex::Build(const std::vector<ResourceRecord>& records) {
    first_.clear();
    first_.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].identifier) first_.try_emplace(*records[i].identifier, static_cast<std::int32_t>(i));
    }
}

std::optional<std::int32_t> IdentifierIndex::Find(std::uint32_t identifier) const {
    const auto it = first_.find(identifier);
    if (it == first_.end()) return std::nullopt;
    return it->second;
}

const ResourceRecord* ResourceTable::Resolve(std::uint32_t identifier) const {
    const auto index = identifiers.Find(identifier);
    return index ? &records[static_cast<std::size_t>(*index)] : nullptr;
}

}  // namespace drossel
