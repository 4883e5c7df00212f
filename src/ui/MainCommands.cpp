// The main window's commands and tree events: each hands its work to the core
// and then brings the controls into the state that follows.

#include "container/InfoText.h"
#include "container/LoadDat.h"
#include "container/PathText.h"
#include "extract/Commands.h"
#include "ui/AboutWindow.h"
#include "ui/LevelText.h"
#include "ui/MainWindow.h"
#include "ui/QtUserInterface.h"
#include "ui/ResourceInfoWindow.h"
#include "ui/ResourceTreeWidget.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QProgressBar>
#include <exception>

namespace drossel::ui {

void Form1::StartState() {
    Enable({mnuUnp_, mnuUC_, mnuEF_, mnuECF_, mnuDatInfo_, mnuResInfo_}, false);
    Enable({buttons_[5], buttons_[6], buttons_[8], buttons_[9], buttons_[11], buttons_[12], buttons_[14], buttons_[15]},
           false);
    Enable({mnuUnpAll_, mnuUCALL_, mnuEditonitext_, mnuOverwriteSound_, mnuViewSndFile_}, false);
    Enable({buttons_[16], buttons_[17], mnuZephyr_, mnuNRM_, mnuAGQG_}, false);
    session_.CharacterGroup = 5;
    mnuchar5_->setChecked(true);
    session_.WeaponLwoFormat = 70;
    mnuwep65p_->setChecked(true);
}

void Form1::Run(const std::function<void()>& command) {
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

void Form1::OpenCommand() {
    FinishOpen(ChooseAndOpenLevel(session_, *ui_));
}

void Form1::OpenLevelFile(const QString& path) {
    const std::string datPath = QFileInfo(path).absoluteFilePath().toStdString();
    Run([this, datPath] { FinishOpen(OpenLevel(session_, *ui_, datPath)); });
}

void Form1::FinishOpen(OpenResult result) {
    if (result == OpenResult::Cancelled) return;
    treeView_->RemoveAllNodes();
    tree_ = ResourceTree{};
    if (result == OpenResult::Rejected) return;

    try {
        tree_ = BuildNormalView(session_, *ui_);
        treeView_->Fill(tree_);
    } catch (const std::exception&) {
        // A tree that cannot be built ends the open here; what was built stays.
        return;
    }
    Enable({mnuDatInfo_, mnuResInfo_, buttons_[11], buttons_[12], mnuUnpAll_, mnuUCALL_}, true);
    setWindowTitle(QStringLiteral("%1 - [%2]")
                       .arg(QString::fromLatin1(kProgramTitle), QString::fromStdString(FileNameOf(session_.datPath))));
    Enable({buttons_[14], buttons_[15]}, true);
    // The core has reset the option values; the check marks follow them.
    for (QAction* option : {mnuTga_, mnuLwo65_, mnuCLwo60_, mnuWav_, mnuL_lwo60_}) option->setChecked(true);
    Enable({mnuEditonitext_, mnuOverwriteSound_, mnuViewSndFile_, buttons_[16], buttons_[17], mnuZephyr_, mnuNRM_,
            mnuAGQG_},
           true);
    treeView_->setFocus();
}

void Form1::RawFileCommand() {
    ChooseRawFile(session_, *ui_);
}

void Form1::CloseCommand() {
    treeView_->RemoveAllNodes();
    tree_ = ResourceTree{};
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    ui_->SetStatusText("Satus: ---");
    Enable({mnuUnp_, mnuUnpAll_, mnuUC_, mnuEF_, mnuECF_, mnuDatInfo_, mnuResInfo_, mnuUCALL_}, false);
    Enable({buttons_[5], buttons_[6], buttons_[8], buttons_[9], buttons_[11], buttons_[12], buttons_[14], buttons_[15]},
           false);
    Enable({mnuEditonitext_, mnuOverwriteSound_, mnuViewSndFile_}, false);
    Enable({mnuEdit_->menuAction(), mnuFile_->menuAction()}, true);
    treeView_->setEnabled(true);
    Enable({buttons_[16], buttons_[17], mnuAGQG_, mnuZephyr_, mnuNRM_}, false);
    CloseLevel(session_);
    progressBar_->setValue(0);
    progressBar_->setMaximum(100);
    progressBar_->setMinimum(0);
    ui_->ProcessPendingEvents();
}

void Form1::ExitCommand() {
    close();
}

void Form1::UnpackAllCommand() {
    UnpackAll(session_, *ui_);
}

void Form1::ConvertAllCommand() {
    ConvertAll(session_, *ui_);
}

void Form1::UnpackCommand() {
    UnpackResource(session_, *ui_);
}

void Form1::UnpackAndConvertCommand() {
    UnpackAndConvert(session_, *ui_);
}

void Form1::ExportFolderCommand() {
    ExportFolder(session_, *ui_, SelectedNode());
}

void Form1::ExportAndConvertFolderCommand() {
    ExportAndConvertFolder(session_, *ui_, SelectedNode());
}

GroupNode Form1::SelectedNode() const {
    const QTreeWidgetItem* item = treeView_->currentItem();
    if (item == nullptr) return {};
    const std::string key = ResourceTreeWidget::KeyOf(item);
    if (item->parent() == nullptr) {
        if (const GroupNode* group = tree_.FindGroup(key)) return *group;
    }
    return {key, LevelBytes(item->text(0)), {}};
}

void Form1::DatFileInfoCommand() {
    // With no level loaded (after a refused file) there is nothing to describe.
    if (!session_.loaded) {
        ui_->Beep();
        return;
    }
    ui_->ShowMessage(DatFileInfoText(session_), kProgramTitle, MessageIcon::Information);
}

void Form1::ResourceInfoCommand() {
    const ResourceRecord* record = session_.Selected();
    if (!session_.loaded || record == nullptr) {
        ui_->Beep();
        return;
    }
    if (resourceInfo_ == nullptr) resourceInfo_ = new Form2(this);
    resourceInfo_->ShowRecord(*record);
}

void Form1::ShowView(TreeView view) {
    if (!session_.loaded) {
        ui_->Beep();
        return;
    }
    treeView_->RemoveAllNodes();
    tree_ = ResourceTree{};
    tree_ = BuildView(view, session_, *ui_);
    treeView_->Fill(tree_);
}

void Form1::ZephyrViewCommand() {
    ShowView(TreeView::Zephyr);
}

void Form1::NormalViewCommand() {
    ShowView(TreeView::Normal);
}

void Form1::AboutCommand() {
    if (about_ == nullptr) about_ = new Form4(this);
    about_->show();
    about_->raise();
}

void Form1::AfterTreeClick() {
    if (!treeView_->HasNodes()) return;
    const QTreeWidgetItem* item = treeView_->currentItem();
    if (item == nullptr) return;
    const std::string key = ResourceTreeWidget::KeyOf(item);
    if (ResourceTreeWidget::IsResourceNode(item)) {
        const auto index = IndexOfNodeKey(key);
        if (!index) return;
        session_.selectedIndex = *index;
        const ResourceRecord* record = session_.Selected();
        if (record == nullptr) return;
        ApplySelectionCommands(record->tag, true);
    } else {
        ApplySelectionCommands(key, false);
    }
}

void Form1::ApplySelectionCommands(std::string_view clicked, bool resourceNode) {
    // Menu entries and toolbar buttons can differ (a batch re-enables only some
    // buttons), so each set goes through the rules from its own state.
    struct Controls {
        QAction* unpack;
        QAction* unpackAndConvert;
        QAction* exportFolder;
        QAction* exportAndConvertFolder;
    };
    const Controls sets[] = {{mnuUnp_, mnuUC_, mnuEF_, mnuECF_}, {buttons_[5], buttons_[8], buttons_[6], buttons_[9]}};
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

void Form1::AfterTreeDoubleClick() {
    if (!treeView_->HasNodes() || !ResourceTreeWidget::IsResourceNode(treeView_->currentItem())) return;
    Run([this] { ResourceInfoCommand(); });
}

}  // namespace drossel::ui
