#pragma once
// Alt-key access to the menus without changing a caption's words: every entry
// of the menu bar and of its menus gets the first letter not yet taken in its
// menu, a word's first letter before any other; an entry whose letters are all
// taken, or that has its marker already, is left as it is.

class QMenuBar;

namespace drossel::ui {

void AssignMnemonics(QMenuBar* bar);

}  // namespace drossel::ui
