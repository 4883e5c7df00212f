#pragma once
// ResourceInfoWindow, "Resource Info": every field of one resource in eight read-only boxes.
// It does not block the main window and is refreshed each time it is shown.

#include <QDialog>
#include <array>
#include <cstdint>

class QLineEdit;

namespace drossel {
struct ResourceRecord;
struct RawSlot;
}  // namespace drossel

namespace drossel::ui {

class ResourceInfoWindow : public QDialog {
    Q_OBJECT

public:
    explicit ResourceInfoWindow(QWidget* parent);

    // The record at this table index: its number, then its eight fields.
    void ShowRecord(std::int32_t index, const ResourceRecord& record, const RawSlot& raw);

private:
    QLineEdit* number_ = nullptr;
    std::array<QLineEdit*, 8> boxes_{};
};

}  // namespace drossel::ui
