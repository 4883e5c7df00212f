#include "ui/DialogProvider.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace drossel::ui {
namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

MessageAnswer AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Ok;
    }
}

}  // namespace

QString QtDialogProvider::OpenFileName(QWidget* parent, const QString& title, const QString& proposedName,
                                       const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, proposedName, filter);
}

QString QtDialogProvider::SaveFileName(QWidget* parent, const QString& title, const QString& proposedName,
                                       const QString& filter, QString* selectedFilter) {
    // QFileDialog asks before overwriting unless told otherwise.
    return QFileDialog::getSaveFileName(parent, title, proposedName, filter, selectedFilter);
}

QString QtDialogProvider::ExistingFolder(QWidget* parent, const QString& caption, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, caption, start, QFileDialog::ShowDirsOnly);
}

void QtDialogProvider::ShowFolder(const QString& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

MessageAnswer QtDialogProvider::Message(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
                                        MessageButtons buttons) {
    // Message texts end their lines with CR LF; a label wants plain line ends.
    QString shown = text;
    shown.remove(QLatin1Char('\r'));
    QMessageBox box(IconOf(icon), title, shown.trimmed(), ButtonsOf(buttons), parent);
    box.setTextFormat(Qt::PlainText);
    return AnswerOf(box.exec());
}

}  // namespace drossel::ui
