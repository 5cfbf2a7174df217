#include "ui/Panels.h"

#include <QLabel>

namespace orvel::ui {

QLabel* SunkenLabel(const QString& Text, QWidget* Parent) {
    auto* Label = new QLabel(Text, Parent);
    Label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return Label;
}

} // namespace orvel::ui
