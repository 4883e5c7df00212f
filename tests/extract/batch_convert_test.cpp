#include "../image/ImageReadBack.h"
#include "LevelFixture.h"
#include "container/OutputFile.h"
#include "container/ResourceTree.h"
#include "extract/Batch.h"
#include "extract/Commands.h"

#include <gtest/gtest.h>

using namespace drossel;
using namespace drossel::testing;

namespace {

// A converter for every kind, standing in for those that other parts of the
// program provide: it notes what it was asked to do and writes an empty file.
struct Call {
    std::int32_t index;
    std::string path;
    bool oneTextFile;
    bool operator==(const Call&) const = default;
};
std::vector<Call>& Calls() {
    static std::vector<Call> calls;
    return calls;
}
void NotingConverter(Session& session, UserInterface& ui, std::string& path) {
    Calls().push_back({session.selectedIndex, path, session.OneTextFile});
    WriteFileAtomically(path, {});
    ui.FileWritten(path);
}
Converter EveryKind(std::string_view) {
    return NotingConverter;
}

struct ConvertLevel {
    TempDir dir;
    LevelBuilder builder;
    Session session;
    RecordingUserInterface ui;
    std::string out;

    ConvertLevel() : out(dir / "out") {
        std::filesystem::create_directory(out);
        Calls().clear();
    }
    void Open() { session = OpenBuiltLevel(builder, dir); }
    GroupNode Group(const std::string& key) const { return GroupOf(session, key); }
    std::string Out(const std::string& name) const { return out + "/" + name; }
    bool StatusShown(const std::string& text) const {
        return std::find(ui.statusTexts.begin(), ui.statusTexts.end(), text) != ui.statusTexts.end();
    }
};

}  // namespace

TEST(ConvertAll, DemoLevelConvertsItsTexturesLargeTextureAndKeyIcons) {
    TempDir dir;
    Session session = OpenDemoLevel(dir);
    const std::string out = dir / "out";
    std::filesystem::create_directory(out);
    RecordingUserInterface ui;
    ui.folders.push_back(out);
    ConvertAll(session, ui);

    std::size_t expected = 0;
    std::int32_t lastConverted = -1;
    for (std::int32_t i = 0; i < session.table.count(); ++i) {
        const ResourceRecord& r = session.table.at(i);
        const bool converted = (r.tag == "TXMP" && r.flags != kHiddenFlags) || r.tag == "TXMB" || r.tag == "KeyI";
        EXPECT_EQ(Exists(out + "/" + r.name + ".tga"), converted) << r.name;
        if (converted) {
            ++expected;
            lastConverted = i;
        } else {
            EXPECT_NE(std::find(ui.statusTexts.begin(), ui.statusTexts.end(), "Status: Skiping " + r.name),
                      ui.statusTexts.end())
                << r.name;
        }
    }
    EXPECT_EQ(expected, 24u);  // 22 textures, the large texture and the key icons
    EXPECT_EQ(CountFiles(out), expected);
    EXPECT_EQ(ui.writtenFiles.size(), expected);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(session.selectedIndex, lastConverted);
    EXPECT_EQ(ui.progressMaximum, session.table.count());
    EXPECT_EQ(ui.highestProgress, session.table.count());
    EXPECT_EQ(ui.dialogs[0].request.title, "Select Directory");
    EXPECT_EQ(ui.locks,
              (std::vector<std::pair<BatchLock, bool>>{{BatchLock::WholeFile, true}, {BatchLock::WholeFile, false}}));
    const auto title = ReadWithImageMagick(out + "/title_screen.tga");
    ASSERT_TRUE(title.has_value());
    EXPECT_EQ(title->width, 640);
    EXPECT_EQ(title->height, 512);
    const auto keys = ReadWithImageMagick(out + "/KeyIcons.tga");
    ASSERT_TRUE(keys.has_value());
    EXPECT_EQ(keys->width, 320);
    EXPECT_EQ(keys->height, 32);
}

