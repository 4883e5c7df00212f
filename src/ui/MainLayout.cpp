#include "ui/MainLayout.h"

#include <cmath>

namespace drossel::ui {
namespace {

int Pixels(double value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

MainLayout ComputeMainLayout(const MainLayoutInput& in) {
    MainLayout layout;
    const double treeHeight = in.innerHeight - 2.3 * in.statusBarHeight - 1.112 * in.progressBarHeight;
    int placedTreeHeight = in.treeHeight;
    if (treeHeight >= 0) {
        placedTreeHeight = Pixels(treeHeight);
        layout.tree = QRect(0, in.toolbarHeight + 1, in.innerWidth, placedTreeHeight);
    }
    const int progressTop = Pixels(placedTreeHeight + 1.38 * in.statusBarHeight);
    layout.progressBar = QRect(0, progressTop, in.innerWidth, in.progressBarHeight);
    return layout;
}

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResize) onResize();
}

}  // namespace drossel::ui
