#pragma once
// The names of output files as each command forms them from a resource: the
// names the save dialogs propose and the paths the batch commands write. Level
// data is cleaned before it becomes part of a name (FileNamePart), so no name
// can reach into another folder.

#include "convert/Options.h"
#include "level/ResourceTable.h"

#include <string>
#include <string_view>

namespace drossel {

// "Unpack": the file name its save dialog proposes.
std::string UnpackDialogName(const ResourceRecord& resource);
// "Unpack ALL !": the name and the tag, whatever the kind.
std::string UnpackAllPath(const std::string& folder, const ResourceRecord& resource);
// "Export Folder" on the group node with this key.
std::string UnpackGroupPath(const std::string& folder, std::string_view groupKey, const ResourceRecord& resource);

// "Unpack and Convert": the file name its save dialog proposes, and the
// extension it starts with (empty: the one of the filter the person chooses).
std::string ConvertDialogName(const ResourceRecord& resource, const Options& options);
std::string ConvertDialogExtension(const ResourceRecord& resource, const Options& options);
// Its filter, led by one for that extension when the kind's own filter has none.
std::string ConvertDialogFilter(const ResourceRecord& resource, const Options& options);
// "Unpack end convert supported files!"
std::string ConvertAllPath(const std::string& folder, const ResourceRecord& resource, const Options& options);
// "Export and Convert Folder" on the group node with this key.
std::string ConvertGroupPath(const std::string& folder, std::string_view groupKey, const ResourceRecord& resource,
                             const Options& options);

// The name with every "<" and ">" removed: the folder commands' base of file names.
std::string WithoutAngleBrackets(std::string name);

}  // namespace drossel
