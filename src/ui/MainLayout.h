#pragma once
// Where the main window puts its tree and progress bar when it is resized: the
// tree below the toolbar and the progress bar above the status bar, with sizes
// taken from the heights the bars have at that moment.

#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>

namespace drossel::ui {

struct MainLayoutInput {
    int innerWidth = 0;
    int innerHeight = 0;
    int toolbarHeight = 0;
    int statusBarHeight = 0;
    int progressBarHeight = 0;
    int treeHeight = 0;  // the tree's height before this layout
};

struct MainLayout {
    std::optional<QRect> tree;  // unset when the tree would get a negative height
    QRect progressBar;
};

MainLayout ComputeMainLayout(const MainLayoutInput& input);

// The main window's inner area; it tells its owner when its size changes.
class ClientArea : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void()> onResize;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace drossel::ui
