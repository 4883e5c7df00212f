#pragma once
// The main window (Form1): menus, toolbar, resource tree, progress bar and status
// bar around one Session. Every command hands its work to the core and then
// brings the window's controls into the state that follows.

#include "app/Batch.h"
#include "app/OpenLevel.h"
#include "app/ResourceTree.h"
#include "app/Session.h"
#include "app/UserInterface.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QShortcut;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;

namespace drossel::ui {

class AboutWindow;
class BatchReportWindow;
class ClientArea;
class PreviewDock;
class DialogProvider;
class QtUserInterface;
class ResourceInfoWindow;
class ResourceTreeWidget;
class LightingEditorWindow;
class SoundReplaceWindow;
class StringEditorWindow;
class SoundViewerWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // Dialogs go through `dialogs` when given (tests), through real Qt dialogs otherwise.
    explicit MainWindow(DialogProvider* dialogs = nullptr);
    ~MainWindow() override;

    // Opens a level as if its path had been chosen in the open dialog.
    void OpenLevelFile(const QString& path);

    Session& session() { return session_; }
    const ResourceTree& resourceTree() const { return tree_; }
    QString statusText() const;
    // The port the commands talk to; the core's batch loops reach the window through it.
    QtUserInterface& userInterface() { return *ui_; }
    PreviewDock& preview() { return *preview_; }
    // Asks the running batch to stop after its current resource (Cancel, Escape).
    void CancelBatch();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Construction (MainMenus.cpp).
    void CreateMenus();
    void CreateOptionMenus(QMenu* options);
    void CreateToolbar();
    QAction* Entry(QMenu* menu, const char* name, const char* caption, void (MainWindow::*command)() = nullptr);
    // One entry of a group of radio choices that stores `value` in `setting`;
    // `shownAtStart`: its check mark follows the setting before any load too.
    template <typename T>
    QAction* Choice(QMenu* menu, QActionGroup* group, const char* name, const char* caption, T Options::*setting,
                    T value, bool shownAtStart = false);
    // Checks the choices that match the settings (those shown at start, or all).
    void ShowChoices(bool onlyThoseShownAtStart);
    void StartState();

    // Commands (MainCommands.cpp).
    void OpenCommand();
    void RawFileCommand();
    void CloseCommand();
    void ExitCommand();
    void UnpackAllCommand();
    void ConvertAllCommand();
    void UnpackCommand();
    void ConvertCommand();
    void UnpackGroupCommand();
    void ConvertGroupCommand();
    void DatFileInfoCommand();
    void ResourceInfoCommand();
    void ZephyrViewCommand();
    void NormalViewCommand();
    void ReplaceSoundCommand();
    void ReplaceTextureCommand();
    void ViewSoundCommand();
    void EditStringCommand();
    void EditLightsCommand();
    void AboutCommand();

    // Runs a command at the boundary between the window and the core.
    void Run(const std::function<void()>& command);
    void FinishOpen(OpenResult result);
    void OpenFromPath(const std::string& datPath);
    void ShowView(TreeView view);
    void ShowViewChecks();
    GroupNode SelectedNode() const;
    // The end of a batch: its summary in the status bar, and for a whole-level
    // batch the report window.
    void ReportBatch(const char* command, const BatchSummary& summary, bool wholeLevel);
    // The tool windows work on the open level; they close when it goes.
    void CloseToolWindows();

    // The tree's events.
    void AfterTreeClick();
    void AfterTreeDoubleClick();
    void ApplySelectionCommands(std::string_view clickedKey, bool resourceNode);

    // Batch hooks of the UserInterface port.
    void LockForBatch(BatchLock lock, bool locked);
    void SelectTreeNode(const std::string& key);

    void ArrangeControls();
    static void Enable(std::initializer_list<QAction*> actions, bool enabled);

    // The conventions of a desktop program (MainConventions.cpp): settings kept
    // between runs, Recent Levels, the filter, the right-click menu, the preview.
    void RestoreSettings();
    void SaveSettings();
    void ShowRecentLevels();
    void ApplyFilter();
    // The tree as shown: filtered while the filter box holds a text.
    const ResourceTree& ShownTree() const { return filtered_ ? filteredTree_ : tree_; }
    void ShowTree();
    void ShowContextMenu(const QPoint& position);
    void UpdatePreview();

    Session session_;
    ResourceTree tree_;
    std::unique_ptr<DialogProvider> ownDialogs_;
    DialogProvider& dialogs_;
    std::unique_ptr<QtUserInterface> ui_;
    int batchDepth_ = 0;

    ClientArea* client_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    ResourceTreeWidget* treeView_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    ResourceInfoWindow* resourceInfo_ = nullptr;
    PreviewDock* preview_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QTimer* filterTimer_ = nullptr;
    ResourceTree filteredTree_;
    bool filtered_ = false;
    QMenu* recentMenu_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    QToolButton* cancel_ = nullptr;
    QShortcut* escape_ = nullptr;
    BatchReportWindow* batchReport_ = nullptr;
    AboutWindow* about_ = nullptr;
    SoundViewerWindow* soundViewer_ = nullptr;
    SoundReplaceWindow* soundReplace_ = nullptr;
    StringEditorWindow* stringEditor_ = nullptr;
    LightingEditorWindow* lightingEditor_ = nullptr;

    // The toolbar's buttons (their object names are Button1 to Button17 by
    // position; 4, 7, 10 and 13 are separators).
    struct ToolbarButtons {
        QAction* open = nullptr;          // 1
        QAction* rawFile = nullptr;       // 2
        QAction* close = nullptr;         // 3
        QAction* unpack = nullptr;        // 5
        QAction* unpackGroup = nullptr;   // 6
        QAction* convert = nullptr;       // 8
        QAction* convertGroup = nullptr;  // 9
        QAction* datFileInfo = nullptr;   // 11
        QAction* resourceInfo = nullptr;  // 12
        QAction* unpackAll = nullptr;     // 14
        QAction* convertAll = nullptr;    // 15
        QAction* zephyrView = nullptr;    // 16
        QAction* normalView = nullptr;    // 17
    } button_;

    QMenu* mnuFile_ = nullptr;
    QMenu* mnuEdit_ = nullptr;
    QAction* mnuclose_ = nullptr;
    QAction* mnuUnpAll_ = nullptr;
    QAction* mnuUCALL_ = nullptr;
    QAction* mnuUnp_ = nullptr;
    QAction* mnuUC_ = nullptr;
    QAction* mnuEF_ = nullptr;
    QAction* mnuECF_ = nullptr;
    QAction* mnuDatInfo_ = nullptr;
    QAction* mnuResInfo_ = nullptr;
    QAction* mnuZephyr_ = nullptr;
    QAction* mnuNRM_ = nullptr;
    QAction* mnuEditonitext_ = nullptr;
    QAction* mnuOverwriteSound_ = nullptr;
    QAction* mnuReplaceTexture_ = nullptr;  // enabled while a texture kind is selected
    QAction* mnuViewSndFile_ = nullptr;
    QAction* mnuAGQG_ = nullptr;

    struct ShownChoice {
        QAction* action;
        std::function<bool()> isCurrent;
        bool shownAtStart;
    };
    std::vector<ShownChoice> choices_;
};

}  // namespace drossel::ui
