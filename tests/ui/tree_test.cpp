// The resource tree in the window: its views, its images, and what a click, a key
// release or a double click on a node does to the commands and the selection.

#include "WindowFixture.h"
#include "container/Catalogue.h"
#include "ui/QtUserInterface.h"

#include <QApplication>
#include <QLineEdit>
#include <QToolBar>
#include <QtTest>

using namespace drossel;
using namespace drossel::ui;
using namespace drossel::ui::testing;

namespace {

struct CommandState {
    bool unpack, convert, exportFolder, exportAndConvert;
    bool operator==(const CommandState&) const = default;
};

}  // namespace

namespace QTest {
template <>
inline char* toString(const CommandState& s) {
    return qstrdup(QStringLiteral("unpack=%1 convert=%2 exportFolder=%3 exportAndConvert=%4")
                       .arg(s.unpack)
                       .arg(s.convert)
                       .arg(s.exportFolder)
                       .arg(s.exportAndConvert)
                       .toLatin1()
                       .constData());
}
}  // namespace QTest

class TreeTest : public QObject {
    Q_OBJECT

    TempDir dir_;
    FixtureIndexes at_{};
    std::string level_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Form1> window_;

    QAction* Act(const char* name) { return ActionNamed(*window_, name); }
    ResourceTreeWidget* Tree() { return TreeOf(*window_); }

    CommandState Menus() {
        return {Act("mnuUnp")->isEnabled(), Act("mnuUC")->isEnabled(), Act("mnuEF")->isEnabled(),
                Act("mnuECF")->isEnabled()};
    }
    CommandState Buttons() {
        return {window_->ToolbarButton(5)->isEnabled(), window_->ToolbarButton(8)->isEnabled(),
                window_->ToolbarButton(6)->isEnabled(), window_->ToolbarButton(9)->isEnabled()};
    }
    void ClickResource(int index) { ClickItem(*window_, ResourceItem(*window_, index)); }
    void ClickGroup(const char* key) { ClickItem(*window_, GroupItem(*window_, key)); }

