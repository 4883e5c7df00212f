#include "ui/BatchReportWindow.h"

#include "app/Batch.h"
#include "ui/DialogProvider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace drossel::ui {
namespace {

QLabel* Label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

BatchReportWindow::BatchReportWindow(DialogProvider& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmBatchReport"));
    outcome_ = Label(this, "lblOutcome");
    outcome_->setWordWrap(true);
    written_ = Label(this, "lblWritten");
    skipped_ = Label(this, "lblSkipped");
    failed_ = Label(this, "lblFailed");
    failures_ = new QPlainTextEdit(this);
    failures_->setObjectName(QStringLiteral("txtFailures"));
    failures_->setReadOnly(true);
    failures_->setLineWrapMode(QPlainTextEdit::NoWrap);
    failures_->setMinimumSize(520, 160);

    auto* open = new QPushButton(QStringLiteral("Open Output Folder"), this);
    open->setObjectName(QStringLiteral("cmdOpenFolder"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(open, &QPushButton::clicked, this, [this] { dialogs_.ShowFolder(folder_); });
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    auto* counts = new QHBoxLayout;
    for (QLabel* label : {written_, skipped_, failed_}) counts->addWidget(label);
    counts->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(outcome_);
    layout->addLayout(counts);
    layout->addWidget(failures_, 1);
    layout->addLayout(buttons);
}

void BatchReportWindow::ShowSummary(const QString& command, const BatchSummary& s) {
    folder_ = QString::fromStdString(s.folder);
    setWindowTitle(command);
    outcome_->setText(
        s.cancelled
            ? QStringLiteral("Cancelled after %1 of %2 resources, into %3").arg(s.walked).arg(s.toWalk).arg(folder_)
            : QStringLiteral("Done, into %1").arg(folder_));
    written_->setText(QStringLiteral("Files written: %1").arg(s.filesWritten));
    skipped_->setText(QStringLiteral("Skipped: %1").arg(s.skipped));
    failed_->setText(QStringLiteral("Failed: %1").arg(s.failures.size()));
    QStringList lines;
    for (const std::string& failure : s.failures) lines << QString::fromStdString(failure);
    if (!s.warnings.empty()) {
        if (!lines.isEmpty()) lines << QString();
        lines << QStringLiteral("Written with warnings:");
        for (const std::string& warning : s.warnings) lines << QString::fromStdString(warning);
    }
    failures_->setPlainText(lines.isEmpty() ? QStringLiteral("Nothing failed.") : lines.join(QLatin1Char('\n')));
    show();
    raise();
}

}  // namespace drossel::ui
