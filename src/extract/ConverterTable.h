#pragma once
// The one place where resource kinds meet their converters. Every converter has
// the shape of the unpack routines: it converts the resource at
// session.selectedIndex, and an empty output path makes it ask with its own save
// dialog and receive the chosen path.

#include <string>
#include <string_view>

namespace drossel {

struct Session;
class UserInterface;

using Converter = void (*)(Session& session, UserInterface& ui, std::string& outputPath);
using ConverterLookup = Converter (*)(std::string_view tag);

// The converter of a tag (exact, case-sensitive match), or nullptr when the kind
// has none.
Converter ConverterFor(std::string_view tag);

}  // namespace drossel
