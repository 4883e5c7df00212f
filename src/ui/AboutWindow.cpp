#include "ui/AboutWindow.h"

#include "ui/Icons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace drossel::ui {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("About Drossel"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(AboutArtwork(120));
    picture->setAlignment(Qt::AlignTop);

    auto* title = new QLabel(QStringLiteral("Drossel v1.065"), this);
    title->setObjectName(QStringLiteral("Label3"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* version = new QLabel(QStringLiteral("Drossel v1.065"), this);
    version->setObjectName(QStringLiteral("Label1"));
    auto* purpose = new QLabel(
        QStringLiteral("This program for UnPacking and converting resources to Normal file format of Oni game"), this);
    purpose->setObjectName(QStringLiteral("Label2"));
    purpose->setWordWrap(true);
    purpose->setMinimumWidth(240);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(purpose);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addLayout(texts);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace drossel::ui
