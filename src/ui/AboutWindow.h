#pragma once
// Form4, "About Drossel": the artwork, the version and what the program is for.

#include <QDialog>

namespace drossel::ui {

class Form4 : public QDialog {
    Q_OBJECT

public:
    explicit Form4(QWidget* parent);
};

}  // namespace drossel::ui
