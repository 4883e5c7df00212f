#include "ui/MainWindow.h"

#include "app/UserInterface.h"
#include "ui/AboutWindow.h"
#include "ui/BatchReportWindow.h"
#include "ui/DialogProvider.h"
#include "ui/MainLayout.h"
#include "ui/QtUserInterface.h"
#include "ui/ResourceInfoWindow.h"
#include "ui/ResourceTreeWidget.h"
#include "ui/preview/PreviewDock.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace drossel::ui {

MainWindow::MainWindow(DialogProvider* dialogs)
    : ownDialogs_(dialogs == nullptr ? std::make_unique<QtDialogProvider>() : nullptr),
      dialogs_(dialogs == nullptr ? *ownDialogs_ : *dialogs) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kProgramTitle));

    // The inner area places its controls itself (ArrangeControls): the toolbar on
    // top, the status bar at the bottom, tree and progress bar by their rules.
    client_ = new ClientArea(this);
    client_->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client_);

    toolbar_ = new QToolBar(client_);
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setIconSize(QSize(24, 24));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);

    treeView_ = new ResourceTreeWidget(client_);

    progressBar_ = new QProgressBar(client_);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    progressBar_->setTextVisible(false);
    progressBar_->setFixedHeight(progressBar_->sizeHint().height());

    // The status text lives in a label so that menu hovering never wipes it.
    statusBar_ = new QStatusBar(client_);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);
    statusLabel_ = new QLabel(QStringLiteral("Status: ---"), statusBar_);
    statusLabel_->setObjectName(QStringLiteral("StatusText"));
    statusBar_->addWidget(statusLabel_, 1);
    // A batch can be stopped after the resource it is working on.
    cancel_ = new QToolButton(statusBar_);
    cancel_->setObjectName(QStringLiteral("cmdCancel"));
    cancel_->setText(QStringLiteral("Cancel"));
    cancel_->setToolTip(QStringLiteral("Stop the batch after the current resource (Esc)"));
    cancel_->hide();
    statusBar_->addPermanentWidget(cancel_);
    connect(cancel_, &QToolButton::clicked, this, &MainWindow::CancelBatch);
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape_->setEnabled(false);
    connect(escape_, &QShortcut::activated, this, &MainWindow::CancelBatch);

    ui_ = std::make_unique<QtUserInterface>(this, statusLabel_, progressBar_, dialogs_);
    ui_->onLockForBatch = [this](BatchLock lock, bool locked) { LockForBatch(lock, locked); };
    ui_->onSelectTreeNode = [this](const std::string& key) { SelectTreeNode(key); };

    // The preview sits beside everything else: hidden, the window is laid out as it always was.
    preview_ = new PreviewDock(this);
    addDockWidget(Qt::RightDockWidgetArea, preview_);
    setAcceptDrops(true);

    CreateMenus();
    CreateToolbar();
    // The layout rules place the progress bar 1.38 status bar heights below the
    // tree's height, counted from the top, while the tree starts below the
    // toolbar; a status bar of at least (toolbar + 1) / 1.38 keeps the tree's
    // last row out from under the progress bar.
    const double toolbarHeight = toolbar_->sizeHint().height();
    statusBar_->setFixedHeight(
        std::max(statusBar_->sizeHint().height(), static_cast<int>(std::ceil((toolbarHeight + 1) / 1.38))));
    connect(treeView_, &ResourceTreeWidget::clickedOrKeyReleased, this, [this] { AfterTreeClick(); });
    connect(treeView_, &ResourceTreeWidget::doubleClicked, this, [this] { AfterTreeDoubleClick(); });
    // Enter converts the selected resource, as "Unpack and Convert" would.
    connect(treeView_, &ResourceTreeWidget::enterPressed, this, [this] {
        AfterTreeClick();
        if (ResourceTreeWidget::IsResourceNode(treeView_->currentItem()) && mnuUC_->isEnabled()) mnuUC_->trigger();
    });
    connect(treeView_, &QTreeWidget::currentItemChanged, this, [this] { UpdatePreview(); });
    // A character's or a level's 3D preview follows the options it is drawn by.
    for (const char* name : {"mnuchar1", "mnuchar2", "mnuchar3", "mnuchar4", "mnuchar5", "mnuallgroups", "mnuAllQuads"})
        connect(findChild<QAction*>(QLatin1String(name)), &QAction::triggered, this, [this] { UpdatePreview(); });
    treeView_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(treeView_, &QWidget::customContextMenuRequested, this, &MainWindow::ShowContextMenu);
    client_->onResize = [this] { ArrangeControls(); };

    StartState();
    RestoreSettings();
}

