// The pictures of the tree (TreePictures) and of the toolbar, drawn in code.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <vector>

namespace orvel::ui {

constexpr int PictureCount = 14;
constexpr int PictureSize = 16;

// The 14 pictures of 16 x 16 pixels, by index: house, yellow and cyan folders closed and open,
// white and cyan pages, page with a house, image page, blank page, tilted blue anchor, empty,
// black anchor, grey dot pattern.
const std::vector<QPixmap>& TreePictures();

// One decoration for a node: its state picture in a column left of its picture, the overlay
// drawn over the picture. Built once per combination and kept.
const QPixmap& NodeDecoration(int StateIndex, int ImageIndex, int OverlayIndex);

enum class TToolGlyph { Folder, Open, Save, Reopen, Undo, Halt, Config, About };
QIcon ToolIcon(TToolGlyph Glyph);

} // namespace orvel::ui
