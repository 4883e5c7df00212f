#include "ui/tools/StringEditorWindow.h"

#include "app/EditReports.h"
#include "app/Session.h"
#include "app/UserInterface.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace drossel::ui {

StringEditorWindow::StringEditorWindow(Session& session, UserInterface& ui, QWidget* parent)
    : QDialog(parent), session_(session), ui_(ui) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Edit the Oni Text"));

    // A line edit keeps every character it is given, line breaks included.
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("Text1"));
    text_->setMinimumWidth(480);
    auto* save = new QPushButton(QStringLiteral("Save Changes"), this);
    save->setObjectName(QStringLiteral("Command1"));
    save->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    connect(save, &QPushButton::clicked, this, [this] { Save(); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
}

void StringEditorWindow::ShowFor(std::int32_t index) {
    try {
        editor_.emplace(*session_.level, index);
    } catch (const std::exception& e) {
        editor_.reset();
        ui_.ShowMessage(std::string("Cannot edit the text: ") + e.what(), kProgramTitle, MessageIcon::Critical);
        return;
    }
    text_->setMaxLength(static_cast<int>(editor_->width()));
    text_->setText(QString::fromStdString(editor_->text()));
    show();
    raise();
    activateWindow();
}

void StringEditorWindow::Save() {
    if (!editor_ || !session_.level) return;
    try {
        editor_->Save(*session_.level, text_->text().toStdString());
    } catch (const std::exception& e) {
        // The window stays open with the text, so nothing typed is lost.
        ui_.ShowMessage(std::string("The text was not saved: ") + e.what(), kProgramTitle, MessageIcon::Critical);
        return;
    }
    ui_.SetStatusText(StringSavedText(*session_.level, editor_->index()));
    close();
}

}  // namespace drossel::ui
