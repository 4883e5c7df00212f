#pragma once
// Looking into the main window from a test: a widget by its objectName, and the
// preview page a resource gets when the tree selects it.

#include "ui/MainWindow.h"
#include "ui/ResourceTreeWidget.h"
#include "ui/preview/PreviewDock.h"

#include <QStackedWidget>
#include <QTest>

namespace drossel::ui {

// The child named `name`; a test without it cannot go on.
template <typename T = QWidget>
T* FindIn(const QObject& window, const char* name) {
    auto* found = window.findChild<T*>(QLatin1String(name));
    if (found == nullptr) qFatal("nothing named %s", name);
    return found;
}

// Selects resource `index` as the arrow keys would and waits for its preview:
// the objectName of the page shown, or nothing when none came.
inline QString PreviewPageOf(MainWindow& window, int index) {
    auto* tree = FindIn<ResourceTreeWidget>(window, "TreeView1");
    tree->setCurrentItem(tree->ItemOfIndex(index));
    if (!QTest::qWaitFor([&window] { return !window.preview().waiting(); })) return {};
    return FindIn<QStackedWidget>(window, "PreviewPages")->currentWidget()->objectName();
}

}  // namespace drossel::ui
