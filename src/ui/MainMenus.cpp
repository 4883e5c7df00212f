// The main window's menus, option groups and toolbar.

#include "ui/Icons.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace drossel::ui {
namespace {

QMenu* Menu(QWidget* parent, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromLatin1(caption), parent);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

QMenu* SubMenu(QMenu* parent, const char* name, const char* caption) {
    QMenu* menu = Menu(parent, name, caption);
    parent->addMenu(menu);
    return menu;
}

void Separator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

struct ToolbarButtonInfo {
    int position;
    const char* tooltip;
    void (Form1::*command)();
};

}  // namespace

QAction* Form1::Entry(QMenu* menu, const char* name, const char* caption, void (Form1::*command)()) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QLatin1String(name));
    if (command != nullptr)
        connect(action, &QAction::triggered, this, [this, command] { Run([this, command] { (this->*command)(); }); });
    return action;
}

QAction* Form1::Option(QMenu* menu, QActionGroup* group, const char* name, const char* caption,
                       std::function<void()> store) {
    QAction* action = Entry(menu, name, caption);
    action->setCheckable(true);
    group->addAction(action);
    connect(action, &QAction::triggered, this, std::move(store));
    return action;
}

void Form1::CreateMenus() {
    mnuFile_ = Menu(this, "mnuFile", "File");
    Entry(mnuFile_, "mnuDat", "Open Oni Dat File...", &Form1::OpenCommand);
    Entry(mnuFile_, "mnuRaw", "Path for Oni Raw Data File...", &Form1::RawFileCommand);
    Entry(mnuFile_, "mnuclose", "Close", &Form1::CloseCommand);
    Separator(mnuFile_, "s2");
    Entry(mnuFile_, "mnuExit", "Exit", &Form1::ExitCommand);

    mnuEdit_ = Menu(this, "mnuEdit", "Edit");
    mnuUnpAll_ = Entry(mnuEdit_, "mnuUnpAll", "Unpack ALL !", &Form1::UnpackAllCommand);
    mnuUCALL_ = Entry(mnuEdit_, "mnuUCALL", "Unpack end convert supported files!", &Form1::ConvertAllCommand);
    Separator(mnuEdit_, "s5");
    mnuUnp_ = Entry(mnuEdit_, "mnuUnp", "Unpack", &Form1::UnpackCommand);
    mnuUC_ = Entry(mnuEdit_, "mnuUC", "Unpack and Convert", &Form1::UnpackAndConvertCommand);
    mnuEF_ = Entry(mnuEdit_, "mnuEF", "Export Folder", &Form1::ExportFolderCommand);
    mnuECF_ = Entry(mnuEdit_, "mnuECF", "Export and Convert Folder", &Form1::ExportAndConvertFolderCommand);
    Separator(mnuEdit_, "s3");
    mnuDatInfo_ = Entry(mnuEdit_, "mnuDatInfo", "Dat File Info", &Form1::DatFileInfoCommand);
    mnuResInfo_ = Entry(mnuEdit_, "mnuResInfo", "Resource Info", &Form1::ResourceInfoCommand);

    QMenu* options = Menu(this, "mnuOptions", "Options");
    CreateOptionMenus(options);

    QMenu* view = Menu(this, "mnuView", "View");
    mnuZephyr_ = Entry(view, "mnuZephyr", "View resources as Zephyr", &Form1::ZephyrViewCommand);
    mnuNRM_ = Entry(view, "mnuNRM", "View resources as Normal", &Form1::NormalViewCommand);

    // The tools arrive with their own windows; until then their entries do nothing.
    QMenu* tools = Menu(this, "mnuTools", "Tools");
    mnuEditonitext_ = Entry(tools, "mnuEditonitext", "Edit Oni Text File");
    mnuOverwriteSound_ = Entry(tools, "mnuOverwriteSound", "Replace Sound File...");
    mnuViewSndFile_ = Entry(tools, "mnuViewSndFile", "View sound File...");
    mnuAGQG_ = Entry(tools, "mnuAGQG", "Edit lights of Oni level...");

    QMenu* help = Menu(this, "mnuhelp", "Info");
    Entry(help, "mnuAbout", "About Drossel", &Form1::AboutCommand);

    for (QMenu* menu : {mnuFile_, mnuEdit_, options, view, tools, help}) menuBar()->addMenu(menu);
}

