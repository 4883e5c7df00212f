#include "ui/QtUserInterface.h"

#include "ui/DialogProvider.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QStringList>
#include <algorithm>

namespace drossel::ui {

QString QtFilterOf(const std::string& filter) {
    if (filter.empty()) return {};
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString pattern = i + 1 < parts.size() ? parts[i + 1].trimmed() : QStringLiteral("*");
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses at the end of the description,
        // so the pattern half replaces whatever the description shows there.
        if (description.endsWith(QLatin1Char(')'))) {
            const qsizetype open = description.lastIndexOf(QLatin1Char('('));
            if (open >= 0) description = description.left(open).trimmed();
        }
        entries << QStringLiteral("%1 (%2)").arg(description, pattern);
    }
    return entries.join(QStringLiteral(";;"));
}

QString FilterOfExtension(const QString& filter, const QString& extension) {
    if (extension.isEmpty()) return {};
    for (const QString& entry : filter.split(QStringLiteral(";;"))) {
        const qsizetype open = entry.lastIndexOf(QLatin1Char('('));
        const QStringList patterns = entry.mid(open + 1).chopped(1).split(QLatin1Char(' '));
        if (open >= 0 && patterns.contains(QLatin1Char('*') + extension, Qt::CaseInsensitive)) return entry;
    }
    return {};
}

QString WithExtension(const QString& path, const QString& chosenFilter, const QString& fallback) {
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    const qsizetype open = chosenFilter.lastIndexOf(QLatin1Char('('));
    const QString pattern = open < 0 ? QString() : chosenFilter.mid(open + 1).section(QLatin1Char(' '), 0, 0);
    const QString extension =
        pattern.startsWith(QStringLiteral("*.")) ? pattern.mid(1).remove(QLatin1Char(')')) : QString();
    return path + (extension.isEmpty() || extension.contains(QLatin1Char('*')) ? fallback : extension);
}

QtUserInterface::QtUserInterface(QWidget* owner, QLabel* statusText, QProgressBar* progress, DialogProvider& dialogs)
    : owner_(owner), statusText_(statusText), progress_(progress), dialogs_(dialogs) {}

void QtUserInterface::SetStatusText(const std::string& text) {
    statusText_->setText(QString::fromStdString(text));
}

namespace {

// The proposed name in the folder last chosen, when there is one.
QString InFolder(const QString& folder, const std::string& name) {
    const QString file = QString::fromStdString(name);
    return folder.isEmpty() ? file : QDir(folder).filePath(file);
}

}  // namespace

std::string QtUserInterface::AskSavePath(const FileDialogRequest& request) {
    const QString filter = QtFilterOf(request.filter);
    const QString extension = QString::fromStdString(request.defaultExtension);
    // The dialog starts with the filter of the extension, or with its first.
    QString chosenFilter = FilterOfExtension(filter, extension);
    if (chosenFilter.isEmpty()) chosenFilter = filter.section(QStringLiteral(";;"), 0, 0);
    QString path = dialogs_.SaveFileName(owner_, QString::fromStdString(request.title),
                                         InFolder(saveFolder, request.fileName), filter, &chosenFilter);
    if (path.isEmpty()) return {};
    path = WithExtension(path, chosenFilter, extension);
    saveFolder = QFileInfo(path).absolutePath();
    return path.toStdString();
}

std::string QtUserInterface::AskOpenPath(const FileDialogRequest& request) {
    const QString path = dialogs_.OpenFileName(owner_, QString::fromStdString(request.title),
                                               InFolder(openFolder, request.fileName), QtFilterOf(request.filter));
    if (!path.isEmpty()) openFolder = QFileInfo(path).absolutePath();
    return path.toStdString();
}

std::string QtUserInterface::BrowseForFolder(const std::string& title) {
    const QString caption = title.empty() ? QStringLiteral("Select Directory") : QString::fromStdString(title);
    const QString folder = dialogs_.ExistingFolder(owner_, caption, batchFolder);
    if (!folder.isEmpty()) batchFolder = folder;
    return folder.toStdString();
}

MessageAnswer QtUserInterface::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                                           MessageButtons buttons) {
    return dialogs_.Message(owner_, QString::fromStdString(text), QString::fromStdString(title), icon, buttons);
}

void QtUserInterface::SetProgressMaximum(int maximum) {
    // A maximum of 0 (an empty level) would turn the bar into a busy indicator.
    progress_->setMaximum(std::max(maximum, 1));
}

void QtUserInterface::SetProgressValue(int value) {
    // Loops report every record; a step below a thousandth of the bar changes no
    // pixel, and skipping it keeps a 100,000-record loop from redrawing the bar.
    const qint64 maximum = progress_->maximum();
    const qint64 step = qAbs(qint64{value} - progress_->value());
    if (value != 0 && value < maximum && step * 1000 < maximum) return;
    progress_->setValue(value);
}

void QtUserInterface::ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

void QtUserInterface::Beep() {
    QApplication::beep();
}

void QtUserInterface::FileWritten(const std::string& path) {
    statusText_->setToolTip(QStringLiteral("Last file written: %1").arg(QString::fromStdString(path)));
}

void QtUserInterface::LockForBatch(BatchLock lock, bool locked) {
    if (onLockForBatch) onLockForBatch(lock, locked);
}

void QtUserInterface::SelectTreeNode(const std::string& key) {
    if (onSelectTreeNode) onSelectTreeNode(key);
}

}  // namespace drossel::ui
