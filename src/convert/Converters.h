#pragma once
// One converter per convertible kind. Each reads its resource from the level and
// returns what it made; the kind table joins them to their tags. Each throws
// DrosselError when the resource cannot be converted.

#include "convert/Conversion.h"

namespace drossel {

Conversion ConvertTxmp(const Level& level, const ResourceRecord& resource, const Options& options);
Conversion ConvertTxmb(const Level& level, const ResourceRecord& resource, const Options& options);
Conversion ConvertKeyI(const Level& level, const ResourceRecord& resource, const Options& options);

}  // namespace drossel