TEST(ConvertAll, EveryRowNamesItsOutputAndSkipsWhatItShould) {
    ConvertLevel c;
    auto& b = c.builder;
    const int texture = b.Add("TXMP", "wall", 192);
    b.Add("TXMP", "<none>", 192);
    b.AddUnnamed("TXMP", 192, 2);
    const int sound = b.Add("SNDD", "door.aif", 96);
    const int model = b.Add("M3GM", "crate");
    const int igst = b.Add("IGSt", "hint");
    const int tstr = b.Add("TStr", "title.text");
    const int txmb = b.Add("TXMB", "splash");
    const int keyi = b.Add("KeyI", "keys");
    const int oncc = b.Add("ONCC", "konoko");
    b.AddUnnamed("ONCC", 64, 2);
    const int subt = b.Add("SUBT", "intro.subt");
    const int stna = b.Add("StNA", "names");
    const int onlv = b.Add("ONLV", "level1");
    b.Add("TRMA", "skins");
    b.Add("AKEV", "env");
    c.Open();
    c.session.ImageExtension = ".bmp";
    c.ui.folders.push_back(c.out);
    RunConvertAll(c.session, c.ui, EveryKind);
    const std::string o = c.out + "/";
    EXPECT_EQ(Calls(), (std::vector<Call>{{texture, o + "wall.bmp", false},
                                          {sound, o + "door.wav", false},
                                          {model, o + "crate.lwo", false},
                                          {igst, o + "hint.txt", false},
                                          {tstr, o + "title.text.txt", false},
                                          {txmb, o + "splash.bmp", false},
                                          {keyi, o + "keys.bmp", false},
                                          {oncc, o + "konoko.lwo", false},
                                          {subt, o + "intro.subt.txt", false},
                                          {stna, o + "names.txt", false},
                                          {onlv, o + "level1.lwo", false}}));
    EXPECT_TRUE(c.StatusShown("Status: Skiping skins"));
    EXPECT_TRUE(c.StatusShown("Status: Skiping env"));
    EXPECT_FALSE(c.StatusShown("Status: Skiping <none>"));
}

TEST(ConvertAll, FailuresAndPlaceholdersDoNotStopTheRun) {
    ConvertLevel c;
    c.builder.AddTexture("broken", 64, 64, 1, Bytes(10, 0));
    const int shared = c.builder.AddTexture("shared", 4, 4, 1, Bytes(32, 0));
    c.builder.resource(shared).sizeField = 0;
    c.builder.AddTexture("fine", 4, 4, 1, Bytes(32, 0));
    c.Open();
    c.ui.folders.push_back(c.out);
    const BatchSummary summary = RunConvertAll(c.session, c.ui);
    EXPECT_TRUE(c.ui.messages.empty());
    ASSERT_EQ(summary.failures.size(), 1u);
    EXPECT_NE(summary.failures[0].find("Cannot convert texture broken"), std::string::npos);
    EXPECT_TRUE(c.StatusShown(summary.failures[0]));
    EXPECT_EQ(summary.skipped, 1);
    EXPECT_TRUE(
        c.StatusShown("Cannot convert shared: it has no data in this level file (its size is 0; the data "
                      "lives in another level file)"));
    EXPECT_EQ(CountFiles(c.out), 1u);
    EXPECT_TRUE(Exists(c.Out("fine.tga")));
}

TEST(ConvertAll, CancelledFolderChangesNothing) {
    ConvertLevel c;
    c.builder.AddTexture("wall", 4, 4, 1, Bytes(32, 0));
    c.Open();
    ConvertAll(c.session, c.ui);
    EXPECT_TRUE(c.ui.locks.empty());
    EXPECT_TRUE(c.ui.statusTexts.empty());
    EXPECT_TRUE(c.session.OutputFolder.empty());
}

