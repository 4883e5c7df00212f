#pragma once
// Path text helpers. They work on text only and never touch the file system;
// "/" separates folders.

#include <string>
#include <string_view>

namespace drossel {

// Text after the last "/"; the whole path when it holds none.
std::string FileNameOf(const std::string& path);
// The folder part of the path with its trailing "/"; empty when it holds none.
std::string FolderOf(const std::string& path);
// The path without the extension of its file name ("a.b.c" -> "a.b"). A dot in
// a folder name never counts; a name that begins with its only dot loses all of it.
std::string StripExtension(const std::string& path);
// The extension of the file name without its dot; empty when it has none.
std::string ExtensionOf(const std::string& path);
// The text in lower case (ASCII letters only).
std::string LowerCase(std::string_view text);

// Level data made fit for a part of a file name: every "/", "\" and control
// byte (below 0x20) becomes "_", so no part can name another folder or break
// the one-path-per-line output of the command line.
std::string FileNamePart(std::string_view text);
// True when `path` is `folder` (which ends with "/") followed by a plain file
// name: not empty, not "." or "..", and holding no "/".
bool IsFileInFolder(const std::string& path, const std::string& folder);

}  // namespace drossel