    // The resource nodes under a group: their keys and texts, in order.
    QStringList Children(const char* groupKey) {
        QStringList out;
        QTreeWidgetItem* group = GroupItem(*window_, groupKey);
        if (group == nullptr) return {"<no group>"};
        for (int i = 0; i < group->childCount(); ++i) {
            out << QString::fromStdString(ResourceTreeWidget::KeyOf(group->child(i))) + " " + group->child(i)->text(0);
        }
        return out;
    }
    static QString Key(const char* prefix, int index) { return QString::fromLatin1(prefix) + QString::number(index); }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        level_ = FixtureLevel(&at_).Write(dir_ / "level");
    }

    void init() {
        dialogs_ = std::make_unique<ScriptedDialogs>();
        window_ = ShowWindow(*dialogs_, level_);
        QVERIFY(window_);
        QCOMPARE(window_->statusText(), QStringLiteral("Status: Loaded"));
    }

    void cleanup() {
        window_.reset();
        dialogs_.reset();
    }

    void normalViewListsEveryGroupAndFilesTheResources() {
        const auto groups = Groups();
        QCOMPARE(Tree()->topLevelItemCount(), 61);
        for (int i = 0; i < 61; ++i) {
            QTreeWidgetItem* g = Tree()->topLevelItem(i);
            QCOMPARE(ResourceTreeWidget::KeyOf(g), std::string(groups[static_cast<std::size_t>(i)].key));
            QCOMPARE(g->text(0).toStdString(), std::string(groups[static_cast<std::size_t>(i)].description));
            QCOMPARE(ResourceTreeWidget::ImageOf(g), 1);
        }
        QCOMPARE(Children("TXMP"),
                 QStringList({Key("k", at_.texture) + " wall_arrow", Key("k", at_.unnamed) + " File_#1"}));
        QCOMPARE(Children("LEVL"), QStringList({Key("K", at_.chunk) + " level1_quads"}));
        QCOMPARE(Children("----"), QStringList({Key("k", at_.loose) + " konoko_transitions"}));
        QCOMPARE(Children("SNDD"), QStringList({Key("k", at_.sound) + " door_open.aif"}));
        QVERIFY(ResourceItem(*window_, at_.hidden) == nullptr);
        QCOMPARE(ResourceTreeWidget::ImageOf(ResourceItem(*window_, at_.texture)), 3);
        QCOMPARE(window_->resourceTree().view, TreeView::Normal);
    }

    void zephyrAndNormalViewsReplaceTheTree() {
        ClickResource(at_.texture);
        const CommandState before = Menus();

        Act("mnuZephyr")->trigger();
        QCOMPARE(window_->statusText(), QStringLiteral("Loaded"));
        QCOMPARE(Tree()->topLevelItemCount(), 62);
        QCOMPARE(ResourceTreeWidget::KeyOf(Tree()->topLevelItem(61)), std::string("UNKN"));
        QCOMPARE(Children("UNKN"), QStringList({Key("K", at_.unnamed) + " File_#1"}));
        QCOMPARE(Children("TXMP"), QStringList({Key("K", at_.texture) + " wall_arrow"}));
        // Level chunks have no group of their own here.
        QCOMPARE(Children("LEVL"), QStringList());
        QCOMPARE(Children("----"),
                 QStringList({Key("k", at_.chunk) + " level1_quads", Key("k", at_.loose) + " konoko_transitions"}));
        QVERIFY(ResourceItem(*window_, at_.hidden) == nullptr);
        // The selection in the tree is gone; the session's and the commands' stay.
        QVERIFY(Tree()->currentItem() == nullptr);
        QCOMPARE(window_->session().selectedIndex, at_.texture);
        QCOMPARE(Menus(), before);

        window_->ToolbarButton(17)->trigger();
        QCOMPARE(window_->statusText(), QStringLiteral("Status: Loaded"));
        QCOMPARE(Tree()->topLevelItemCount(), 61);
        QCOMPARE(Children("LEVL"), QStringList({Key("K", at_.chunk) + " level1_quads"}));

        window_->ToolbarButton(16)->trigger();
        QCOMPARE(window_->resourceTree().view, TreeView::Zephyr);
        Act("mnuNRM")->trigger();
        QCOMPARE(window_->resourceTree().view, TreeView::Normal);
    }

    void clickOnAConvertibleResource() {
        ClickResource(at_.texture);
        QCOMPARE(window_->session().selectedIndex, at_.texture);
        QCOMPARE(Menus(), (CommandState{true, true, false, false}));
        QCOMPARE(Buttons(), (CommandState{true, true, false, false}));
    }

    void clickOnAnUnpackOnlyResource() {
        ClickResource(at_.texture);
        ClickResource(at_.animation);
        QCOMPARE(window_->session().selectedIndex, at_.animation);
        QCOMPARE(Menus(), (CommandState{true, false, false, false}));
        QCOMPARE(Buttons(), (CommandState{true, false, false, false}));
    }

    void clickOnAResourceOfAnyOtherKindKeepsTheConvertCommand() {
        ClickResource(at_.texture);
        ClickResource(at_.settings);
        QCOMPARE(window_->session().selectedIndex, at_.settings);
        QCOMPARE(Menus(), (CommandState{true, true, false, false}));
        ClickResource(at_.animation);
        ClickResource(at_.loose);  // TRAS under "Other" is unpack only
        QCOMPARE(Menus(), (CommandState{true, false, false, false}));
        ClickResource(at_.settings);
        QCOMPARE(Menus(), (CommandState{true, false, false, false}));
        QCOMPARE(Buttons(), (CommandState{true, false, false, false}));
    }

    void clickOnALevelChunkResource() {
        ClickResource(at_.chunk);  // AGQG: unpack only, keyed "K"
        QCOMPARE(window_->session().selectedIndex, at_.chunk);
        QCOMPARE(Menus(), (CommandState{true, false, false, false}));
    }

    void clickOnGroupsOfEachClass() {
        ClickResource(at_.sound);
        ClickGroup("TXMP");  // folder convertible
        QCOMPARE(Menus(), (CommandState{false, false, true, true}));
        QCOMPARE(Buttons(), (CommandState{false, false, true, true}));
        QCOMPARE(window_->session().selectedIndex, at_.sound);

        ClickGroup("LEVL");  // neither list: folder commands stay as they were
        QCOMPARE(Menus(), (CommandState{false, false, true, true}));
        ClickGroup("OBAN");  // folder unpack only
        QCOMPARE(Menus(), (CommandState{false, false, true, false}));
        QCOMPARE(Buttons(), (CommandState{false, false, true, false}));
        ClickGroup("----");
        QCOMPARE(Menus(), (CommandState{false, false, true, false}));
        ClickResource(at_.texture);
        ClickGroup("----");  // still disables the single-resource commands
        QCOMPARE(Menus(), (CommandState{false, false, false, false}));
        ClickGroup("DPge");  // a group without resources is a group all the same
        QCOMPARE(Tree()->currentItem()->childCount(), 0);
        QCOMPARE(Menus(), (CommandState{false, false, true, false}));
        QCOMPARE(window_->session().selectedIndex, at_.texture);
    }

    void aSelectedGroupShowsImageTwo() {
        ClickGroup("TXMP");
        QCOMPARE(ResourceTreeWidget::ImageOf(GroupItem(*window_, "TXMP")), 2);
        ClickGroup("SNDD");
        QCOMPARE(ResourceTreeWidget::ImageOf(GroupItem(*window_, "TXMP")), 1);
        QCOMPARE(ResourceTreeWidget::ImageOf(GroupItem(*window_, "SNDD")), 2);
        ClickResource(at_.sound);
        QCOMPARE(ResourceTreeWidget::ImageOf(GroupItem(*window_, "SNDD")), 1);
        QCOMPARE(ResourceTreeWidget::ImageOf(ResourceItem(*window_, at_.sound)), 3);
    }

    void aKeyReleaseUpdatesLikeAClick() {
        QTreeWidgetItem* textures = GroupItem(*window_, "TXMP");
        Tree()->expandItem(textures);
        Tree()->setFocus();
        Tree()->setCurrentItem(textures);
        QTest::keyClick(Tree(), Qt::Key_Down);  // onto the first texture
        QCOMPARE(Tree()->currentItem(), ResourceItem(*window_, at_.texture));
        QCOMPARE(window_->session().selectedIndex, at_.texture);
        QCOMPARE(Menus(), (CommandState{true, true, false, false}));
        QTest::keyClick(Tree(), Qt::Key_Up);  // back onto the group
        QCOMPARE(Menus(), (CommandState{false, false, true, true}));
    }

    void aClickOnAnEmptyTreeDoesNothing() {
        Act("mnuclose")->trigger();
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::keyClick(Tree(), Qt::Key_Down);
        QCOMPARE(Menus(), (CommandState{false, false, false, false}));
    }

    void doubleClickOnAResourceShowsResourceInfo() {
        DoubleClickItem(*window_, ResourceItem(*window_, at_.sound));
        auto* info = window_->findChild<QWidget*>(QStringLiteral("Form2"));
        QVERIFY(info != nullptr);
        QVERIFY(info->isVisible());
        QCOMPARE(info->findChild<QLineEdit*>(QStringLiteral("txt_name"))->text(), QStringLiteral("door_open.aif"));
    }

    void doubleClickOnAGroupDoesNothing() {
        DoubleClickItem(*window_, GroupItem(*window_, "SNDD"));
        QVERIFY(window_->findChild<QWidget*>(QStringLiteral("Form2")) == nullptr);
    }

    void aWholeFileBatchLocksMenusTreeAndFileButtons() {
        ClickResource(at_.texture);
        UserInterface& ui = window_->userInterface();
        ui.LockForBatch(BatchLock::WholeFile, true);
        QVERIFY(!MenuNamed(*window_, "mnuFile")->menuAction()->isEnabled());
        QVERIFY(!MenuNamed(*window_, "mnuEdit")->menuAction()->isEnabled());
        QVERIFY(!Tree()->isEnabled());
        for (int b : {1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15}) QVERIFY(!window_->ToolbarButton(b)->isEnabled());
        QVERIFY(window_->ToolbarButton(16)->isEnabled());
        // Nothing started meanwhile may pull the table away.
        Act("mnuclose")->trigger();
        QCOMPARE(window_->session().table.count(), 8);

        ui.LockForBatch(BatchLock::WholeFile, false);
        QVERIFY(MenuNamed(*window_, "mnuFile")->menuAction()->isEnabled());
        QVERIFY(MenuNamed(*window_, "mnuEdit")->menuAction()->isEnabled());
        QVERIFY(Tree()->isEnabled());
        for (int b : {1, 2, 3, 11, 12, 14, 15}) QVERIFY(window_->ToolbarButton(b)->isEnabled());
        // The selection buttons wait for the next click; the menu entries keep their state.
        QCOMPARE(Buttons(), (CommandState{false, false, false, false}));
        QCOMPARE(Menus(), (CommandState{true, true, false, false}));
        ClickResource(at_.animation);
        QCOMPARE(Buttons(), (CommandState{true, false, false, false}));
    }

    void aFolderBatchLocksTreeAndToolbar() {
        ClickGroup("TXMP");
        UserInterface& ui = window_->userInterface();
        auto* toolbar = window_->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        ui.LockForBatch(BatchLock::Folder, true);
        QVERIFY(!Tree()->isEnabled());
        QVERIFY(!toolbar->isEnabled());
        QVERIFY(MenuNamed(*window_, "mnuFile")->menuAction()->isEnabled());
        ui.LockForBatch(BatchLock::Folder, false);
        QVERIFY(Tree()->isEnabled());
        QVERIFY(toolbar->isEnabled());
        QCOMPARE(Buttons(), (CommandState{false, false, true, true}));
    }

    void aBatchShowsTheNodeItWorksOn() {
        ClickGroup("TXMP");
        const CommandState before = Menus();
        UserInterface& ui = window_->userInterface();
        ui.SelectTreeNode(Key("k", at_.unnamed).toStdString());
        QCOMPARE(Tree()->currentItem(), ResourceItem(*window_, at_.unnamed));
        QVERIFY(Tree()->currentItem()->parent()->isExpanded());
        QCOMPARE(ResourceTreeWidget::ImageOf(GroupItem(*window_, "TXMP")), 1);
        ui.SelectTreeNode("LEVL");
        QCOMPARE(Tree()->currentItem(), GroupItem(*window_, "LEVL"));
        // Showing a node is not a click: commands and selectedIndex stay.
        QCOMPARE(Menus(), before);
        ui.SelectTreeNode("K99");  // no such node
        QCOMPARE(Tree()->currentItem(), GroupItem(*window_, "LEVL"));
        // A resource key with the other prefix names no node either.
        ui.SelectTreeNode(Key("K", at_.texture).toStdString());
        QCOMPARE(Tree()->currentItem(), GroupItem(*window_, "LEVL"));
    }
};

QTEST_MAIN(TreeTest)
#include "tree_test.moc"
