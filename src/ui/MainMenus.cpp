// The main window's menus, option groups and toolbar.

#include "ui/DesktopSettings.h"
#include "ui/Icons.h"
#include "ui/MainWindow.h"
#include "ui/Mnemonics.h"
#include "ui/ResourceTreeWidget.h"
#include "ui/preview/PreviewDock.h"

#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <tuple>
#include <utility>

namespace drossel::ui {
namespace {

// Typing waits this long (milliseconds) for the next key before the tree is filtered.
constexpr int kFilterDelay = 150;

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

constexpr const char* kGlbCaption = "glTF binary (.glb)";

void Separator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

}  // namespace

QAction* MainWindow::Entry(QMenu* menu, const char* name, const char* caption, void (MainWindow::*command)()) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QLatin1String(name));
    if (command != nullptr)
        connect(action, &QAction::triggered, this, [this, command] { Run([this, command] { (this->*command)(); }); });
    return action;
}

template <typename T>
QAction* MainWindow::Choice(QMenu* menu, QActionGroup* group, const char* name, const char* caption,
                            T Options::*setting, T value, bool shownAtStart) {
    QAction* action = Entry(menu, name, caption);
    action->setCheckable(true);
    group->addAction(action);
    Options& options = session_.options;
    connect(action, &QAction::triggered, this, [&options, setting, value] {
        options.*setting = value;
        SaveOptions(options);
    });
    choices_.push_back({action, [&options, setting, value] { return options.*setting == value; }, shownAtStart});
    return action;
}

void MainWindow::ShowChoices(bool onlyThoseShownAtStart) {
    for (const ShownChoice& choice : choices_) {
        if ((choice.shownAtStart || !onlyThoseShownAtStart) && choice.isCurrent()) choice.action->setChecked(true);
    }
}

