#include "ui/tools/LightingEditorWindow.h"

#include "app/EditReports.h"
#include "app/Session.h"
#include "app/UserInterface.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <climits>

namespace drossel::ui {
namespace {

// Each colour byte's scroll bar, in byte order (blue, green, red, fourth of corner 1, then corner 2, ...).
constexpr std::array<int, kColourBytes> kScrollBarNumbers = {6, 7, 8, 9, 1, 3, 4, 5, 10, 11, 12, 13, 14, 15, 16, 17};
// Each corner's "all" button.
constexpr std::array<int, kCornerColours> kAllButtonNumbers = {3, 4, 7, 8};
constexpr std::array<const char*, 4> kByteRows = {"Blue", "Green", "Red", "4th"};

QString Name(const char* prefix, int number) {
    return QString::fromLatin1(prefix) + QString::number(number);
}

}  // namespace

LightingEditorWindow::LightingEditorWindow(Session& session, UserInterface& ui, QWidget* parent)
    : QDialog(parent), session_(session), ui_(ui) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Edit lights of Oni level..."));

    fileName_ = new QLabel(this);
    fileName_->setObjectName(QStringLiteral("Label1"));
    dataPosition_ = new QLabel(this);
    dataPosition_->setObjectName(QStringLiteral("Label2"));
    quadText_ = new QLabel(this);
    quadText_->setObjectName(QStringLiteral("Label3"));
    quad_ = new QScrollBar(Qt::Horizontal, this);
    quad_->setObjectName(QStringLiteral("HScroll2"));
    connect(quad_, &QScrollBar::valueChanged, this, [this](int value) {
        status_->clear();  // what it said was about the quad left
        ShowQuad(value);
    });

