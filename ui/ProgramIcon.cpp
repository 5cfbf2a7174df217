#include "ui/ProgramIcon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace orvel::ui {

QIcon ProgramIcon() {
    QSvgRenderer Renderer(QStringLiteral(":/uoorvel.svg"));
    QIcon Icon;
    for (int Size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap Pixmap(Size, Size);
        Pixmap.fill(Qt::transparent);
        QPainter P(&Pixmap);
        Renderer.render(&P);
        P.end();
        Icon.addPixmap(Pixmap);
    }
    return Icon;
}

} // namespace orvel::ui
