#pragma once
// What the desktop program keeps between runs, through QSettings: the options
// the person chose, the levels last opened, the folders last chosen, the
// tree's view, and the window's size, place and docks. Tests point QSettings
// at a folder of their own.

#include "app/ResourceTree.h"
#include "convert/Options.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace drossel::ui {

inline constexpr int kRecentLevels = 8;

// Puts the saved options over `options`; false when none were ever saved.
bool RestoreOptions(Options& options);
void SaveOptions(const Options& options);

// The levels opened last, the latest first.
QStringList RecentLevels();
// Puts the level first, keeping at most kRecentLevels.
void AddRecentLevel(const QString& datPath);
void RemoveRecentLevel(const QString& datPath);

// The folder last chosen in the open dialogs ("Open"), the save dialogs
// ("Save") and the folder chooser of the batch commands ("Batch").
QString LastFolder(const char* dialog);
void SetLastFolder(const char* dialog, const QString& folder);

TreeView LastView();
void SetLastView(TreeView view);

QByteArray WindowGeometry();
QByteArray WindowState();
void SaveWindow(const QByteArray& geometry, const QByteArray& state);

}  // namespace drossel::ui
