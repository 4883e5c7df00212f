#include "ui/DesktopSettings.h"

#include <QSettings>
#include <initializer_list>

namespace drossel::ui {
namespace {

// A saved whole number, when it is one of `allowed`.
void RestoreChoice(const QSettings& s, const char* key, int& value, std::initializer_list<int> allowed) {
    bool ok = false;
    const int saved = s.value(QLatin1String(key)).toInt(&ok);
    for (int choice : allowed) {
        if (ok && saved == choice) value = saved;
    }
}

}  // namespace

bool RestoreOptions(Options& o) {
    const QSettings s;
    if (!s.contains(QStringLiteral("Options/Image"))) return false;
    int image = static_cast<int>(o.Image);
    RestoreChoice(s, "Options/Image", image, {0, 1, 2, 3, 4});
    o.Image = static_cast<ImageFormat>(image);
    RestoreChoice(s, "Options/ModelLwoFormat", o.ModelLwoFormat, {60, 65, 70, kGlb});
    RestoreChoice(s, "Options/CharacterLwoFormat", o.CharacterLwoFormat, {60, 65, 70, kGlb});
    RestoreChoice(s, "Options/WeaponLwoFormat", o.WeaponLwoFormat, {60, 70, kGlb});
    RestoreChoice(s, "Options/CharacterGroup", o.CharacterGroup, {1, 2, 3, 4, 5, 6});
    RestoreChoice(s, "Options/LevelFormat", o.LevelFormat, {1, 6, 7, 8, kGlb});
    o.OneTextFile = s.value(QStringLiteral("Options/OneTextFile"), o.OneTextFile).toBool();
    o.DeleteGarbage = s.value(QStringLiteral("Options/DeleteGarbage"), o.DeleteGarbage).toBool();
    o.AllQuadsGeometry = s.value(QStringLiteral("Options/AllQuadsGeometry"), o.AllQuadsGeometry).toBool();
    return true;
}

void SaveOptions(const Options& o) {
    QSettings s;
    s.setValue(QStringLiteral("Options/Image"), static_cast<int>(o.Image));
    s.setValue(QStringLiteral("Options/ModelLwoFormat"), o.ModelLwoFormat);
    s.setValue(QStringLiteral("Options/CharacterLwoFormat"), o.CharacterLwoFormat);
    s.setValue(QStringLiteral("Options/WeaponLwoFormat"), o.WeaponLwoFormat);
    s.setValue(QStringLiteral("Options/CharacterGroup"), o.CharacterGroup);
    s.setValue(QStringLiteral("Options/LevelFormat"), o.LevelFormat);
    s.setValue(QStringLiteral("Options/OneTextFile"), o.OneTextFile);
    s.setValue(QStringLiteral("Options/DeleteGarbage"), o.DeleteGarbage);
    s.setValue(QStringLiteral("Options/AllQuadsGeometry"), o.AllQuadsGeometry);
}

QStringList RecentLevels() {
    return QSettings().value(QStringLiteral("RecentLevels")).toStringList().mid(0, kRecentLevels);
}

void AddRecentLevel(const QString& datPath) {
    QStringList levels = RecentLevels();
    levels.removeAll(datPath);
    levels.prepend(datPath);
    QSettings().setValue(QStringLiteral("RecentLevels"), levels.mid(0, kRecentLevels));
}

void RemoveRecentLevel(const QString& datPath) {
    QStringList levels = RecentLevels();
    levels.removeAll(datPath);
    QSettings().setValue(QStringLiteral("RecentLevels"), levels);
}

QString LastFolder(const char* dialog) {
    return QSettings().value(QStringLiteral("Folders/") + QLatin1String(dialog)).toString();
}

void SetLastFolder(const char* dialog, const QString& folder) {
    QSettings().setValue(QStringLiteral("Folders/") + QLatin1String(dialog), folder);
}

TreeView LastView() {
    return QSettings().value(QStringLiteral("View/Tree")).toString() == QStringLiteral("Zephyr") ? TreeView::Zephyr
                                                                                                 : TreeView::Normal;
}

void SetLastView(TreeView view) {
    QSettings().setValue(QStringLiteral("View/Tree"),
                         view == TreeView::Zephyr ? QStringLiteral("Zephyr") : QStringLiteral("Normal"));
}

QByteArray WindowGeometry() {
    return QSettings().value(QStringLiteral("Window/Geometry")).toByteArray();
}

QByteArray WindowState() {
    return QSettings().value(QStringLiteral("Window/State")).toByteArray();
}

void SaveWindow(const QByteArray& geometry, const QByteArray& state) {
    QSettings s;
    s.setValue(QStringLiteral("Window/Geometry"), geometry);
    s.setValue(QStringLiteral("Window/State"), state);
}

}  // namespace drossel::ui
