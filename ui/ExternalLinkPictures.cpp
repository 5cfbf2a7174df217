#include "ui/ExternalLinkPictures.h"

#include "ui/Encoding.h"
#include "ui/TreePictures.h"

#include <QIcon>
#include <QListWidgetItem>
#include <QPainter>
#include <array>

namespace orvel::ui {

namespace {

// A disc in the outcome's colour with its sign: green for ok, blue with an arrow for a move,
// red with a cross for broken, orange with a bar for no answer, an empty ring for not asked.
QIcon DrawOutcome(TExternalResult::TOutcome Outcome) {
    QPixmap Picture(PictureSize, PictureSize);
    Picture.fill(Qt::transparent);
    QPainter P(&Picture);
    P.setRenderHint(QPainter::Antialiasing);
    const QRectF Disc(1.5, 1.5, PictureSize - 3, PictureSize - 3);
    static const QColor Colours[] = {QColor(0x2e, 0x9d, 0x3c), QColor(0x1f, 0x6f, 0xd1),
                                     QColor(0xd0, 0x2b, 0x2b), QColor(0xe0, 0x8a, 0x00),
                                     QColor(0x90, 0x90, 0x90)};
    const QColor Colour = Colours[Outcome];
    if (Outcome == TExternalResult::skipped) {
        P.setPen(QPen(Colour, 1.5));
        P.drawEllipse(Disc);
        return QIcon(Picture);
    }
    P.setPen(Qt::NoPen);
    P.setBrush(Colour);
    P.drawEllipse(Disc);
    P.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (Outcome) {
    case TExternalResult::ok:
        P.drawPolyline(QPolygonF({{4.5, 8.5}, {7, 11}, {11.5, 5.5}}));
        break;
    case TExternalResult::redirect:
        P.drawLine(QPointF(4.5, 8), QPointF(11, 8));
        P.drawPolyline(QPolygonF({{8.5, 5}, {11.5, 8}, {8.5, 11}}));
        break;
    case TExternalResult::broken:
        P.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
        P.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
        break;
    default: // timeout: a clock's hands
        P.drawPolyline(QPolygonF({{8, 4.5}, {8, 8}, {11, 9.5}}));
        break;
    }
    return QIcon(Picture);
}

const QIcon& OutcomeIcon(TExternalResult::TOutcome Outcome) {
    static const std::array<QIcon, 5> Icons = {
        DrawOutcome(TExternalResult::ok), DrawOutcome(TExternalResult::redirect),
        DrawOutcome(TExternalResult::broken), DrawOutcome(TExternalResult::timeout),
        DrawOutcome(TExternalResult::skipped)};
    return Icons[Outcome];
}

} // namespace

QString ExternalOutcomeHint(const TExternalLinkResult& Result) {
    switch (Result.Outcome) {
    case TExternalResult::ok:
        return QTr("応答あり (%1)").arg(Result.Code);
    case TExternalResult::redirect:
        return QTr("恒久的に移動しました: %1").arg(QString::fromStdString(Result.FinalUrl));
    case TExternalResult::broken:
        if (Result.MissingAnchor) return QTr("ページにこのアンカーがありません");
        if (Result.Code > 0) return QTr("壊れています (%1)").arg(Result.Code);
        return QTr("壊れています: %1").arg(QString::fromStdString(Result.Error));
    case TExternalResult::timeout:
        return QTr("時間内に応答がありません");
    case TExternalResult::skipped:
        break;
    }
    return QTr("確認していません");
}

void ShowExternalResult(QListWidgetItem& Item, const QString& Text,
                        const TExternalLinkResult* Result) {
    Item.setIcon(Result ? OutcomeIcon(Result->Outcome) : QIcon());
    Item.setToolTip(Result ? Text + u'\n' + ExternalOutcomeHint(*Result) : Text);
}

} // namespace orvel::ui