void MainWindow::CreateMenus() {
    mnuFile_ = Menu(this, "mnuFile", "File");
    Entry(mnuFile_, "mnuDat", "Open Oni Dat File...", &MainWindow::OpenCommand)->setShortcut(QKeySequence::Open);
    Entry(mnuFile_, "mnuRaw", "Path for Oni Raw Data File...", &MainWindow::RawFileCommand);
    mnuclose_ = Entry(mnuFile_, "mnuclose", "Close", &MainWindow::CloseCommand);
    mnuclose_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    recentMenu_ = SubMenu(mnuFile_, "mnuRecent", "Recent Levels");
    Separator(mnuFile_, "s2");
    Entry(mnuFile_, "mnuExit", "Exit", &MainWindow::ExitCommand)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnuEdit_ = Menu(this, "mnuEdit", "Edit");
    mnuUnpAll_ = Entry(mnuEdit_, "mnuUnpAll", "Unpack ALL !", &MainWindow::UnpackAllCommand);
    mnuUCALL_ = Entry(mnuEdit_, "mnuUCALL", "Unpack end convert supported files!", &MainWindow::ConvertAllCommand);
    Separator(mnuEdit_, "s5");
    mnuUnp_ = Entry(mnuEdit_, "mnuUnp", "Unpack", &MainWindow::UnpackCommand);
    mnuUC_ = Entry(mnuEdit_, "mnuUC", "Unpack and Convert", &MainWindow::ConvertCommand);
    mnuEF_ = Entry(mnuEdit_, "mnuEF", "Export Folder", &MainWindow::UnpackGroupCommand);
    mnuECF_ = Entry(mnuEdit_, "mnuECF", "Export and Convert Folder", &MainWindow::ConvertGroupCommand);
    Separator(mnuEdit_, "s3");
    mnuDatInfo_ = Entry(mnuEdit_, "mnuDatInfo", "Dat File Info", &MainWindow::DatFileInfoCommand);
    mnuResInfo_ = Entry(mnuEdit_, "mnuResInfo", "Resource Info", &MainWindow::ResourceInfoCommand);
    // U for unpacking, E for exporting converted files; Shift for a group, Alt for the whole level.
    const std::pair<QAction*, QKeyCombination> shortcuts[] = {
        {mnuUnp_, Qt::CTRL | Qt::Key_U},
        {mnuUC_, Qt::CTRL | Qt::Key_E},
        {mnuEF_, Qt::CTRL | Qt::SHIFT | Qt::Key_U},
        {mnuECF_, Qt::CTRL | Qt::SHIFT | Qt::Key_E},
        {mnuUnpAll_, Qt::CTRL | Qt::ALT | Qt::Key_U},
        {mnuUCALL_, Qt::CTRL | Qt::ALT | Qt::Key_E},
        {mnuDatInfo_, Qt::CTRL | Qt::SHIFT | Qt::Key_I},
        {mnuResInfo_, Qt::CTRL | Qt::Key_I},
    };
    for (const auto& [action, keys] : shortcuts) action->setShortcut(QKeySequence(keys));

    QMenu* options = Menu(this, "mnuOptions", "Options");
    CreateOptionMenus(options);

    QMenu* view = Menu(this, "mnuView", "View");
    mnuZephyr_ = Entry(view, "mnuZephyr", "View resources as Zephyr", &MainWindow::ZephyrViewCommand);
    mnuNRM_ = Entry(view, "mnuNRM", "View resources as Normal", &MainWindow::NormalViewCommand);
    mnuNRM_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    mnuZephyr_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    for (QAction* entry : {mnuZephyr_, mnuNRM_}) entry->setCheckable(true);
    Separator(view, "s8");
    QAction* filter = Entry(view, "mnuFilter", "Filter Resources");
    filter->setShortcut(QKeySequence::Find);
    connect(filter, &QAction::triggered, this, [this] {
        filter_->setFocus();
        filter_->selectAll();
    });
    QAction* preview = preview_->toggleViewAction();
    preview->setObjectName(QStringLiteral("mnuPreview"));
    preview->setShortcut(QKeySequence(Qt::Key_F9));
    view->addAction(preview);

    QMenu* tools = Menu(this, "mnuTools", "Tools");
    mnuEditonitext_ = Entry(tools, "mnuEditonitext", "Edit Oni Text File", &MainWindow::EditStringCommand);
    mnuOverwriteSound_ = Entry(tools, "mnuOverwriteSound", "Replace Sound File...", &MainWindow::ReplaceSoundCommand);
    mnuViewSndFile_ = Entry(tools, "mnuViewSndFile", "View sound File...", &MainWindow::ViewSoundCommand);
    mnuReplaceTexture_ = Entry(tools, "mnuReplaceTexture", "Replace Texture...", &MainWindow::ReplaceTextureCommand);
    mnuAGQG_ = Entry(tools, "mnuAGQG", "Edit lights of Oni level...", &MainWindow::EditLightsCommand);

    QMenu* help = Menu(this, "mnuhelp", "Info");
    Entry(help, "mnuAbout", "About Drossel", &MainWindow::AboutCommand)->setShortcut(QKeySequence(Qt::Key_F1));

    for (QMenu* menu : {mnuFile_, mnuEdit_, options, view, tools, help}) menuBar()->addMenu(menu);
    AssignMnemonics(menuBar());
}

