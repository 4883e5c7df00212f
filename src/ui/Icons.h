#pragma once
// The program's own images, drawn in code: the toolbar buttons, the tree's node
// images and the About window's artwork.

#include <QIcon>
#include <QPixmap>

namespace drossel::ui {

// The image of toolbar button `button` (1-based); a null icon for the separators.
QIcon ToolbarIcon(int button);
// Tree node image 1 (group), 2 (selected group) or 3 (resource).
QIcon TreeNodeIcon(int image);
// The picture of the About window: a thrush on a branch.
QPixmap AboutArtwork(int size);

}  // namespace drossel::ui
