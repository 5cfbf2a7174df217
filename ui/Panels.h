// Small pieces that the windows build their layouts from.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace orvel::ui {

// A label in a sunken panel, as the header lines and the status panels show it.
QLabel* SunkenLabel(const QString& Text, QWidget* Parent);

} // namespace orvel::ui
