#pragma once
// StringEditorWindow, "Edit the Oni Text": the text of the string resource that
// was selected when it opened, saved back into its fixed-width field in place.
// It does not block the main window, which closes it with the level.

#include "app/StringEditor.h"

#include <QDialog>
#include <optional>

class QLineEdit;

namespace drossel {
class UserInterface;
struct Session;
}  // namespace drossel

namespace drossel::ui {

class StringEditorWindow : public QDialog {
    Q_OBJECT

public:
    StringEditorWindow(Session& session, UserInterface& ui, QWidget* parent);

    // Loads the string resource at this index and shows the window; after a
    // message, nothing, when its record cannot be read.
    void ShowFor(std::int32_t index);

private:
    void Save();

    Session& session_;
    UserInterface& ui_;
    std::optional<StringEditor> editor_;
    QLineEdit* text_ = nullptr;
};

}  // namespace drossel::ui
