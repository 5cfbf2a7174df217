#include "ui/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace orvel::ui {

void CenterOnScreen(QWidget& Window) {
    QScreen* Screen = Window.parentWidget() ? Window.parentWidget()->screen() : Window.screen();
    if (!Screen) Screen = QGuiApplication::primaryScreen();
    if (!Screen) return;
    const QRect Area = Screen->availableGeometry();
    const QSize Frame = Window.frameGeometry().size();
    Window.move(Area.x() + (Area.width() - Frame.width()) / 2,
                Area.y() + (Area.height() - Frame.height()) / 2);
}

} // namespace orvel::ui
