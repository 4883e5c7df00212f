#include "container/PathText.h"
#include "container/Session.h"
#include "container/UserInterface.h"
#include "extract/Batch.h"
#include "extract/BatchSteps.h"

#include <array>

namespace drossel {
namespace {

enum class Base { Name, NameWithoutExtension };

// What "Unpack end convert supported files!" does with a resource of one kind.
struct WholeFileRow {
    std::string_view tag;
    bool skipHidden;    // skipped when the flags are 2
    bool skipNoneName;  // skipped when the name is "<none>"
    Base base;
    std::string_view extension;  // empty: the Textures option's extension
};

constexpr std::array<WholeFileRow, 11> kWholeFileRows{{
    {"TXMP", true, true, Base::Name, ""},
    {"SNDD", false, false, Base::NameWithoutExtension, ".wav"},
    {"M3GM", false, false, Base::Name, ".lwo"},
    {"IGSt", false, false, Base::Name, ".txt"},
    {"TStr", false, false, Base::Name, ".txt"},
    {"TXMB", false, false, Base::Name, ""},
    {"KeyI", false, false, Base::Name, ""},
    {"ONCC", true, false, Base::Name, ".lwo"},
    {"SUBT", false, false, Base::Name, ".txt"},
    {"StNA", false, false, Base::Name, ".txt"},
    {"ONLV", false, false, Base::Name, ".lwo"},
}};

// What "Export and Convert Folder" does with the group node of one kind.
struct FolderRow {
    std::string_view key;
    std::string_view prompt;
    Base base;
    std::string_view extension;  // empty: the Textures option's extension
    std::string_view messageTitle;
    std::string_view messageText;
};

constexpr std::array<FolderRow, 13> kFolderRows{{
    {"TXMP", "Select the directory to export TXMPs to:", Base::Name, "", "Success!",
     "All Textures have been exported successfully!"},
    {"IGSt", "Select the directory to export to:", Base::Name, ".txt", "Success", "Files Unpacked"},
    {"TStr", "Select the directory to export to:", Base::Name, ".txt", "Success", "Files Unpacked"},
    {"M3GM", "Select the directory to export TXMPs to:", Base::Name, ".lwo", "Success", "Files Unpacked"},
    {"ONCC", "Select the directory to export:", Base::Name, ".lwo", "Success", "Converted successfully"},
    {"TXMB", "Select the directory to export TXMPs to:", Base::Name, "", "Success!", "Converted Successfully!"},
    {"SNDD", "Select the directory to export SNDD's to:", Base::NameWithoutExtension, ".wav", "Success",
     "Files Unpacked"},
    {"KeyI", "Select the directory to export TXMPs to:", Base::Name, "", "Success!", "Converted Successfully!"},
    {"SUBT", "Select the directory to export SUBT to:", Base::NameWithoutExtension, ".txt", "Success",
     "Files Unpacked"},
    {"StNA", "Select the directory to export SUBT to:", Base::NameWithoutExtension, ".txt", "Success",
     "Files Unpacked"},
    {"TRMA", "Select the directory to export TRMA's to:", Base::NameWithoutExtension, ".txt", "Success",
     "Files Unpacked"},
    {"IGSA", "Select the directory to export IGSA files:", Base::NameWithoutExtension, ".txt", "Success",
     "Files Unpacked"},
    {"ONWC", "Select the directory to export ONWC files:", Base::NameWithoutExtension, ".lwo", "Success",
     "Files Unpacked"},
}};

constexpr const char* kTextQuestion =
    "Export end Convert Oni Text resources to:\r\nYES - 1 Text File\r\nNO - more text file";

std::string Extension(const Session& session, std::string_view extension) {
    return extension.empty() ? session.ImageExtension : std::string(extension);
}

const WholeFileRow* WholeFileRowOf(std::string_view tag) {
    for (const auto& row : kWholeFileRows) {
        if (row.tag == tag) return &row;
    }
    return nullptr;
}

const FolderRow* FolderRowOf(std::string_view key) {
    for (const auto& row : kFolderRows) {
        if (row.key == key) return &row;
    }
    return nullptr;
}

}  // namespace

BatchSummary RunConvertAll(Session& session, UserInterface& ui, ConverterLookup lookup) {
    const std::string folder = ui.BrowseForFolder("Select Directory");
    if (folder.empty()) return {};
    session.SetOutputFolder(folder);
    BatchLockGuard lock(ui, BatchLock::WholeFile);
    BatchReporting batch(ui);
    ForEachRecord(session, ui, [&](std::int32_t i, const ResourceRecord& r) {
        const WholeFileRow* row = WholeFileRowOf(r.tag);
        const Converter converter = row != nullptr ? lookup(r.tag) : nullptr;
        if (converter == nullptr) {
            ui.SetStatusText("Status: Skiping " + r.name);
        } else if ((row->skipHidden && r.flags == kHiddenFlags) || (row->skipNoneName && r.name == "<none>")) {
            ++batch.summary().skipped;
        } else if (!SkipPlaceholder(batch, r, "convert")) {
            const std::string base = row->base == Base::NameWithoutExtension ? StripExtension(r.name) : r.name;
            std::string path = session.OutputFolder + base + Extension(session, row->extension);
            session.selectedIndex = i;
            converter(session, batch, path);
        }
    });
    return batch.summary();
}

BatchSummary RunExportAndConvertFolder(Session& session, UserInterface& ui, const GroupNode& node,
                                       ConverterLookup lookup) {
    BatchLockGuard lock(ui, BatchLock::Folder);
    BatchReporting batch(ui);
    const FolderRow* row = FolderRowOf(node.key);
    const Converter converter = row != nullptr ? lookup(node.key) : nullptr;
    if (converter != nullptr) {
        const std::string folder = ui.BrowseForFolder(std::string(row->prompt));
        if (folder.empty()) return {};
        session.SetOutputFolder(folder);
        if (node.key == "IGSt" || node.key == "TStr") {
            const MessageAnswer answer =
                ui.ShowMessage(kTextQuestion, kProgramTitle, MessageIcon::Information, MessageButtons::YesNoCancel);
            if (answer == MessageAnswer::Cancel) return {};
            session.OneTextFile = answer == MessageAnswer::Yes;
        }
        const std::int32_t remembered = session.selectedIndex;
        ForEachChild(session, batch, ui, node, "convert", [&](std::int32_t, const ResourceRecord& r) {
            std::string base = WithoutAngleBrackets(r.name);
            if (row->base == Base::NameWithoutExtension) base = StripExtension(base);
            std::string path = session.OutputFolder + base + Extension(session, row->extension);
            if (!SkipPlaceholder(batch, r, "convert")) converter(session, batch, path);
        });
        session.selectedIndex = remembered;
        ui.ShowMessage(std::string(row->messageText), std::string(row->messageTitle), MessageIcon::Information);
    }
    ui.SetProgressValue(0);
    ui.SetStatusText("Status: ---");
    return batch.summary();
}

}  // namespace drossel
