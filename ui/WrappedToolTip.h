// Tooltips that wrap: a page's link or path can be hundreds of characters long, without a space,
// and a plain tooltip never breaks its lines.
#pragma once

#include <QObject>
#include <QString>

class QApplication;

namespace orvel::ui {

// Text as rich text that keeps its line breaks and spaces and wraps at the tooltip's width; a run
// of characters without a space is given a place to break every 60 characters.
QString WrappedToolTip(const QString& Text);

// Shows every plain tooltip of App's widgets and item views as WrappedToolTip; rich tooltips are
// left to Qt.
void WrapToolTips(QApplication& App);

} // namespace orvel::ui