TEST(ExportAndConvertFolder, TextureGroup) {
    ConvertLevel c;
    c.builder.AddTexture("a<b>c", 4, 4, 1, Bytes(32, 0));
    const int other = c.builder.Add("AKEV", "env");
    c.Open();
    c.session.selectedIndex = other;
    c.ui.folders.push_back(c.out);
    ExportAndConvertFolder(c.session, c.ui, c.Group("TXMP"));
    EXPECT_TRUE(Exists(c.Out("abc.tga")));
    EXPECT_EQ(CountFiles(c.out), 1u);
    EXPECT_EQ(c.ui.dialogs[0].request.title, "Select the directory to export TXMPs to:");
    ASSERT_EQ(c.ui.messages.size(), 1u);
    EXPECT_EQ(c.ui.messages[0].title, "Success!");
    EXPECT_EQ(c.ui.messages[0].text, "All Textures have been exported successfully!");
    EXPECT_EQ(c.ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(c.session.selectedIndex, other);
    EXPECT_EQ(c.ui.selectedNodes, std::vector<std::string>{"k0"});
    EXPECT_EQ(c.ui.status(), "Status: ---");
    EXPECT_EQ(c.ui.progressValue, 0);
    EXPECT_EQ(c.ui.highestProgress, 1);
    EXPECT_EQ(c.ui.locks,
              (std::vector<std::pair<BatchLock, bool>>{{BatchLock::Folder, true}, {BatchLock::Folder, false}}));
}

TEST(ExportAndConvertFolder, EveryGroupRow) {
    struct Row {
        const char* key;
        const char* prompt;
        const char* file;  // for a resource named "a<b>c.d"
        const char* title;
        const char* text;
    };
    const Row rows[] = {
        {"TXMP", "Select the directory to export TXMPs to:", "abc.d.tga", "Success!",
         "All Textures have been exported successfully!"},
        {"IGSt", "Select the directory to export to:", "abc.d.txt", "Success", "Files Unpacked"},
        {"TStr", "Select the directory to export to:", "abc.d.txt", "Success", "Files Unpacked"},
        {"M3GM", "Select the directory to export TXMPs to:", "abc.d.lwo", "Success", "Files Unpacked"},
        {"ONCC", "Select the directory to export:", "abc.d.lwo", "Success", "Converted successfully"},
        {"TXMB", "Select the directory to export TXMPs to:", "abc.d.tga", "Success!", "Converted Successfully!"},
        {"SNDD", "Select the directory to export SNDD's to:", "abc.wav", "Success", "Files Unpacked"},
        {"KeyI", "Select the directory to export TXMPs to:", "abc.d.tga", "Success!", "Converted Successfully!"},
        {"SUBT", "Select the directory to export SUBT to:", "abc.txt", "Success", "Files Unpacked"},
        {"StNA", "Select the directory to export SUBT to:", "abc.txt", "Success", "Files Unpacked"},
        {"TRMA", "Select the directory to export TRMA's to:", "abc.txt", "Success", "Files Unpacked"},
        {"IGSA", "Select the directory to export IGSA files:", "abc.txt", "Success", "Files Unpacked"},
        {"ONWC", "Select the directory to export ONWC files:", "abc.lwo", "Success", "Files Unpacked"},
    };
    for (const Row& row : rows) {
        ConvertLevel c;
        const int index = c.builder.Add(row.key, "a<b>c.d", 96);
        c.Open();
        c.ui.folders.push_back(c.out);
        c.ui.answers.push_back(MessageAnswer::No);  // the text question of IGSt and TStr
        RunExportAndConvertFolder(c.session, c.ui, c.Group(row.key), EveryKind);
        EXPECT_EQ(c.ui.dialogs.at(0).request.title, row.prompt) << row.key;
        EXPECT_EQ(Calls(), (std::vector<Call>{{index, c.Out(row.file), false}})) << row.key;
        const RecordedMessage& done = c.ui.messages.back();
        EXPECT_EQ(done.title, row.title) << row.key;
        EXPECT_EQ(done.text, row.text) << row.key;
    }
}

TEST(ExportAndConvertFolder, TextGroupsAskForOneFileOrMany) {
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel}) {
        ConvertLevel c;
        c.builder.Add("TStr", "title");
        c.Open();
        c.session.OneTextFile = answer == MessageAnswer::No;  // every answer changes it
        c.ui.folders.push_back(c.out);
        c.ui.answers.push_back(answer);
        RunExportAndConvertFolder(c.session, c.ui, c.Group("TStr"), EveryKind);
        ASSERT_GE(c.ui.messages.size(), 1u);
        const RecordedMessage& question = c.ui.messages[0];
        EXPECT_EQ(question.text,
                  "Export end Convert Oni Text resources to:\r\nYES - 1 Text File\r\nNO - more text file");
        EXPECT_EQ(question.title, "Drossel");
        EXPECT_EQ(question.icon, MessageIcon::Information);
        EXPECT_EQ(question.buttons, MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::Cancel) {
            EXPECT_TRUE(Calls().empty());
            EXPECT_EQ(c.ui.messages.size(), 1u);
        } else {
            ASSERT_EQ(Calls().size(), 1u);
            EXPECT_EQ(Calls()[0].oneTextFile, answer == MessageAnswer::Yes);
        }
        EXPECT_EQ(c.ui.locks.back(), (std::pair<BatchLock, bool>{BatchLock::Folder, false}));
    }
}

TEST(ExportAndConvertFolder, NodesWithoutAConverterConvertNothing) {
    ConvertLevel c;
    c.builder.Add("SNDD", "door.aif", 96);
    c.builder.Add("AKEV", "env");
    c.Open();
    c.ui.progressValue = 5;
    // Sounds have no converter in the table yet; AKEV has no row; "k1" is a resource node.
    for (const GroupNode& node : {c.Group("SNDD"), c.Group("AKEV"), GroupNode{"k1", "env", {}}, GroupNode{}}) {
        c.ui.statusTexts.clear();
        ExportAndConvertFolder(c.session, c.ui, node);
        EXPECT_TRUE(c.ui.dialogs.empty()) << node.key;
        EXPECT_EQ(c.ui.statusTexts, std::vector<std::string>{"Status: ---"}) << node.key;
        EXPECT_EQ(c.ui.progressValue, 0);
    }
    EXPECT_EQ(CountFiles(c.out), 0u);
    EXPECT_TRUE(c.ui.messages.empty());
}

TEST(ExportAndConvertFolder, CancelledFolderUnlocksAndConvertsNothing) {
    ConvertLevel c;
    c.builder.AddTexture("wall", 4, 4, 1, Bytes(32, 0));
    c.Open();
    ExportAndConvertFolder(c.session, c.ui, c.Group("TXMP"));
    EXPECT_EQ(c.ui.locks,
              (std::vector<std::pair<BatchLock, bool>>{{BatchLock::Folder, true}, {BatchLock::Folder, false}}));
    EXPECT_TRUE(c.ui.messages.empty());
    EXPECT_EQ(CountFiles(c.out), 0u);
}
