#include "ui/tools/SoundReplaceWindow.h"

#include "app/Session.h"
#include "app/UserInterface.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace drossel::ui {

SoundReplaceWindow::SoundReplaceWindow(Session& session, UserInterface& ui, QWidget* parent)
    : QDialog(parent), session_(session), ui_(ui) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Replace Sound file..."));

    auto* caption = new QLabel(QStringLiteral("Replace Bytes from File:"), this);
    caption->setObjectName(QStringLiteral("Label1"));
    path_ = new QLineEdit(this);
    path_->setObjectName(QStringLiteral("Text1"));
    path_->setMinimumWidth(320);
    caption->setBuddy(path_);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("Command1"));
    browse->setToolTip(QStringLiteral("Select sound file..."));
    browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    capacity_ = new QLabel(this);
    capacity_->setObjectName(QStringLiteral("Label2"));
    target_ = new QLabel(this);
    target_->setObjectName(QStringLiteral("Label3"));

    auto* replace = new QPushButton(QStringLiteral("Replace !"), this);
    replace->setObjectName(QStringLiteral("Command2"));
    replace->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command3"));
    connect(browse, &QPushButton::clicked, this, [this] { Browse(); });
    connect(replace, &QPushButton::clicked, this, [this] { Replace(); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    auto* file = new QHBoxLayout;
    file->addWidget(path_, 1);
    file->addWidget(browse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(replace);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(target_);
    layout->addWidget(caption);
    layout->addLayout(file);
    layout->addWidget(capacity_);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SoundReplaceWindow::ShowSlot(const SoundSlot& slot) {
    slot_ = slot;
    capacity_->setText(QString::fromStdString(CapacityText(slot)));
    if (session_.level) target_->setText(QString::fromStdString("Replacing " + SoundTargetText(*session_.level, slot)));
    show();
    raise();
    activateWindow();
}

void SoundReplaceWindow::Browse() {
    const std::string path =
        ui_.AskOpenPath({"Select sound file...", "", "Wave Files (*.wav)|*.wav|All Files (*.*)|*.*"});
    if (!path.empty()) path_->setText(QString::fromStdString(path));
}

void SoundReplaceWindow::Replace() {
    // The main window closes this window with its level; this is only a guard.
    if (!session_.level) {
        ui_.Beep();
        return;
    }
    // The replacement says in the status bar what it wrote.
    if (ReplaceSound(*session_.level, slot_, path_->text().toStdString(), ui_)) close();
}

}  // namespace drossel::ui
