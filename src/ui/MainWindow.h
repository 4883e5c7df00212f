#pragma once
// Form1, the main window: menus, toolbar, resource tree, progress bar and status
// bar around one Session. Every command hands its work to the core and then
// brings the window's controls into the state that follows.

#include "container/Catalogue.h"
#include "container/LoadDat.h"
#include "container/ResourceTree.h"
#include "container/Session.h"
#include "container/UserInterface.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QToolBar;

namespace drossel::ui {

class ClientArea;
class DialogProvider;
class Form2;
class Form4;
class QtUserInterface;
class ResourceTreeWidget;

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kToolbarPositions = 17;

    // Dialogs go through `dialogs` when given (tests), through real Qt dialogs otherwise.
    explicit Form1(DialogProvider* dialogs = nullptr);
    ~Form1() override;

    // Opens a level as if its path had been chosen in the open dialog.
    void OpenLevelFile(const QString& path);

    Session& session() { return session_; }
    const ResourceTree& resourceTree() const { return tree_; }
    QString statusText() const;
    // The port the commands talk to; the core's batch loops reach the window through it.
    QtUserInterface& userInterface() { return *ui_; }
    // Toolbar position 1 to 17; the separators (4, 7, 10, 13) are actions too.
    QAction* ToolbarButton(int position) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Construction (MainMenus.cpp).
    void CreateMenus();
    void CreateOptionMenus(QMenu* options);
    void CreateToolbar();
    QAction* Entry(QMenu* menu, const char* name, const char* caption, void (Form1::*command)() = nullptr);
    QAction* Option(QMenu* menu, QActionGroup* group, const char* name, const char* caption,
                    std::function<void()> store);
    void StartState();

    // Commands (MainCommands.cpp).
    void OpenCommand();
    void RawFileCommand();
    void CloseCommand();
    void ExitCommand();
    void UnpackAllCommand();
    void ConvertAllCommand();
    void UnpackCommand();
    void UnpackAndConvertCommand();
    void ExportFolderCommand();
    void ExportAndConvertFolderCommand();
    void DatFileInfoCommand();
    void ResourceInfoCommand();
    void ZephyrViewCommand();
    void NormalViewCommand();
    void AboutCommand();

    // Runs a command at the boundary between the window and the core.
    void Run(const std::function<void()>& command);
    void FinishOpen(OpenResult result);
    void ShowView(TreeView view);
    GroupNode SelectedNode() const;

    // The tree's events.
    void AfterTreeClick();
    void AfterTreeDoubleClick();
    void ApplySelectionCommands(std::string_view clickedKey, bool resourceNode);

    // Batch hooks of the UserInterface port.
    void LockForBatch(BatchLock lock, bool locked);
    void SelectTreeNode(const std::string& key);

    void ArrangeControls();
    static void Enable(std::initializer_list<QAction*> actions, bool enabled);

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
    Form2* resourceInfo_ = nullptr;
    Form4* about_ = nullptr;

    std::array<QAction*, kToolbarPositions + 1> buttons_{};  // by position; [0] unused
    QMenu* mnuFile_ = nullptr;
    QMenu* mnuEdit_ = nullptr;
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
    QAction* mnuViewSndFile_ = nullptr;
    QAction* mnuAGQG_ = nullptr;
    // Option entries a load or the start checks.
    QAction* mnuTga_ = nullptr;
    QAction* mnuLwo65_ = nullptr;
    QAction* mnuCLwo60_ = nullptr;
    QAction* mnuWav_ = nullptr;
    QAction* mnuL_lwo60_ = nullptr;
    QAction* mnuchar5_ = nullptr;
    QAction* mnuwep65p_ = nullptr;
};

}  // namespace drossel::ui
