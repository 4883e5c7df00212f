#pragma once
// AboutWindow, "About Drossel": the artwork, the version and what the program is for.

#include <QDialog>

namespace drossel::ui {

class AboutWindow : public QDialog {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent);
};

}  // namespace drossel::ui
