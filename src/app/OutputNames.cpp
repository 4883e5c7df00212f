#include "app/OutputNames.h"

#include "io/PathText.h"
#include "kinds/KindTable.h"

#include <algorithm>
#include <cctype>

namespace drossel {
namespace {

std::string Named(std::string_view name, Naming naming, const Options& options) {
    const std::string base =
        naming.base == NameBase::NameWithoutExtension ? StripExtension(std::string(name)) : std::string(name);
    const std::string extension =
        naming.extension == kImageOptionExtension ? ImageExtension(options.Image) : std::string(naming.extension);
    return FileNamePart(base + extension);
}

}  // namespace

std::string WithoutAngleBrackets(std::string name) {
    std::erase_if(name, [](char c) { return c == '<' || c == '>'; });
    return name;
}

std::string UnpackDialogName(const ResourceRecord& resource) {
    const Kind& kind = KindOf(resource.tag);
    const std::string extension =
        kind.unpackDialogExtension.empty() ? std::string(".") + resource.tag : std::string(kind.unpackDialogExtension);
    return Named(resource.name, {kind.unpackBase, extension}, {});
}

std::string UnpackAllPath(const std::string& folder, const ResourceRecord& resource) {
    return folder + FileNamePart(std::string(resource.name) + "." + resource.tag);
}

std::string UnpackGroupPath(const std::string& folder, std::string_view groupKey, const ResourceRecord& resource) {
    // Kinds with their own routine take their tag in lower case, the others the
    // resource's own tag.
    const Kind& group = KindOf(groupKey);
    std::string extension = ".";
    extension += group.unpacksRaw ? LowerCase(groupKey) : resource.tag.str();
    return folder + Named(WithoutAngleBrackets(std::string(resource.name)), {group.unpackBase, extension}, {});
}

std::string ConvertDialogName(const ResourceRecord& resource, const Options& options) {
    return Named(resource.name, KindOf(resource.tag).saveDialog.proposedName, options);
}

std::string ConvertDialogExtension(const ResourceRecord& resource, const Options& options) {
    const std::string_view extension = KindOf(resource.tag).saveDialog.defaultExtension;
    return extension == kImageOptionExtension ? ImageExtension(options.Image) : std::string(extension);
}

std::string ConvertDialogFilter(const ResourceRecord& resource, const Options& options) {
    std::string filter(KindOf(resource.tag).saveDialog.filter);
    const std::string extension = ConvertDialogExtension(resource, options);
    if (extension.empty() || filter.find("*" + extension) != std::string::npos) return filter;
    std::string name = extension.substr(1);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    return name + " (*" + extension + ")|*" + extension + (filter.empty() ? "" : "|" + filter);
}

std::string ConvertAllPath(const std::string& folder, const ResourceRecord& resource, const Options& options) {
    return folder + Named(resource.name, KindOf(resource.tag).convertAll.naming, options);
}

std::string ConvertGroupPath(const std::string& folder, std::string_view groupKey, const ResourceRecord& resource,
                             const Options& options) {
    return folder + Named(WithoutAngleBrackets(std::string(resource.name)), KindOf(groupKey).folder.naming, options);
}

}  // namespace drossel
