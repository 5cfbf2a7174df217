#include "ui/TreePictures.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace orvel::ui {

namespace {

const QColor Yellow(255, 255, 0), Cyan(0, 255, 255), Outline(64, 64, 64);

QPixmap Blank(int Size = PictureSize) {
    QPixmap Pixmap(Size, Size);
    Pixmap.fill(Qt::transparent);
    return Pixmap;
}

void DrawHouse(QPainter& P, QRectF R) {
    QPolygonF Roof;
    Roof << QPointF(R.center().x(), R.top()) << QPointF(R.right(), R.top() + R.height() * 0.45)
         << QPointF(R.left(), R.top() + R.height() * 0.45);
    P.setPen(Outline);
    P.setBrush(QColor(200, 40, 40));
    P.drawPolygon(Roof);
    const QRectF Body(R.left() + R.width() * 0.15, R.top() + R.height() * 0.45, R.width() * 0.7,
                      R.height() * 0.55 - 0.5);
    P.setBrush(Qt::white);
    P.drawRect(Body);
    P.setBrush(QColor(120, 70, 20));
    P.drawRect(QRectF(Body.center().x() - R.width() * 0.1, Body.top() + Body.height() * 0.4,
                      R.width() * 0.2, Body.height() * 0.6));
}

void DrawFolder(QPainter& P, const QColor& Fill, bool Open) {
    P.setPen(Outline);
    P.setBrush(Fill.darker(115));
    P.drawRect(QRectF(1.5, 3.5, 6, 2)); // tab
    P.drawRect(QRectF(1.5, 4.5, 13, 9.5));
    P.setBrush(Fill);
    if (Open) {
        QPolygonF Front;
        Front << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(13.5, 14) << QPointF(1.5, 14);
        P.drawPolygon(Front);
    } else {
        P.drawRect(QRectF(1.5, 6.5, 13, 7.5));
    }
}

void DrawPage(QPainter& P, const QColor& Fill, bool Lines) {
    QPolygonF Sheet;
    Sheet << QPointF(3.5, 1.5) << QPointF(10.5, 1.5) << QPointF(13.5, 4.5) << QPointF(13.5, 14.5)
          << QPointF(3.5, 14.5);
    P.setPen(Outline);
    P.setBrush(Fill);
    P.drawPolygon(Sheet);
    P.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
    P.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
    if (!Lines) return;
    P.setPen(QColor(90, 90, 90));
    for (double Y = 6.5; Y < 14; Y += 2)
        P.drawLine(QPointF(5, Y), QPointF(12, Y));
}

void DrawAnchor(QPainter& P, const QColor& Colour, double Angle) {
    P.save();
    P.translate(8, 8);
    P.rotate(Angle);
    P.translate(-8, -8);
    QPen Pen(Colour, 1.6);
    Pen.setCapStyle(Qt::RoundCap);
    P.setPen(Pen);
    P.setBrush(Qt::NoBrush);
    P.drawEllipse(QPointF(8, 3), 1.6, 1.6);               // ring
    P.drawLine(QPointF(8, 4.6), QPointF(8, 14));          // shank
    P.drawLine(QPointF(5, 6.5), QPointF(11, 6.5));        // stock
    P.drawArc(QRectF(3, 6.5, 10, 8), 180 * 16, 180 * 16); // arms
    P.restore();
}

QPixmap Picture(int Index) {
    QPixmap Pixmap = Blank();
    QPainter P(&Pixmap);
    P.setRenderHint(QPainter::Antialiasing);
    switch (Index) {
    case 0:
        DrawHouse(P, QRectF(1, 1, 14, 14));
        break;
    case 1:
        DrawFolder(P, Yellow, false);
        break;
    case 2:
        DrawFolder(P, Cyan, false);
        break;
    case 3:
        DrawFolder(P, Yellow, true);
        break;
    case 4:
        DrawFolder(P, Cyan, true);
        break;
    case 5:
        DrawPage(P, Qt::white, true);
        break;
    case 6:
        DrawPage(P, Cyan, true);
        break;
    case 7:
        DrawPage(P, Qt::white, false);
        DrawHouse(P, QRectF(4.5, 5, 8, 8.5));
        break;
    case 8:
        DrawPage(P, Qt::white, false);
        P.setPen(Qt::NoPen);
        P.setBrush(QColor(230, 40, 40));
        P.drawEllipse(QRectF(5, 5, 4, 4));
        P.setBrush(QColor(40, 90, 230));
        P.drawRect(QRectF(8.5, 9, 4, 4));
        P.setBrush(QColor(30, 170, 60));
        P.drawPolygon(QPolygonF() << QPointF(4.5, 13.5) << QPointF(8, 13.5) << QPointF(6.25, 10));
        break;
    case 9:
        DrawPage(P, Qt::white, false);
        break;
    case 10:
        DrawAnchor(P, QColor(0, 0, 255), 30);
        break;
    case 11:
        break; // empty
    case 12:
        DrawAnchor(P, Qt::black, 0);
        break;
    case 13:
        P.setRenderHint(QPainter::Antialiasing, false);
        for (int Y = 0; Y < PictureSize; ++Y)
            for (int X = (Y % 2); X < PictureSize; X += 2)
                P.fillRect(X, Y, 1, 1, QColor(128, 128, 128));
        break;
    }
    return Pixmap;
}

QPixmap Glyph(TToolGlyph Kind) {
    constexpr int Size = 24;
    QPixmap Pixmap = Blank(Size);
    QPainter P(&Pixmap);
    P.setRenderHint(QPainter::Antialiasing);
    P.scale(Size / 16.0, Size / 16.0);
    switch (Kind) {
    case TToolGlyph::Folder:
        DrawFolder(P, Yellow, true);
        break;
    case TToolGlyph::Open:
        DrawPage(P, Qt::white, true);
        P.setPen(QPen(QColor(0, 120, 0), 1.8));
        P.drawLine(QPointF(1, 12), QPointF(6, 12));
        P.drawLine(QPointF(4, 9.5), QPointF(6.5, 12));
        P.drawLine(QPointF(4, 14.5), QPointF(6.5, 12));
        break;
    case TToolGlyph::Save:
        P.setPen(Outline);
        P.setBrush(QColor(40, 70, 160));
        P.drawRect(QRectF(1.5, 1.5, 13, 13));
        P.setBrush(Qt::white);
        P.drawRect(QRectF(4, 1.5, 8, 5));
        P.setBrush(QColor(200, 200, 200));
        P.drawRect(QRectF(4, 9, 8, 5.5));
        break;
    case TToolGlyph::Reopen: {
        P.setPen(QPen(QColor(0, 110, 200), 2));
        P.setBrush(Qt::NoBrush);
        P.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 280 * 16);
        P.setBrush(QColor(0, 110, 200));
        P.setPen(Qt::NoPen);
        P.drawPolygon(QPolygonF() << QPointF(9, 0.5) << QPointF(14, 3.5) << QPointF(9, 6.5));
        break;
    }
    case TToolGlyph::Undo: {
        P.setPen(QPen(QColor(0, 110, 200), 2));
        P.setBrush(Qt::NoBrush);
        P.drawArc(QRectF(3, 4, 11, 10), -90 * 16, 200 * 16);
        P.setBrush(QColor(0, 110, 200));
        P.setPen(Qt::NoPen);
        P.drawPolygon(QPolygonF() << QPointF(1, 5.5) << QPointF(6.5, 1.5) << QPointF(6.5, 9.5));
        break;
    }
    case TToolGlyph::Halt: {
        QPolygonF Octagon;
        for (int I = 0; I < 8; ++I) {
            const double A = (22.5 + 45 * I) * M_PI / 180;
            Octagon << QPointF(8 + 7 * std::cos(A), 8 + 7 * std::sin(A));
        }
        P.setPen(Outline);
        P.setBrush(QColor(220, 30, 30));
        P.drawPolygon(Octagon);
        P.setBrush(Qt::white);
        P.setPen(Qt::NoPen);
        P.drawRect(QRectF(4, 7, 8, 2));
        break;
    }
    case TToolGlyph::Config: {
        P.setPen(Qt::NoPen);
        P.setBrush(QColor(110, 110, 120));
        for (int I = 0; I < 8; ++I) {
            P.save();
            P.translate(8, 8);
            P.rotate(45 * I);
            P.drawRect(QRectF(-1.5, -7.5, 3, 3));
            P.restore();
        }
        P.drawEllipse(QPointF(8, 8), 5, 5);
        P.setBrush(Qt::white);
        P.drawEllipse(QPointF(8, 8), 2, 2);
        break;
    }
    case TToolGlyph::About:
        P.setPen(Outline);
        P.setBrush(QColor(30, 100, 220));
        P.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        P.setPen(Qt::NoPen);
        P.setBrush(Qt::white);
        P.drawEllipse(QPointF(8, 4.8), 1.2, 1.2);
        P.drawRect(QRectF(7, 7, 2, 5.5));
        break;
    }
    return Pixmap;
}

} // namespace

