// Where windows open: dialogs centred, stored places brought onto a screen, a tool window beside
// the main window.
#pragma once

#include <QList>
#include <QRect>

class QWidget;

namespace orvel::ui {

// Moves a window to the centre of the available area of its screen.
void CenterOnScreen(QWidget& Window);

// A window's frame brought onto the screens' available areas: unchanged when it lies inside
// one, else moved (and shrunk where it is larger) into the area it overlaps most or, off every
// area, the nearest one. Unchanged without areas.
QRect PlaceOnScreens(const QRect& Frame, const QList<QRect>& Areas);

// The first place of a tool window's frame: beside the main window's frame, to the right or
// else to the left, within Area; over the main window only where neither side has room.
QPoint PlaceBeside(const QRect& Main, QSize Tool, const QRect& Area);

// The available areas of every screen.
QList<QRect> ScreenAreas();

} // namespace orvel::ui
