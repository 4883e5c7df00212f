#pragma once
// The game's texts are single bytes in the Windows-1252 code page; the desktop
// program and the shell speak UTF-8. Every byte has a character (the five bytes
// the code page leaves unassigned keep their C1 control characters), so a text
// read and written back unchanged keeps its bytes.

#include <optional>
#include <string>
#include <string_view>

namespace drossel {

std::string Utf8FromWindows1252(std::string_view bytes);

// The bytes of a UTF-8 text, or nothing when it is not valid UTF-8 or holds a
// character the code page cannot store; then `unstorable` (when given)
// receives that character, in UTF-8, or the invalid byte.
std::optional<std::string> Windows1252FromUtf8(std::string_view utf8, std::string* unstorable = nullptr);

}  // namespace drossel
