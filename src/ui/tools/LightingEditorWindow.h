#pragma once
// LightingEditorWindow, "Edit lights of Oni level...": one quad of a level's
// quad list at a time, its four corner colours as numbers, scroll bars and
// swatches. Changes stay in the editor's copy until "OK" writes it back; the
// window does not block the main window, which closes it with the level.

#include "app/LightingEditor.h"

#include <QDialog>
#include <array>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace drossel {
class UserInterface;
struct Session;
}  // namespace drossel

namespace drossel::ui {

class LightingEditorWindow : public QDialog {
    Q_OBJECT

public:
    LightingEditorWindow(Session& session, UserInterface& ui, QWidget* parent);

    // Loads the quad list at this index and shows the window; after a message,
    // nothing, when the list cannot be read.
    void ShowFor(std::int32_t index);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void ShowQuad(int quad);
    void ScrollBarChanged(std::size_t box, int value);
    void BoxEdited(std::size_t box);
    void PaintSwatch(int corner);
    // The boxes from `first`, `count` of them, over the shown quad's colours;
    // nothing, after saying why in the status label.
    std::optional<QuadColours> ReadBoxes(std::size_t first, std::size_t count);
    void Apply();
    void ApplyCornerToAll(int corner);
    void ApplyToAll();
    void Save();

    Session& session_;
    UserInterface& ui_;
    std::optional<LightingEditor> editor_;
    QScrollBar* quad_ = nullptr;
    QLabel* fileName_ = nullptr;
    QLabel* dataPosition_ = nullptr;
    QLabel* quadText_ = nullptr;
    QLabel* status_ = nullptr;
    std::array<QLineEdit*, kColourBytes> boxes_{};
    std::array<QScrollBar*, kColourBytes> scrollBars_{};
    std::array<QFrame*, kCornerColours> swatches_{};
};

}  // namespace drossel::ui
