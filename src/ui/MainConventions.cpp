// What a desktop program is expected to do beyond its commands: settings kept
// between runs, Recent Levels, the filter box, the right-click menu on the
// tree, levels dropped on the window, and the preview of the selection.

#include "app/LightingEditor.h"
#include "app/SoundTools.h"
#include "app/StringEditor.h"
#include "app/TextureImport.h"
#include "ui/DesktopSettings.h"
#include "ui/LevelText.h"
#include "ui/MainWindow.h"
#include "ui/QtUserInterface.h"
#include "ui/ResourceTreeWidget.h"
#include "ui/preview/PreviewDock.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <span>
#include <utility>

namespace drossel::ui {
namespace {

// A filter that keeps no more resources than this shows them all, groups open.
constexpr std::size_t kOpenedMatches = 5000;

// The one local .dat file being dragged; empty for anything else.
QString DraggedLevel(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) return {};
    const QString path = data->urls().front().toLocalFile();
    return QFileInfo(path).suffix().compare(QStringLiteral("dat"), Qt::CaseInsensitive) == 0 ? path : QString();
}

}  // namespace

void MainWindow::RestoreSettings() {
    if (RestoreOptions(session_.options)) {
        ShowChoices(false);
        findChild<QAction*>(QStringLiteral("mnuDelGarbage"))->setChecked(session_.options.DeleteGarbage);
        findChild<QAction*>(QStringLiteral("mnuAllQuads"))->setChecked(session_.options.AllQuadsGeometry);
    }
    ui_->openFolder = LastFolder("Open");
    ui_->saveFolder = LastFolder("Save");
    ui_->batchFolder = LastFolder("Batch");
    if (!ui_->batchFolder.isEmpty()) session_.SetOutputFolder(ui_->batchFolder.toStdString());
    ShowRecentLevels();
    if (!restoreGeometry(WindowGeometry())) {
        resize(1000, 620);
        resizeDocks({preview_}, {320}, Qt::Horizontal);
    }
    restoreState(WindowState());
}

void MainWindow::SaveSettings() {
    SaveOptions(session_.options);
    SetLastFolder("Open", ui_->openFolder);
    SetLastFolder("Save", ui_->saveFolder);
    SetLastFolder("Batch", ui_->batchFolder);
    SaveWindow(saveGeometry(), saveState());
}

void MainWindow::ShowRecentLevels() {
    recentMenu_->clear();
    const QStringList levels = RecentLevels();
    for (qsizetype i = 0; i < levels.size(); ++i) {
        QString shown = levels[i];
        QAction* entry = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown.replace('&', "&&")));
        entry->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, path = levels[i]] { OpenLevelFile(path); });
    }
    recentMenu_->menuAction()->setEnabled(!levels.isEmpty());
}

void MainWindow::ApplyFilter() {
    filterTimer_->stop();
    if (!session_.level || batchDepth_ > 0) return;
    const std::string shown = ResourceTreeWidget::KeyOf(treeView_->currentItem());
    ShowTree();
    if (QTreeWidgetItem* item = treeView_->ItemOfKey(shown)) {
        treeView_->setCurrentItem(item);
        treeView_->scrollToItem(item);
    }
}

void MainWindow::ShowTree() {
    const std::string text = LevelBytes(filter_->text().trimmed());
    filtered_ = !text.empty() && session_.level.has_value();
    filteredTree_ = filtered_ ? FilteredTree(tree_, *session_.level, text) : ResourceTree{};
    treeView_->Fill(ShownTree());
    if (filtered_ && filteredTree_.ResourceCount() <= kOpenedMatches) treeView_->expandAll();
    UpdatePreview();
}

void MainWindow::ShowContextMenu(const QPoint& position) {
    QTreeWidgetItem* item = treeView_->itemAt(position);
    if (item == nullptr || batchDepth_ > 0 || !treeView_->isEnabled()) return;
    treeView_->setCurrentItem(item);
    AfterTreeClick();
    // The commands that apply, as the menus have them; nullptr stands for a separator.
    QList<QAction*> entries;
    if (ResourceTreeWidget::IsResourceNode(item)) {
        const ResourceRecord* record = session_.Selected();
        if (record == nullptr) return;
        for (QAction* command : {mnuUC_, mnuUnp_, mnuResInfo_}) {
            if (command->isEnabled()) entries << command;
        }
        const std::pair<std::span<const std::string_view>, QAction*> tools[] = {
            {kSoundTags, mnuViewSndFile_},
            {kSoundTags, mnuOverwriteSound_},
            {kEditableStringTags, mnuEditonitext_},
            {kLightingListTags, mnuAGQG_},
            {kTextureImportTags, mnuReplaceTexture_}};
        bool first = true;
        for (const auto& [tags, tool] : tools) {
            if (std::find(tags.begin(), tags.end(), record->tag.view()) == tags.end() || !tool->isEnabled()) continue;
            if (std::exchange(first, false)) entries << nullptr;
            entries << tool;
        }
    } else {
        for (QAction* command : {mnuECF_, mnuEF_}) {
            if (command->isEnabled()) entries << command;
        }
    }
    if (entries.isEmpty()) return;
    if (contextMenu_ == nullptr) {
        contextMenu_ = new QMenu(this);
        contextMenu_->setObjectName(QStringLiteral("mnuContext"));
    }
    contextMenu_->clear();
    for (QAction* entry : entries) {
        if (entry == nullptr)
            contextMenu_->addSeparator();
        else
            contextMenu_->addAction(entry);
    }
    contextMenu_->popup(treeView_->viewport()->mapToGlobal(position));
}

void MainWindow::UpdatePreview() {
    if (batchDepth_ > 0) return;  // a batch walks the tree; its nodes need no preview
    const QTreeWidgetItem* item = treeView_->currentItem();
    if (!session_.level || item == nullptr) {
        preview_->Clear();
    } else if (ResourceTreeWidget::IsResourceNode(item)) {
        const auto index = IndexOfNodeKey(ResourceTreeWidget::KeyOf(item));
        if (index && session_.level->Contains(*index)) preview_->ShowResource(*index, session_.options);
    } else {
        preview_->ShowGroup(item->text(0), item->childCount());
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (batchDepth_ == 0 && !DraggedLevel(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DraggedLevel(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    OpenLevelFile(path);
}

}  // namespace drossel::ui
