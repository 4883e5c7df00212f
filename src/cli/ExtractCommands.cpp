// unpack, convert and their batch forms: the Edit menu's commands with the
// output path or folder given on the command line.

#include "app/Batch.h"
#include "app/CommandShell.h"
#include "cli/CliContext.h"
#include "io/PathText.h"
#include "kinds/KindTable.h"

#include <filesystem>
#include <iostream>
#include <memory>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace drossel::cli {
namespace {

struct Arguments {
    std::string level;
    std::int64_t index = 0;
    std::string key;
    std::string out;
};

// Batch runs go on past a failing resource; the run as a whole then fails, and
// each failure's reason goes to stderr.
int Report(CliContext& context, const BatchSummary& summary) {
    if (!context.options.quiet) {
        for (const auto& failure : summary.failures) std::cerr << failure << '\n';
    }
    return summary.failures.empty() ? context.ExitCode() : kFailed;
}

// A batch allocates and frees the same few large buffers for every resource. By
// default glibc gives that memory back to the system after each resource and
// takes it again, page by page, for the next, which costs about half of a batch's
// time. Keeping it costs no more than the buffers of the largest resource.
void KeepFreedMemoryForReuse() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

// The folder answers the batch's folder prompt; it is made, with its parents,
// when it does not exist yet. False (after a message) when it cannot be.
bool PrepareBatch(CliContext& context, const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder)) {
        std::cerr << "drossel-cli: " << folder << " is not a folder"
                  << (error ? " and cannot be made one: " + error.message() : std::string()) << '\n';
        return false;
    }
    context.ui->folderAnswer = folder;
    KeepFreedMemoryForReuse();
    return true;
}

// A path to write to; false (after a message) when it is empty, since a
// command that writes nothing must say why.
bool CheckOutputPath(const std::string& path) {
    if (!path.empty()) return true;
    std::cerr << "drossel-cli: OUT is empty: nothing would be written\n";
    return false;
}

// The group node with this key, or a node without children for a resource node's
// key, as the folder commands receive the tree's selection.
GroupNode NodeOfKey(const ResourceTree& tree, const std::string& key) {
    if (const GroupNode* group = tree.FindGroup(key)) return *group;
    for (const GroupNode& g : tree.groups) {
        for (const ResourceNode& r : g.children) {
            if (r.key() == key) return {key, std::string(r.text), {}};
        }
    }
    throw UsageError{"KEY " + key + " names no node of the tree"};
}

CLI::App* Command(CLI::App& app, const char* name, const char* description, Arguments& a) {
    auto* command = app.add_subcommand(name, description);
    command->add_option("LEVEL.dat", a.level)->required();
    return command;
}

}  // namespace

void AddExtractCommands(CLI::App& app, CliContext& context) {
    auto a = std::make_shared<Arguments>();

    auto* unpack = Command(app, "unpack", "unpack one resource into OUT", *a);
    unpack->add_option("RESOURCE", a->index, "table index, 0-based")->required();
    unpack->add_option("OUT", a->out)->required();
    unpack->callback([&context, a] {
        context.run = [&context, a] {
            if (!context.Open(a->level)) return kFailed;
            const std::int32_t index = context.ResourceIndex(a->index);
            if (!CheckOutputPath(a->out)) return kFailed;
            const FilesOpenForCommand files(context.level());
            const bool wrote = UnpackResource(context.level(), index, *context.ui, a->out);
            return wrote ? context.ExitCode() : kFailed;
        };
    });

    auto* convert = Command(app, "convert", "convert one resource into OUT", *a);
    convert->add_option("RESOURCE", a->index, "table index, 0-based")->required();
    convert->add_option("OUT", a->out)->required();
    convert->callback([&context, a] {
        context.run = [&context, a] {
            if (!context.Open(a->level)) return kFailed;
            const std::int32_t index = context.ResourceIndex(a->index);
            const ResourceRecord& record = context.level().at(index);
            if (KindOf(record.tag).convert == nullptr) {
                std::cerr << "drossel-cli: resource " << a->index << " (" << record.tag << ") has no converter\n";
                return kFailed;
            }
            if (!CheckOutputPath(a->out)) return kFailed;
            const std::string folder = FolderOf(a->out);
            context.session.SetOutputFolder(folder.empty() ? "." : folder);
            const FilesOpenForCommand files(context.level());
            const bool wrote = ConvertResource(context.session, index, *context.ui, a->out);
            return wrote ? context.ExitCode() : kFailed;
        };
    });

    auto* unpackAll = Command(app, "unpack-all", "\"Unpack ALL !\" into FOLDER", *a);
    unpackAll->add_option("FOLDER", a->out)->required();
    unpackAll->callback([&context, a] {
        context.run = [&context, a] {
            if (!context.Open(a->level) || !PrepareBatch(context, a->out)) return kFailed;
            return Report(context, UnpackAll(context.session, *context.ui));
        };
    });

    auto* convertAll = Command(app, "convert-all", "\"Unpack end convert supported files!\" into FOLDER", *a);
    convertAll->add_option("FOLDER", a->out)->required();
    convertAll->callback([&context, a] {
        context.run = [&context, a] {
            if (!context.Open(a->level) || !PrepareBatch(context, a->out)) return kFailed;
            return Report(context, ConvertAll(context.session, *context.ui));
        };
    });

    auto* unpackGroup = Command(app, "unpack-group", "\"Export Folder\" on the group node KEY into FOLDER", *a);
    unpackGroup->add_option("KEY", a->key)->required();
    unpackGroup->add_option("FOLDER", a->out)->required();
    unpackGroup->callback([&context, a] {
        context.run = [&context, a] {
            if (!context.Open(a->level)) return kFailed;
            const GroupNode node = NodeOfKey(context.Tree(), a->key);
            if (!PrepareBatch(context, a->out)) return kFailed;
            return Report(context, UnpackGroup(context.session, *context.ui, node));
        };
    });

    auto* convertGroup =
        Command(app, "convert-group", "\"Export and Convert Folder\" on the group node KEY into FOLDER", *a);
    convertGroup->add_option("KEY", a->key)->required();
    convertGroup->add_option("FOLDER", a->out)->required();
    convertGroup->callback([&context, a] {
        context.run = [&context, a] {
            if (!context.Open(a->level)) return kFailed;
            const GroupNode node = NodeOfKey(context.Tree(), a->key);
            if (!PrepareBatch(context, a->out)) return kFailed;
            return Report(context, ConvertGroup(context.session, *context.ui, node));
        };
    });
}

}  // namespace drossel::cli
