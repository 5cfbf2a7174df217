#include "ui/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace orvel::ui {

namespace {

// The square of the gap between two rectangles; 0 when they touch or overlap.
long long GapSquared(const QRect& A, const QRect& B) {
    const long long Dx = std::max({0, B.left() - A.right(), A.left() - B.right()});
    const long long Dy = std::max({0, B.top() - A.bottom(), A.top() - B.bottom()});
    return Dx * Dx + Dy * Dy;
}

// Where a span of Length starting at Start lies within [Low, Low + Room), kept at Low when it
// is longer.
int Within(int Start, int Length, int Low, int Room) {
    return std::max(Low, std::min(Start, Low + Room - Length));
}

} // namespace

void CenterOnScreen(QWidget& Window) {
    QScreen* Screen = Window.parentWidget() ? Window.parentWidget()->screen() : Window.screen();
    if (!Screen) Screen = QGuiApplication::primaryScreen();
    if (!Screen) return;
    const QRect Area = Screen->availableGeometry();
    const QSize Frame = Window.frameGeometry().size();
    Window.move(Area.x() + (Area.width() - Frame.width()) / 2,
                Area.y() + (Area.height() - Frame.height()) / 2);
}

QRect PlaceOnScreens(const QRect& Frame, const QList<QRect>& Areas) {
    const QRect* Best = nullptr;
    long long BestOverlap = -1, BestGap = std::numeric_limits<long long>::max();
    for (const QRect& Area : Areas) {
        if (Area.contains(Frame)) return Frame;
        const QRect Common = Area & Frame;
        const long long Overlap = static_cast<long long>(Common.width()) * Common.height();
        const long long Gap = GapSquared(Area, Frame);
        if (Overlap > BestOverlap || (Overlap == BestOverlap && Gap < BestGap)) {
            Best = &Area;
            BestOverlap = Overlap;
            BestGap = Gap;
        }
    }
    if (!Best) return Frame;
    const QSize Size = Frame.size().boundedTo(Best->size());
    return {Within(Frame.x(), Size.width(), Best->x(), Best->width()),
            Within(Frame.y(), Size.height(), Best->y(), Best->height()), Size.width(),
            Size.height()};
}

QPoint PlaceBeside(const QRect& Main, QSize Tool, const QRect& Area) {
    const int Top = Within(Main.top(), Tool.height(), Area.top(), Area.height());
    if (Main.right() + Tool.width() <= Area.right()) return {Main.right() + 1, Top};
    if (Main.left() - Tool.width() >= Area.left()) return {Main.left() - Tool.width(), Top};
    return {Within(Main.right() + 1, Tool.width(), Area.left(), Area.width()), Top};
}

QList<QRect> ScreenAreas() {
    QList<QRect> Areas;
    for (const QScreen* Screen : QGuiApplication::screens())
        Areas << Screen->availableGeometry();
    return Areas;
}

} // namespace orvel::ui
