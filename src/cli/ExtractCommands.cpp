// unpack, convert and their batch forms: the Edit menu's commands with the
// output path or folder given on the command line.

#include "cli/CliContext.h"
#include "extract/Batch.h"
#include "extract/ConverterTable.h"
#include "extract/Unpack.h"

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

// The folder answers the batch's folder prompt; false (after a message) when it is no folder.
bool PrepareBatch(CliContext& context, const std::string& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        std::cerr << "drossel-cli: " << folder << " is not a folder\n";
        return false;
    }
    context.ui->folderAnswer = folder;
    KeepFreedMemoryForReuse();
    return true;
}

// The group node with this key, or a node without children for a resource node's
// key, as the folder commands receive the tree's selection.
GroupNode NodeOfKey(const ResourceTree& tree, const std::string& key) {
    if (const GroupNode* group = tree.FindGroup(key)) return *group;
    for (const GroupNode& g : tree.groups) {
        for (const ResourceNode& r : g.children) {
            if (r.key == key) return {r.key, r.text, {}};
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
            Session& s = context.session;
            s.selectedIndex = context.ResourceIndex(a->index);
            std::string path = a->out;
            UnpackRoutineFor(s.table.at(s.selectedIndex).tag)(s, *context.ui, path);
            return context.ExitCode();
        };
    });

    auto* convert = Command(app, "convert", "convert one resource into OUT", *a);
    convert->add_option("RESOURCE", a->index, "table index, 0-based")->required();
    convert->add_option("OUT", a->out)->required();
    convert->callback([&context, a] {
        context.run = [&context, a] {
            if (!context.Open(a->level)) return kFailed;
            Session& s = context.session;
            s.selectedIndex = context.ResourceIndex(a->index);
            const ResourceRecord& record = s.table.at(s.selectedIndex);
            const Converter converter = ConverterFor(record.tag);
            if (converter == nullptr) {
                std::cerr << "drossel-cli: resource " << a->index << " (" << record.tag << ") has no converter\n";
                return kFailed;
            }
            const std::string folder = std::filesystem::path(a->out).parent_path().string();
            s.SetOutputFolder(folder.empty() ? "." : folder);
            std::string path = a->out;
            converter(s, *context.ui, path);
            return context.ExitCode();
        };
    });

    auto* unpackAll = Command(app, "unpack-all", "\"Unpack ALL !\" into FOLDER", *a);
    unpackAll->add_option("FOLDER", a->out)->required();
    unpackAll->callback([&context, a] {
        context.run = [&context, a] {
            if (!context.Open(a->level) || !PrepareBatch(context, a->out)) return kFailed;
            return Report(context, RunUnpackAll(context.session, *context.ui));
        };
    });

    auto* convertAll = Command(app, "convert-all", "\"Unpack end convert supported files!\" into FOLDER", *a);
    convertAll->add_option("FOLDER", a->out)->required();
    convertAll->callback([&context, a] {
        context.run = [&context, a] {
            if (!context.Open(a->level) || !PrepareBatch(context, a->out)) return kFailed;
            return Report(context, RunConvertAll(context.session, *context.ui));
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
            return Report(context, RunExportFolder(context.session, *context.ui, node));
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
            return Report(context, RunExportAndConvertFolder(context.session, *context.ui, node));
        };
    });
}

}  // namespace drossel::cli