const std::vector<QPixmap>& TreePictures() {
    static const std::vector<QPixmap> Pictures = [] {
        std::vector<QPixmap> All;
        All.reserve(PictureCount);
        for (int I = 0; I < PictureCount; ++I)
            All.push_back(Picture(I));
        return All;
    }();
    return Pictures;
}

const QPixmap& NodeDecoration(int StateIndex, int ImageIndex, int OverlayIndex) {
    static QHash<int, QPixmap> Cache;
    const int Key = ((StateIndex + 1) * 32 + (ImageIndex + 1)) * 4 + (OverlayIndex + 1);
    auto It = Cache.find(Key);
    if (It != Cache.end()) return *It;
    const auto& Pictures = TreePictures();
    const auto Valid = [](int I) { return I >= 0 && I < PictureCount; };
    QPixmap Pixmap(2 * PictureSize + 2, PictureSize);
    Pixmap.fill(Qt::transparent);
    QPainter P(&Pixmap);
    if (Valid(StateIndex)) P.drawPixmap(0, 0, Pictures[static_cast<size_t>(StateIndex)]);
    if (Valid(ImageIndex))
        P.drawPixmap(PictureSize + 2, 0, Pictures[static_cast<size_t>(ImageIndex)]);
    // Overlay slot 0 is picture 13.
    if (OverlayIndex == 0) P.drawPixmap(PictureSize + 2, 0, Pictures[13]);
    P.end();
    return *Cache.insert(Key, Pixmap);
}

QIcon ToolIcon(TToolGlyph Kind) {
    return QIcon(Glyph(Kind));
}

} // namespace orvel::ui
