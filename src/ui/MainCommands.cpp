// The main window's commands and tree events: each hands its work to the core
// and then brings the controls into the state that follows.

#include "app/Batch.h"
#include "app/Commands.h"
#include "app/InfoText.h"
#include "app/OpenLevel.h"
#include "app/SelectionRules.h"
#include "app/SoundTools.h"
#include "app/StringEditor.h"
#include "app/TextureImport.h"
#include "io/PathText.h"
#include "ui/AboutWindow.h"
#include "ui/BatchReportWindow.h"
#include "ui/DesktopSettings.h"
#include "ui/LevelText.h"
#include "ui/MainWindow.h"
#include "ui/QtUserInterface.h"
#include "ui/ResourceInfoWindow.h"
#include "ui/ResourceTreeWidget.h"
#include "ui/preview/PreviewDock.h"
#include "ui/tools/LightingEditorWindow.h"
#include "ui/tools/SoundReplaceWindow.h"
#include "ui/tools/SoundViewerWindow.h"
#include "ui/tools/StringEditorWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QSignalBlocker>
#include <algorithm>
#include <exception>

namespace drossel::ui {

void MainWindow::StartState() {
    const ToolbarButtons& b = button_;
    Enable({mnuUnp_, mnuUC_, mnuEF_, mnuECF_, mnuDatInfo_, mnuResInfo_}, false);
    Enable(
        {b.unpack, b.unpackGroup, b.convert, b.convertGroup, b.datFileInfo, b.resourceInfo, b.unpackAll, b.convertAll},
        false);
    Enable({mnuUnpAll_, mnuUCALL_, mnuEditonitext_, mnuOverwriteSound_, mnuViewSndFile_, mnuReplaceTexture_}, false);
    Enable({b.zephyrView, b.normalView, mnuZephyr_, mnuNRM_, mnuAGQG_}, false);
    // Nothing to close yet.
    Enable({mnuclose_, b.close}, false);
    ShowViewChecks();
    // Before the first load only the character group and the weapon layout show
    // their values; the settings a load resets show theirs after it.
    ShowChoices(true);
}

void MainWindow::Run(const std::function<void()>& command) {
    // A batch lets events through between resources; a second command started
    // from a control the batch left enabled must not pull the table away under it.
    if (batchDepth_ > 0) {
        ui_->Beep();
        return;
    }
    try {
        command();
    } catch (const std::exception& e) {
        ui_->ShowMessage(e.what(), kProgramTitle, MessageIcon::Critical);
    }
}

void MainWindow::OpenCommand() {
    FinishOpen(ChooseAndOpenLevel(session_, *ui_));
}

void MainWindow::OpenLevelFile(const QString& path) {
    const std::string datPath = QFileInfo(path).absoluteFilePath().toStdString();
    Run([this, datPath] { OpenFromPath(datPath); });
}

void MainWindow::OpenFromPath(const std::string& datPath) {
    const OpenResult result = OpenLevel(session_, *ui_, datPath);
    // A level that cannot be opened any more leaves Recent Levels; the message said why.
    if (result == OpenResult::Rejected) RemoveRecentLevel(QString::fromStdString(datPath));
    FinishOpen(result);
}

void MainWindow::FinishOpen(OpenResult result) {
    // A refused file leaves the level that was open as it was.
    if (result != OpenResult::Loaded) {
        ShowRecentLevels();
        return;
    }
    CloseToolWindows();
    treeView_->RemoveAllNodes();
    tree_ = ResourceTree{};
    mnuReplaceTexture_->setEnabled(false);
    filtered_ = false;
    filteredTree_ = ResourceTree{};
    {
        const QSignalBlocker quiet(filter_);
        filter_->clear();
    }
    const Level& level = *session_.level;
    preview_->SetLevel(&level);
    const QString datPath = QString::fromStdString(level.datPath());
    AddRecentLevel(datPath);
    ShowRecentLevels();
    ui_->openFolder = QFileInfo(datPath).absolutePath();
    // The options the person chose stand over the values a load sets.
    RestoreOptions(session_.options);

    try {
        tree_ = BuildView(LastView(), level, *ui_);
        treeView_->Fill(tree_);
    } catch (const std::exception&) {
        // A tree that cannot be built ends the open here; what was built stays.
        return;
    }
    const ToolbarButtons& b = button_;
    Enable({mnuDatInfo_, mnuResInfo_, b.datFileInfo, b.resourceInfo, mnuUnpAll_, mnuUCALL_}, true);
    setWindowTitle(QStringLiteral("%1 - [%2]")
                       .arg(QString::fromLatin1(kProgramTitle), QString::fromStdString(FileNameOf(level.datPath()))));
    Enable({b.unpackAll, b.convertAll, mnuclose_, b.close}, true);
    // The core has reset the option values; the check marks follow them.
    ShowChoices(false);
    Enable({mnuEditonitext_, mnuOverwriteSound_, mnuViewSndFile_, b.zephyrView, b.normalView, mnuZephyr_, mnuNRM_,
            mnuAGQG_},
           true);
    filter_->setEnabled(true);
    ShowViewChecks();
    UpdatePreview();
    if (const auto missing = MissingRawText(level)) ui_->SetStatusText(*missing);
    treeView_->setFocus();
}

void MainWindow::RawFileCommand() {
    ChooseRawFile(session_, *ui_);
    if (!session_.level) return;
    preview_->SetLevel(&*session_.level);
    UpdatePreview();
    if (const auto missing = MissingRawText(*session_.level)) ui_->SetStatusText(*missing);
}

void MainWindow::CloseCommand() {
    CloseToolWindows();
    treeView_->RemoveAllNodes();
    tree_ = ResourceTree{};
    filtered_ = false;
    filteredTree_ = ResourceTree{};
    filter_->clear();
    filter_->setEnabled(false);
    preview_->SetLevel(nullptr);
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    ui_->SetStatusText("Satus: ---");
    const ToolbarButtons& b = button_;
    Enable({mnuUnp_, mnuUnpAll_, mnuUC_, mnuEF_, mnuECF_, mnuDatInfo_, mnuResInfo_, mnuUCALL_}, false);
    Enable(
        {b.unpack, b.unpackGroup, b.convert, b.convertGroup, b.datFileInfo, b.resourceInfo, b.unpackAll, b.convertAll},
        false);
    Enable({mnuEditonitext_, mnuOverwriteSound_, mnuViewSndFile_, mnuReplaceTexture_}, false);
    Enable({mnuEdit_->menuAction(), mnuFile_->menuAction()}, true);
    treeView_->setEnabled(true);
    Enable({b.zephyrView, b.normalView, mnuAGQG_, mnuZephyr_, mnuNRM_, mnuclose_, b.close}, false);
    CloseLevel(session_);
    ShowViewChecks();
    progressBar_->setValue(0);
    progressBar_->setMaximum(100);
    progressBar_->setMinimum(0);
    ui_->ProcessPendingEvents();
}

void MainWindow::ExitCommand() {
    close();
}

void MainWindow::UnpackAllCommand() {
    ReportBatch("Unpack ALL !", UnpackAll(session_, *ui_), true);
}

void MainWindow::ConvertAllCommand() {
    ReportBatch("Unpack end convert supported files!", ConvertAll(session_, *ui_), true);
}

void MainWindow::UnpackCommand() {
    Unpack(session_, *ui_);
}

void MainWindow::ConvertCommand() {
    Convert(session_, *ui_);
}

void MainWindow::UnpackGroupCommand() {
    ReportBatch("Export Folder", UnpackGroup(session_, *ui_, SelectedNode()), false);
}

void MainWindow::ConvertGroupCommand() {
    ReportBatch("Export and Convert Folder", ConvertGroup(session_, *ui_, SelectedNode()), false);
    SaveOptions(session_.options);  // the question may have changed where texts go
}

void MainWindow::ReportBatch(const char* command, const BatchSummary& summary, bool wholeLevel) {
    if (summary.folder.empty()) return;  // it never started
    ui_->SetStatusText(BatchSummaryText(summary));
    if (!wholeLevel) return;
    if (batchReport_ == nullptr) batchReport_ = new BatchReportWindow(dialogs_, this);
    batchReport_->ShowSummary(QString::fromLatin1(command), summary);
}

GroupNode MainWindow::SelectedNode() const {
    const QTreeWidgetItem* item = treeView_->currentItem();
    if (item == nullptr) return {};
    const std::string key = ResourceTreeWidget::KeyOf(item);
    // A filtered group's commands act on the resources it shows.
    if (item->parent() == nullptr) {
        if (const GroupNode* group = ShownTree().FindGroup(key)) return *group;
    }
    return {key, LevelBytes(item->text(0)), {}};
}

void MainWindow::DatFileInfoCommand() {
    // With no level loaded (after a refused file) there is nothing to describe.
    if (!session_.level) {
        ui_->Beep();
        return;
    }
    ui_->ShowMessage(DatFileInfoText(*session_.level), kProgramTitle, MessageIcon::Information);
}

void MainWindow::ResourceInfoCommand() {
    const ResourceRecord* record = session_.Selected();
    if (record == nullptr) {
        ui_->Beep();
        return;
    }
    if (resourceInfo_ == nullptr) resourceInfo_ = new ResourceInfoWindow(this);
    const FilesOpenForCommand files(*session_.level);
    resourceInfo_->ShowRecord(session_.selectedIndex, *record, session_.level->RawSlotOf(*record));
}

void MainWindow::ShowView(TreeView view) {
    if (!session_.level) {
        ui_->Beep();
        ShowViewChecks();
        return;
    }
    treeView_->RemoveAllNodes();
    tree_ = ResourceTree{};
    tree_ = BuildView(view, *session_.level, *ui_);
    SetLastView(view);
    ShowTree();
    ShowViewChecks();
}

void MainWindow::ShowViewChecks() {
    const bool open = session_.level.has_value();
    mnuNRM_->setChecked(open && tree_.view == TreeView::Normal);
    mnuZephyr_->setChecked(open && tree_.view == TreeView::Zephyr);
}

void MainWindow::ZephyrViewCommand() {
    ShowView(TreeView::Zephyr);
}

void MainWindow::NormalViewCommand() {
    ShowView(TreeView::Normal);
}

void MainWindow::ReplaceSoundCommand() {
    const auto index = SelectedForTool(session_, *ui_, kSoundTags, kNotASoundToReplace);
    if (!index) return;
    const auto slot = SoundSlotOf(*session_.level, *index, *ui_);
    if (!slot) return;
    if (soundReplace_ == nullptr) soundReplace_ = new SoundReplaceWindow(session_, *ui_, this);
    soundReplace_->ShowSlot(*slot);
}

void MainWindow::ReplaceTextureCommand() {
    const auto index = TextureToReplace(session_, *ui_);
    if (!index) return;
    const std::string path = ui_->AskOpenPath(TexturePictureRequest());
    // The preview shows the texture as it now is.
    if (!path.empty() && ReplaceTexture(*session_.level, *index, path, *ui_)) UpdatePreview();
}

void MainWindow::ViewSoundCommand() {
    if (!SelectedForTool(session_, *ui_, kSoundTags, kNotASoundToView)) return;
    if (soundViewer_ == nullptr) {
        soundViewer_ = new SoundViewerWindow(session_, *ui_, this);
        // "Next" shows the sound it steps to in the tree too.
        soundViewer_->onStepped = [this](std::int32_t index) {
            if (QTreeWidgetItem* item = treeView_->ItemOfIndex(index)) {
                treeView_->setCurrentItem(item);
                treeView_->scrollToItem(item);
                AfterTreeClick();
            }
        };
    }
    soundViewer_->ShowSelected();
}

void MainWindow::EditStringCommand() {
    const auto index = SelectedForTool(session_, *ui_, kEditableStringTags, kNotAString);
    if (!index) return;
    if (stringEditor_ == nullptr) stringEditor_ = new StringEditorWindow(session_, *ui_, this);
    stringEditor_->ShowFor(*index);
}

void MainWindow::EditLightsCommand() {
    const auto index = SelectedForTool(session_, *ui_, kLightingListTags, kNotALightingList);
    if (!index) return;
    if (lightingEditor_ == nullptr) lightingEditor_ = new LightingEditorWindow(session_, *ui_, this);
    lightingEditor_->ShowFor(*index);
}

void MainWindow::CloseToolWindows() {
    for (QDialog* window :
         std::initializer_list<QDialog*>{soundViewer_, soundReplace_, stringEditor_, lightingEditor_}) {
        if (window != nullptr) window->close();
    }
}

void MainWindow::AboutCommand() {
    if (about_ == nullptr) about_ = new AboutWindow(this);
    about_->show();
    about_->raise();
}

void MainWindow::AfterTreeClick() {
    if (!treeView_->HasNodes()) return;
    const QTreeWidgetItem* item = treeView_->currentItem();
    if (item == nullptr) return;
    const std::string key = ResourceTreeWidget::KeyOf(item);
    mnuReplaceTexture_->setEnabled(false);
    if (ResourceTreeWidget::IsResourceNode(item)) {
        const auto index = IndexOfNodeKey(key);
        if (!index) return;
        session_.selectedIndex = *index;
        const ResourceRecord* record = session_.Selected();
        if (record == nullptr) return;
        ApplySelectionCommands(record->tag, true);
        mnuReplaceTexture_->setEnabled(std::ranges::count(kTextureImportTags, record->tag.view()) > 0);
        if (soundViewer_ != nullptr) soundViewer_->Follow(*index);
    } else {
        ApplySelectionCommands(key, false);
    }
}

void MainWindow::ApplySelectionCommands(std::string_view clicked, bool resourceNode) {
    // Menu entries and toolbar buttons can differ (a batch re-enables only some
    // buttons), so each set goes through the rules from its own state.
    struct Controls {
        QAction* unpack;
        QAction* unpackAndConvert;
        QAction* exportFolder;
        QAction* exportAndConvertFolder;
    };
    const Controls sets[] = {{mnuUnp_, mnuUC_, mnuEF_, mnuECF_},
                             {button_.unpack, button_.convert, button_.unpackGroup, button_.convertGroup}};
    for (const Controls& c : sets) {
        const SelectionCommands before{c.unpack->isEnabled(), c.unpackAndConvert->isEnabled(),
                                       c.exportFolder->isEnabled(), c.exportAndConvertFolder->isEnabled()};
        const SelectionCommands after =
            resourceNode ? AfterResourceClick(before, clicked) : AfterGroupClick(before, clicked);
        c.unpack->setEnabled(after.unpack);
        c.unpackAndConvert->setEnabled(after.unpackAndConvert);
        c.exportFolder->setEnabled(after.exportFolder);
        c.exportAndConvertFolder->setEnabled(after.exportAndConvertFolder);
    }
}

void MainWindow::AfterTreeDoubleClick() {
    if (!treeView_->HasNodes() || !ResourceTreeWidget::IsResourceNode(treeView_->currentItem())) return;
    Run([this] { ResourceInfoCommand(); });
}

}  // namespace drossel::ui