void MainWindow::CreateOptionMenus(QMenu* options) {
    auto group = [this] { return new QActionGroup(this); };

    QMenu* textures = SubMenu(options, "mnuTx", "Textures");
    QActionGroup* image = group();
    Choice(textures, image, "mnuTga", "Targa [32 bits]", &Options::Image, ImageFormat::Tga32);
    Choice(textures, image, "mnuBit", "Bitmap [32 bits]", &Options::Image, ImageFormat::Bmp32);
    Choice(textures, image, "mnuTga24", "Targa [24 bits]", &Options::Image, ImageFormat::Tga24);
    Choice(textures, image, "mnuBit24", "Bitmap [24 bits]", &Options::Image, ImageFormat::Bmp24);
    Choice(textures, image, "mnuPng", "PNG [32 bits]", &Options::Image, ImageFormat::Png32);

    QMenu* objects = SubMenu(options, "mnu3Dobj", "3D Objects");
    QActionGroup* model = group();
    Choice(objects, model, "mnuLwo60", "Lightwave 6.0", &Options::ModelLwoFormat, 60);
    Choice(objects, model, "mnuLwo65", "Lightwave 6.5", &Options::ModelLwoFormat, 65);
    Choice(objects, model, "mnuLwo65P", "Lightwave 6.5+", &Options::ModelLwoFormat, 70);
    Choice(objects, model, "mnuGlb", kGlbCaption, &Options::ModelLwoFormat, kGlb);

    QMenu* characters = SubMenu(options, "chrModels", "Character 3D models");
    QActionGroup* character = group();
    Choice(characters, character, "mnuCLwo60", "Lightwave 6.0", &Options::CharacterLwoFormat, 60);
    Choice(characters, character, "mnuCLwo65", "Lightwave 6.5", &Options::CharacterLwoFormat, 65);
    Choice(characters, character, "mnuCLwo65P", "Lightwave 6.5+", &Options::CharacterLwoFormat, 70);
    Choice(characters, character, "mnuCGlb", kGlbCaption, &Options::CharacterLwoFormat, kGlb);
    Separator(characters, "s7");
    QMenu* groups = SubMenu(characters, "mnuchargroups", "Groups");
    QActionGroup* characterGroup = group();
    Choice(groups, characterGroup, "mnuchar1", "Character #1", &Options::CharacterGroup, 1, true);
    Choice(groups, characterGroup, "mnuchar2", "Character #2", &Options::CharacterGroup, 2, true);
    Choice(groups, characterGroup, "mnuchar3", "Character #3", &Options::CharacterGroup, 3, true);
    Choice(groups, characterGroup, "mnuchar4", "Character #4", &Options::CharacterGroup, 4, true);
    Choice(groups, characterGroup, "mnuchar5", "Character #5", &Options::CharacterGroup, 5, true);
    Choice(groups, characterGroup, "mnuallgroups", "All Groups", &Options::CharacterGroup, 6, true);

    QMenu* sounds = SubMenu(options, "mnuSounds", "Sounds");
    Choice(sounds, group(), "mnuWav", "Wave files Only", &Options::WavExtension, std::string(".wav"));

    QMenu* level = SubMenu(options, "mnuOniLevel10", "Oni Level");
    QActionGroup* levelFormat = group();
    Choice(level, levelFormat, "mnuL_lwo60", "LightWave 6.0", &Options::LevelFormat, 1);
    Choice(level, levelFormat, "mnuRwb", "Raw 3D Binary", &Options::LevelFormat, 6);
    Choice(level, levelFormat, "mnuB3DbyVexa", "B3D by Vexa", &Options::LevelFormat, 7);
    Choice(level, levelFormat, "mnuB3DUVPlus", "B3D by Vexa + materials + UV", &Options::LevelFormat, 8);
    Choice(level, levelFormat, "mnuL_glb", kGlbCaption, &Options::LevelFormat, kGlb);
    Separator(level, "mnuSep44");
    // Check marks the person toggles, each a setting of its own.
    Options& o = session_.options;
    for (auto [name, caption, setting] : {std::tuple{"mnuDelGarbage", "Delete some garbage", &Options::DeleteGarbage},
                                          {"mnuAllQuads", "All quads", &Options::AllQuadsGeometry}}) {
        QAction* toggle = Entry(level, name, caption);
        toggle->setCheckable(true);
        connect(toggle, &QAction::toggled, this, [&o, setting](bool on) {
            o.*setting = on;
            SaveOptions(o);
        });
    }

    QMenu* weapons = SubMenu(options, "mnuWepClass", "Weapon Class");
    QActionGroup* weapon = group();
    Choice(weapons, weapon, "mnuwep60", "LightWave 6.0", &Options::WeaponLwoFormat, 60, true);
    Choice(weapons, weapon, "mnuwep65p", "LightWave 6.5+", &Options::WeaponLwoFormat, 70, true);
    Choice(weapons, weapon, "mnuwepGlb", kGlbCaption, &Options::WeaponLwoFormat, kGlb, true);
}

