#pragma once
// Shared pieces of the window tests: a fixture level with a resource of every
// class the command rules know, and lookups of the window's controls by name.

#include "LevelBuilder.h"
#include "ScriptedDialogs.h"
#include "ui/MainWindow.h"
#include "ui/ResourceTreeWidget.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTreeWidgetItem>
#include <memory>
#include <string>

namespace drossel::ui::testing {

using drossel::testing::LevelBuilder;
using drossel::testing::PutU32;
using drossel::testing::TempDir;

// Table indexes of the fixture level's resources.
struct FixtureIndexes {
    int texture;    // TXMP, convertible, under "Texture Maps"
    int animation;  // OBAN, unpack only, under "Animations"
    int settings;   // ONGS, neither list: "any other tag"
    int chunk;      // AGQG, a level chunk under "Level Chunks"
    int loose;      // TRAS, no group of its own: under "Other"
    int unnamed;    // unnamed TXMP
    int hidden;     // flags 2, never listed
    int sound;      // SNDD with a raw block
    std::uint32_t soundRawOffset;
};

inline LevelBuilder FixtureLevel(FixtureIndexes* indexes = nullptr) {
    LevelBuilder b;
    FixtureIndexes i{};
    i.texture = b.Add("TXMP", "wall_arrow", 256);
    i.animation = b.Add("OBAN", "door_slide", 64);
    i.settings = b.Add("ONGS", "game_settings", 64);
    i.chunk = b.Add("AGQG", "level1_quads", 64);
    i.loose = b.Add("TRAS", "konoko_transitions", 64);
    i.unnamed = b.AddUnnamed("TXMP", 64);
    i.hidden = b.AddUnnamed("BINA", 64, 2);
    i.sound = b.Add("SNDD", "door_open.aif", 96);
    // The sound's samples: 100 bytes behind some other data in the .raw file.
    b.AppendRaw(drossel::testing::Bytes(16, 0));
    i.soundRawOffset = b.AppendRaw(drossel::testing::Bytes(100, 7));
    PutU32(b.resource(i.sound).data, 64, 100);
    PutU32(b.resource(i.sound).data, 68, i.soundRawOffset);
    if (indexes != nullptr) *indexes = i;
    return b;
}

inline QAction* ActionNamed(const QWidget& window, const char* name) {
    auto* action = window.findChild<QAction*>(QLatin1String(name));
    if (action == nullptr) qFatal("no action named %s", name);
    return action;
}

inline QMenu* MenuNamed(const QWidget& window, const char* name) {
    auto* menu = window.findChild<QMenu*>(QLatin1String(name));
    if (menu == nullptr) qFatal("no menu named %s", name);
    return menu;
}

inline ResourceTreeWidget* TreeOf(const QWidget& window) {
    return window.findChild<ResourceTreeWidget*>(QStringLiteral("TreeView1"));
}

inline QTreeWidgetItem* GroupItem(const QWidget& window, const char* key) {
    return TreeOf(window)->ItemOfKey(key);
}

// The resource node of table index `index`, whatever its key prefix.
inline QTreeWidgetItem* ResourceItem(const QWidget& window, int index) {
    ResourceTreeWidget* tree = TreeOf(window);
    for (const char* prefix : {"k", "K"}) {
        if (auto* item = tree->ItemOfKey(prefix + std::to_string(index))) return item;
    }
    return nullptr;
}

// Clicks an item as a person would: made visible first, then clicked in its middle.
inline void ClickItem(const QWidget& window, QTreeWidgetItem* item) {
    ResourceTreeWidget* tree = TreeOf(window);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

inline void DoubleClickItem(const QWidget& window, QTreeWidgetItem* item) {
    ResourceTreeWidget* tree = TreeOf(window);
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
}

// A shown main window whose dialogs `dialogs` answers; with a level path, that
// level is opened through the open dialog as a person would. Null when the
// window never became visible.
inline std::unique_ptr<Form1> ShowWindow(ScriptedDialogs& dialogs, const std::string& level = {}) {
    auto window = std::make_unique<Form1>(&dialogs);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
    if (!level.empty()) {
        dialogs.openAnswers.push_back(QString::fromStdString(level));
        ActionNamed(*window, "mnuDat")->trigger();
    }
    return window;
}

}  // namespace drossel::ui::testing
