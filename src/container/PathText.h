#pragma once
// Path text helpers. They work on text only and never touch the file system;
// "/" separates folders.

#include <string>

namespace drossel {

// Text after the last "/"; the whole path when it holds none.
std::string FileNameOf(const std::string& path);
// The path without the extension of its file name ("a.b.c" -> "a.b"). A dot in
// a folder name never counts; a name that begins with its only dot loses all of it.
std::string StripExtension(const std::string& path);
// The extension of the file name without its dot; empty when it has none.
std::string ExtensionOf(const std::string& path);

}  // namespace drossel
