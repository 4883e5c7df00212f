#include "ui/ResourceInfoWindow.h"

#include "app/InfoText.h"
#include "level/ResourceTable.h"
#include "ui/LevelText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace drossel::ui {
namespace {

// Control names, in the order the core lists the fields.
struct FieldControls {
    const char* label;
    const char* box;
};
constexpr std::array<FieldControls, 8> kControls{{
    {"Label1", "txt_name"},
    {"Label2", "txt_size"},
    {"Label3", "txt_type"},
    {"Label6", "txt_code"},
    {"Label4", "txt_flags"},
    {"Label5", "txt_dataP"},
    {"Label7", "txt_rawS"},
    {"Label8", "txt_rawP"},
}};

}  // namespace

ResourceInfoWindow::ResourceInfoWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Resource Info"));

    auto* grid = new QGridLayout;
    int rows = 0;
    const auto row = [this, grid, &rows](const std::string& caption, const char* labelName, const char* boxName) {
        auto* label = new QLabel(QString::fromStdString(caption), this);
        label->setObjectName(QLatin1String(labelName));
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(boxName));
        box->setReadOnly(true);
        box->setMinimumWidth(220);
        label->setBuddy(box);
        grid->addWidget(label, rows, 0);
        grid->addWidget(box, rows++, 1);
        return box;
    };
    number_ = row(ResourceNumberField(0).label, "Label9", "txt_number");
    // The captions come with the fields; any record gives them.
    const std::vector<InfoField> captions = ResourceInfoFields(ResourceRecord{}, RawSlot{});
    for (std::size_t i = 0; i < kControls.size(); ++i)
        boxes_[i] = row(captions[i].label, kControls[i].label, kControls[i].box);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ResourceInfoWindow::ShowRecord(std::int32_t index, const ResourceRecord& record, const RawSlot& raw) {
    number_->setText(QString::fromStdString(ResourceNumberField(index).value));
    const std::vector<InfoField> fields = ResourceInfoFields(record, raw);
    for (std::size_t i = 0; i < boxes_.size() && i < fields.size(); ++i) {
        boxes_[i]->setText(LevelText(fields[i].value));
        boxes_[i]->setCursorPosition(0);
    }
    show();
    raise();
}

}  // namespace drossel::ui
