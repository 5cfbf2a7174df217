// The program's icon, the one its desktop entry shows in the application menu.
#pragma once

#include <QIcon>

namespace orvel::ui {

// Rendered from the SVG of the desktop entry at the sizes of title bars, panels and task
// switchers.
QIcon ProgramIcon();

} // namespace orvel::ui