void Form1::CreateOptionMenus(QMenu* options) {
    Session& s = session_;
    auto group = [this] { return new QActionGroup(this); };

    QMenu* textures = SubMenu(options, "mnuTx", "Textures");
    QActionGroup* image = group();
    auto imageFormat = [&s](const char* extension, int bits) {
        return [&s, extension, bits] {
            s.ImageExtension = extension;
            s.ImageBits = bits;
        };
    };
    mnuTga_ = Option(textures, image, "mnuTga", "Targa [32 bits]", imageFormat(".tga", 32));
    Option(textures, image, "mnuBit", "Bitmap [32 bits]", imageFormat(".bmp", 32));
    Option(textures, image, "mnuTga24", "Targa [24 bits]", imageFormat(".tga", 24));
    Option(textures, image, "mnuBit24", "Bitmap [24 bits]", imageFormat(".bmp", 24));

    QMenu* objects = SubMenu(options, "mnu3Dobj", "3D Objects");
    QActionGroup* model = group();
    auto setModel = [&s](int format) { return [&s, format] { s.ModelLwoFormat = format; }; };
    Option(objects, model, "mnuLwo60", "Lightwave 6.0", setModel(60));
    mnuLwo65_ = Option(objects, model, "mnuLwo65", "Lightwave 6.5", setModel(65));
    Option(objects, model, "mnuLwo65P", "Lightwave 6.5+", setModel(70));

    QMenu* characters = SubMenu(options, "chrModels", "Character 3D models");
    QActionGroup* character = group();
    auto setCharacter = [&s](int format) { return [&s, format] { s.CharacterLwoFormat = format; }; };
    mnuCLwo60_ = Option(characters, character, "mnuCLwo60", "Lightwave 6.0", setCharacter(60));
    Option(characters, character, "mnuCLwo65", "Lightwave 6.5", setCharacter(65));
    Option(characters, character, "mnuCLwo65P", "Lightwave 6.5+", setCharacter(70));
    Separator(characters, "s7");
    QMenu* groups = SubMenu(characters, "mnuchargroups", "Groups");
    QActionGroup* characterGroup = group();
    auto setGroup = [&s](int value) { return [&s, value] { s.CharacterGroup = value; }; };
    Option(groups, characterGroup, "mnuchar1", "Character #1", setGroup(1));
    Option(groups, characterGroup, "mnuchar2", "Character #2", setGroup(2));
    Option(groups, characterGroup, "mnuchar3", "Character #3", setGroup(3));
    Option(groups, characterGroup, "mnuchar4", "Character #4", setGroup(4));
    mnuchar5_ = Option(groups, characterGroup, "mnuchar5", "Character #5", setGroup(5));
    Option(groups, characterGroup, "mnuallgroups", "All Groups", setGroup(6));

    QMenu* sounds = SubMenu(options, "mnuSounds", "Sounds");
    mnuWav_ = Option(sounds, group(), "mnuWav", "Wave files Only", [&s] { s.WavExtension = ".wav"; });

    QMenu* level = SubMenu(options, "mnuOniLevel10", "Oni Level");
    QActionGroup* levelFormat = group();
    auto setLevel = [&s](int format) { return [&s, format] { s.LevelFormat = format; }; };
    mnuL_lwo60_ = Option(level, levelFormat, "mnuL_lwo60", "LightWave 6.0", setLevel(1));
    Option(level, levelFormat, "mnuRwb", "Raw 3D Binary", setLevel(6));
    Option(level, levelFormat, "mnuB3DbyVexa", "B3D by Vexa", setLevel(7));
    Option(level, levelFormat, "mnuB3DUVPlus", "B3D by Vexa + materials + UV", setLevel(8));
    Separator(level, "mnuSep44");
    QAction* garbage = Entry(level, "mnuDelGarbage", "Delete some garbage");
    garbage->setCheckable(true);
    connect(garbage, &QAction::toggled, this, [&s](bool on) { s.DeleteGarbage = on; });

    QMenu* weapons = SubMenu(options, "mnuWepClass", "Weapon Class");
    QActionGroup* weapon = group();
    auto setWeapon = [&s](int format) { return [&s, format] { s.WeaponLwoFormat = format; }; };
    Option(weapons, weapon, "mnuwep60", "LightWave 6.0", setWeapon(60));
    mnuwep65p_ = Option(weapons, weapon, "mnuwep65p", "LightWave 6.5+", setWeapon(70));
}

void Form1::CreateToolbar() {
    static constexpr ToolbarButtonInfo kButtons[] = {
        {1, "Open Oni Dat File...", &Form1::OpenCommand},
        {2, "Path For Oni RAW file...", &Form1::RawFileCommand},
        {3, "Close", &Form1::CloseCommand},
        {5, "Unpack Resource...", &Form1::UnpackCommand},
        {6, "Export Folder...", &Form1::ExportFolderCommand},
        {8, "Unpack and Convert...", &Form1::UnpackAndConvertCommand},
        {9, "Export and Convert Folder...", &Form1::ExportAndConvertFolderCommand},
        {11, "Dat File Info...", &Form1::DatFileInfoCommand},
        {12, "Resource Info...", &Form1::ResourceInfoCommand},
        {14, "UnPackl ALL!", &Form1::UnpackAllCommand},
        {15, "UnPack and Convert Supported Resources!", &Form1::ConvertAllCommand},
        {16, "View as Zephyr", &Form1::ZephyrViewCommand},
        {17, "View as Normal", &Form1::NormalViewCommand},
    };
    int position = 1;
    for (const ToolbarButtonInfo& info : kButtons) {
        while (position < info.position) {
            buttons_[static_cast<std::size_t>(position)] = toolbar_->addSeparator();
            buttons_[static_cast<std::size_t>(position)]->setObjectName(QStringLiteral("Button%1").arg(position));
            ++position;
        }
        QAction* button = toolbar_->addAction(ToolbarIcon(info.position), QString::fromLatin1(info.tooltip));
        button->setObjectName(QStringLiteral("Button%1").arg(info.position));
        button->setToolTip(QString::fromLatin1(info.tooltip));
        const auto command = info.command;
        connect(button, &QAction::triggered, this, [this, command] { Run([this, command] { (this->*command)(); }); });
        buttons_[static_cast<std::size_t>(position)] = button;
        ++position;
    }
}

}  // namespace drossel::ui
