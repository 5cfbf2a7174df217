// Where dialogs of the program open.
#pragma once

class QWidget;

namespace orvel::ui {

// Moves a window to the centre of the available area of its screen.
void CenterOnScreen(QWidget& Window);

} // namespace orvel::ui
