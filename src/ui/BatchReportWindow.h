#pragma once
// How a whole-level batch went ("Unpack ALL !", "Unpack end convert supported
// files!"): files written, skipped and failed, every failure with its reason,
// and a button that shows the output folder. It does not block the main window.

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace drossel {
struct BatchSummary;
}

namespace drossel::ui {

class DialogProvider;

class BatchReportWindow : public QDialog {
    Q_OBJECT

public:
    BatchReportWindow(DialogProvider& dialogs, QWidget* parent);

    // `command`: the caption of the batch's menu entry.
    void ShowSummary(const QString& command, const BatchSummary& summary);

private:
    DialogProvider& dialogs_;
    QString folder_;
    QLabel* outcome_ = nullptr;
    QLabel* written_ = nullptr;
    QLabel* skipped_ = nullptr;
    QLabel* failed_ = nullptr;
    QPlainTextEdit* failures_ = nullptr;
};

}  // namespace drossel::ui