void MainWindow::CreateToolbar() {
    struct Button {
        int position;
        const char* tooltip;
        void (MainWindow::*command)();
        QAction* ToolbarButtons::*slot;
    };
    static constexpr Button kButtons[] = {
        {1, "Open Oni Dat File...", &MainWindow::OpenCommand, &ToolbarButtons::open},
        {2, "Path For Oni RAW file...", &MainWindow::RawFileCommand, &ToolbarButtons::rawFile},
        {3, "Close", &MainWindow::CloseCommand, &ToolbarButtons::close},
        {5, "Unpack Resource...", &MainWindow::UnpackCommand, &ToolbarButtons::unpack},
        {6, "Export Folder...", &MainWindow::UnpackGroupCommand, &ToolbarButtons::unpackGroup},
        {8, "Unpack and Convert...", &MainWindow::ConvertCommand, &ToolbarButtons::convert},
        {9, "Export and Convert Folder...", &MainWindow::ConvertGroupCommand, &ToolbarButtons::convertGroup},
        {11, "Dat File Info...", &MainWindow::DatFileInfoCommand, &ToolbarButtons::datFileInfo},
        {12, "Resource Info...", &MainWindow::ResourceInfoCommand, &ToolbarButtons::resourceInfo},
        {14, "UnPackl ALL!", &MainWindow::UnpackAllCommand, &ToolbarButtons::unpackAll},
        {15, "UnPack and Convert Supported Resources!", &MainWindow::ConvertAllCommand, &ToolbarButtons::convertAll},
        {16, "View as Zephyr", &MainWindow::ZephyrViewCommand, &ToolbarButtons::zephyrView},
        {17, "View as Normal", &MainWindow::NormalViewCommand, &ToolbarButtons::normalView},
    };
    int position = 1;
    for (const Button& info : kButtons) {
        for (; position < info.position; ++position) {
            toolbar_->addSeparator()->setObjectName(QStringLiteral("Button%1").arg(position));
        }
        QAction* button = toolbar_->addAction(ToolbarIcon(info.position), QString::fromLatin1(info.tooltip));
        button->setObjectName(QStringLiteral("Button%1").arg(info.position));
        button->setToolTip(QString::fromLatin1(info.tooltip));
        const auto command = info.command;
        connect(button, &QAction::triggered, this, [this, command] { Run([this, command] { (this->*command)(); }); });
        button_.*info.slot = button;
        ++position;
    }
    // The filter box, at the toolbar's right end: above the tree, and the tree's place stays as it was.
    auto* spacer = new QWidget(toolbar_);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar_->addWidget(spacer)->setObjectName(QStringLiteral("FilterSpacer"));
    filter_ = new QLineEdit(toolbar_);
    filter_->setObjectName(QStringLiteral("txtFilter"));
    filter_->setPlaceholderText(QStringLiteral("Filter by name or tag"));
    filter_->setToolTip(
        QStringLiteral("Shows the resources whose name or tag holds this text (Ctrl+F; Esc clears it)"));
    filter_->setClearButtonEnabled(true);
    filter_->setMinimumWidth(140);
    filter_->setMaximumWidth(240);
    filter_->setEnabled(false);
    toolbar_->addWidget(filter_)->setObjectName(QStringLiteral("FilterBox"));
    filterTimer_ = new QTimer(this);
    filterTimer_->setObjectName(QStringLiteral("FilterTimer"));
    filterTimer_->setSingleShot(true);
    filterTimer_->setInterval(kFilterDelay);
    connect(filterTimer_, &QTimer::timeout, this, &MainWindow::ApplyFilter);
    connect(filter_, &QLineEdit::textChanged, filterTimer_, qOverload<>(&QTimer::start));
    filter_->installEventFilter(this);  // Escape clears it
}

}  // namespace drossel::ui