    auto* grid = new QGridLayout;
    for (int row = 0; row < 4; ++row) grid->addWidget(new QLabel(QString::fromLatin1(kByteRows[row]), this), row, 0);
    for (std::size_t box = 0; box < kColourBytes; ++box) {
        const int corner = static_cast<int>(box / 4), row = static_cast<int>(box % 4);
        boxes_[box] = new QLineEdit(this);
        boxes_[box]->setObjectName(Name("Text", static_cast<int>(box) + 1));
        boxes_[box]->setFixedWidth(boxes_[box]->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        scrollBars_[box] = new QScrollBar(Qt::Horizontal, this);
        scrollBars_[box]->setObjectName(Name("HScroll", kScrollBarNumbers[box]));
        scrollBars_[box]->setRange(0, 255);
        scrollBars_[box]->setMinimumWidth(90);
        connect(scrollBars_[box], &QScrollBar::valueChanged, this, [this, box](int v) { ScrollBarChanged(box, v); });
        connect(boxes_[box], &QLineEdit::textEdited, this, [this, box] { BoxEdited(box); });
        grid->addWidget(boxes_[box], row, 1 + 2 * corner);
        grid->addWidget(scrollBars_[box], row, 2 + 2 * corner);
    }
    for (int corner = 0; corner < kCornerColours; ++corner) {
        swatches_[corner] = new QFrame(this);
        swatches_[corner]->setObjectName(Name("Shape", corner + 1));
        swatches_[corner]->setFrameShape(QFrame::Box);
        swatches_[corner]->setFixedHeight(24);
        swatches_[corner]->setAutoFillBackground(true);
        grid->addWidget(swatches_[corner], 4, 1 + 2 * corner, 1, 2);
        auto* all = new QPushButton(QStringLiteral("all"), this);
        all->setObjectName(Name("Command", kAllButtonNumbers[corner]));
        connect(all, &QPushButton::clicked, this, [this, corner] { ApplyCornerToAll(corner + 1); });
        grid->addWidget(all, 5, 1 + 2 * corner, 1, 2);
    }

    auto* note = new QLabel(QStringLiteral("Light must be as RGBA color."), this);
    note->setObjectName(QStringLiteral("Label4"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("Label5"));
    status_->setWordWrap(true);
    auto* apply = new QPushButton(QStringLiteral("Apply"), this);
    apply->setObjectName(QStringLiteral("Command5"));
    auto* applyToAll = new QPushButton(QStringLiteral("Apply to all"), this);
    applyToAll->setObjectName(QStringLiteral("Command6"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    connect(apply, &QPushButton::clicked, this, [this] { Apply(); });
    connect(applyToAll, &QPushButton::clicked, this, [this] { ApplyToAll(); });
    connect(ok, &QPushButton::clicked, this, [this] { Save(); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    auto* header = new QHBoxLayout;
    header->addWidget(fileName_, 1);
    header->addWidget(dataPosition_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(apply);
    buttons->addWidget(applyToAll);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(quadText_);
    layout->addWidget(quad_);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addWidget(status_);
    layout->addLayout(buttons);
}

void LightingEditorWindow::ShowFor(std::int32_t index) {
    try {
        editor_.emplace(*session_.level, index);
    } catch (const std::exception& e) {
        editor_.reset();
        ui_.ShowMessage(std::string("Cannot edit the lights: ") + e.what(), kProgramTitle, MessageIcon::Critical);
        return;
    }
    fileName_->setText(QString::fromStdString(editor_->FileNameText(*session_.level)));
    dataPosition_->setText(QString::fromStdString(editor_->DataPositionText(*session_.level)));
    status_->clear();
    const QSignalBlocker quiet(quad_);
    quad_->setRange(0, static_cast<int>(std::min<std::uint32_t>(editor_->quadCount() - 1, INT_MAX)));
    quad_->setValue(0);
    ShowQuad(0);
    show();
    raise();
    activateWindow();
}

void LightingEditorWindow::hideEvent(QHideEvent* event) {
    // The copy goes with the window; a window the system merely minimised keeps it.
    if (!event->spontaneous()) editor_.reset();
    QDialog::hideEvent(event);
}

void LightingEditorWindow::ShowQuad(int quad) {
    if (!editor_) return;
    const QuadColours colours = editor_->Colours(static_cast<std::uint32_t>(quad));
    for (std::size_t box = 0; box < kColourBytes; ++box) boxes_[box]->setText(QString::number(colours[box]));
    // A scroll bar that moves puts its value into its box: the values just set.
    for (std::size_t box = 0; box < kColourBytes; ++box) scrollBars_[box]->setValue(colours[box]);
    for (int corner = 1; corner <= kCornerColours; ++corner) PaintSwatch(corner);
    quadText_->setText(QString::fromStdString(editor_->QuadText(static_cast<std::uint32_t>(quad))));
}

void LightingEditorWindow::ScrollBarChanged(std::size_t box, int value) {
    boxes_[box]->setText(QString::number(value));
    if (box % 4 != 3) PaintSwatch(static_cast<int>(box / 4) + 1);
}

void LightingEditorWindow::BoxEdited(std::size_t box) {
    // A typed byte moves its scroll bar and swatch; the text stays as typed.
    const auto byte = ColourByte(boxes_[box]->text().toStdString());
    if (!byte) return;
    {
        const QSignalBlocker quiet(scrollBars_[box]);
        scrollBars_[box]->setValue(*byte);
    }
    if (box % 4 != 3) PaintSwatch(static_cast<int>(box / 4) + 1);
}

void LightingEditorWindow::PaintSwatch(int corner) {
    const std::size_t first = 4 * static_cast<std::size_t>(corner - 1);
    const auto byte = [&](std::size_t k) { return ColourByte(boxes_[first + k]->text().toStdString()).value_or(0); };
    QPalette palette = swatches_[corner - 1]->palette();
    palette.setColor(QPalette::Window, QColor(byte(2), byte(1), byte(0)));
    swatches_[corner - 1]->setPalette(palette);
}

std::optional<QuadColours> LightingEditorWindow::ReadBoxes(std::size_t first, std::size_t count) {
    std::array<std::string, kColourBytes> texts;
    for (std::size_t box = 0; box < kColourBytes; ++box) texts[box] = boxes_[box]->text().toStdString();
    QuadColours colours = editor_->Colours(static_cast<std::uint32_t>(quad_->value()));
    if (const auto problem = ReadColourTexts(texts, first, count, colours)) {
        status_->setText(QString::fromStdString(*problem));
        return std::nullopt;
    }
    return colours;
}

void LightingEditorWindow::Apply() {
    if (!editor_) return;
    if (const auto colours = ReadBoxes(0, kColourBytes)) {
        editor_->Apply(static_cast<std::uint32_t>(quad_->value()), *colours);
        status_->setText(QString::fromLatin1(kLightChanged));
    }
}

void LightingEditorWindow::ApplyCornerToAll(int corner) {
    if (!editor_) return;
    if (const auto colours = ReadBoxes(4 * static_cast<std::size_t>(corner - 1), 4)) {
        editor_->ApplyCornerToAll(corner, *colours);
        status_->setText(QString::fromLatin1(kLightChangedAll));
    }
}

void LightingEditorWindow::ApplyToAll() {
    if (!editor_) return;
    if (const auto colours = ReadBoxes(0, kColourBytes)) {
        editor_->ApplyToAll(*colours);
        status_->setText(QString::fromLatin1(kLightChangedAll));
    }
}

void LightingEditorWindow::Save() {
    if (!editor_ || !session_.level) return;
    // What is typed for the shown quad counts as applied; a box that holds no
    // byte keeps the window open, its status saying which.
    const auto colours = ReadBoxes(0, kColourBytes);
    if (!colours) return;
    editor_->Apply(static_cast<std::uint32_t>(quad_->value()), *colours);
    try {
        editor_->Save(*session_.level);
    } catch (const std::exception& e) {
        // The window stays open with its changes, so nothing typed is lost.
        ui_.ShowMessage(std::string("The lights were not saved: ") + e.what(), kProgramTitle, MessageIcon::Critical);
        return;
    }
    ui_.SetStatusText(LightsSavedText(*session_.level, editor_->index(), editor_->quadCount()));
    close();
}

}  // namespace drossel::ui