MainWindow::~MainWindow() = default;

QString MainWindow::statusText() const {
    return statusLabel_->text();
}

void MainWindow::Enable(std::initializer_list<QAction*> actions, bool enabled) {
    for (QAction* action : actions) action->setEnabled(enabled);
}

void MainWindow::ArrangeControls() {
    if (isMinimized()) return;
    const int width = client_->width();
    const int height = client_->height();
    // The bars keep their natural heights, as docked bars do.
    toolbar_->setGeometry(0, 0, width, toolbar_->sizeHint().height());
    const int statusHeight = statusBar_->height();
    statusBar_->setGeometry(0, height - statusHeight, width, statusHeight);

    const MainLayout layout = ComputeMainLayout({.innerWidth = width,
                                                 .innerHeight = height,
                                                 .toolbarHeight = toolbar_->height(),
                                                 .statusBarHeight = statusBar_->height(),
                                                 .progressBarHeight = progressBar_->height(),
                                                 .treeHeight = treeView_->height()});
    if (layout.tree) treeView_->setGeometry(*layout.tree);
    progressBar_->setGeometry(layout.progressBar);
}

void MainWindow::LockForBatch(BatchLock lock, bool locked) {
    if (locked && batchDepth_ == 0) {
        ui_->cancelRequested = false;
        cancel_->setEnabled(true);
    }
    batchDepth_ = locked ? batchDepth_ + 1 : std::max(batchDepth_ - 1, 0);
    cancel_->setVisible(batchDepth_ > 0);
    escape_->setEnabled(batchDepth_ > 0);
    filter_->setEnabled(batchDepth_ == 0 && session_.level.has_value());
    if (locked) preview_->StopSound();
    treeView_->setEnabled(!locked);
    if (lock == BatchLock::Folder) {
        toolbar_->setEnabled(!locked);
        return;
    }
    mnuFile_->menuAction()->setEnabled(!locked);
    mnuEdit_->menuAction()->setEnabled(!locked);
    const ToolbarButtons& b = button_;
    Enable({b.open, b.rawFile, b.datFileInfo, b.resourceInfo, b.unpackAll, b.convertAll}, !locked);
    b.close->setEnabled(!locked && session_.level.has_value());
    // The selection buttons wait for the next click in the tree.
    if (locked) Enable({b.unpack, b.unpackGroup, b.convert, b.convertGroup}, false);
}

void MainWindow::CancelBatch() {
    if (batchDepth_ == 0) return;
    ui_->cancelRequested = true;
    cancel_->setEnabled(false);
    ui_->SetStatusText("Status: Cancelling after the current resource...");
}

void MainWindow::SelectTreeNode(const std::string& key) {
    QTreeWidgetItem* item = treeView_->ItemOfKey(key);
    if (item == nullptr) return;
    treeView_->setCurrentItem(item);
    treeView_->scrollToItem(item);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Escape in the filter box clears it and goes back to the tree.
    if (watched == filter_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !filter_->text().isEmpty()) {
        filter_->clear();
        ApplyFilter();
        treeView_->setFocus();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // A restored window may come back at the size it was minimized with, so no
    // resize arrives; the layout runs here instead.
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) ArrangeControls();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    SaveSettings();
    if (resourceInfo_ != nullptr) resourceInfo_->close();
    if (batchReport_ != nullptr) batchReport_->close();
    preview_->SetLevel(nullptr);
    if (about_ != nullptr) about_->close();
    CloseToolWindows();
    treeView_->RemoveAllNodes();
    tree_ = ResourceTree{};
    CloseLevel(session_);
    event->accept();
}

}  // namespace drossel::ui
