// info, tree and show: what the information windows and the tree display.

#include "app/InfoText.h"
#include "cli/CliContext.h"

#include <iostream>
#include <memory>

namespace drossel::cli {

void AddInfoCommands(CLI::App& app, CliContext& context) {
    auto level = std::make_shared<std::string>();
    auto index = std::make_shared<std::int64_t>(0);

    auto* info = app.add_subcommand("info", "print the \"Dat File Info\" lines");
    info->add_option("LEVEL.dat", *level)->required();
    info->callback([&context, level] {
        context.run = [&context, level] {
            // The header is all it shows: the table is checked, not kept.
            const std::optional<DatHeader> header = context.OpenHeader(*level);
            if (!header) return kFailed;
            for (const auto& line : DatFileInfoLines(*level, context.RawPathFor(*level), *header))
                std::cout << line << '\n';
            return context.ExitCode();
        };
    });

    auto* tree = app.add_subcommand("tree", "print the resource tree");
    tree->add_option("LEVEL.dat", *level)->required();
    tree->callback([&context, level] {
        context.run = [&context, level] {
            if (!context.Open(*level)) return kFailed;
            const ResourceTree t = context.Tree();
            // Written a block at a time: a level's tree runs to megabytes.
            constexpr std::size_t kBlock = 64 * 1024;
            std::string out;
            out.reserve(kBlock);
            const auto write = [&out] {
                std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
                out.clear();
            };
            for (const GroupNode& g : t.groups) {
                out.append(g.key).append("\t").append(g.text) += '\n';
                for (const ResourceNode& r : g.children) {
                    out.append("\t").append(r.key()).append("\t").append(r.text) += '\n';
                    if (out.size() >= kBlock - 4096) write();
                }
            }
            write();
            return context.ExitCode();
        };
    });

    auto* show = app.add_subcommand("show", "print the \"Resource Info\" fields of one resource");
    show->add_option("LEVEL.dat", *level)->required();
    show->add_option("RESOURCE", *index, "table index, 0-based")->required();
    show->callback([&context, level, index] {
        context.run = [&context, level, index] {
            if (!context.Open(*level)) return kFailed;
            const auto& record = context.level().at(context.ResourceIndex(*index));
            for (const auto& field : ResourceInfoFields(record, context.level().RawSlotOf(record)))
                std::cout << field.label << ' ' << field.value << '\n';
            return context.ExitCode();
        };
    });
}

}  // namespace drossel::cli
