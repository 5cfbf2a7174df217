// Wrapped tooltips: one application-wide filter, so that the views keep their plain texts.
#include "WrappedToolTip.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>

namespace orvel::ui {

namespace {

constexpr int LongestRun = 60;         // characters without a place to break
constexpr QChar BreakHere = u'\u200B'; // zero-width space: a line may break after it

// Shows the plain tooltip of a widget, or of the item under the mouse in an item view, wrapped.
class TToolTipWrapper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() != QEvent::ToolTip || !Watched->isWidgetType()) return false;
        auto* Widget = static_cast<QWidget*>(Watched);
        const auto* Help = static_cast<QHelpEvent*>(Event);
        QString Text;
        QRect Area; // the tooltip goes when the mouse leaves it; empty: the widget
        const auto* View = qobject_cast<const QAbstractItemView*>(Widget->parentWidget());
        if (View && View->viewport() == Widget) {
            const QModelIndex Index = View->indexAt(Help->pos());
            if (!Index.isValid()) return false;
            Text = Index.data(Qt::ToolTipRole).toString();
            Area = View->visualRect(Index);
        } else {
            Text = Widget->toolTip();
        }
        if (Text.isEmpty() || Qt::mightBeRichText(Text)) return false;
        QToolTip::showText(Help->globalPos(), WrappedToolTip(Text), Widget, Area,
                           Widget->toolTipDuration());
        Event->accept();
        return true;
    }
};

} // namespace

QString WrappedToolTip(const QString& Text) {
    QString Broken;
    Broken.reserve(Text.size() + Text.size() / LongestRun);
    int Run = 0;
    for (const QChar C : Text) {
        if (C.isSpace())
            Run = 0;
        else if (++Run > LongestRun) {
            Broken += BreakHere;
            Run = 1;
        }
        Broken += C;
    }
    return QStringLiteral("<p style='white-space:pre-wrap'>") + Broken.toHtmlEscaped() +
           QStringLiteral("</p>");
}

void WrapToolTips(QApplication& App) {
    App.installEventFilter(new TToolTipWrapper(&App));
}

} // namespace orvel::ui
