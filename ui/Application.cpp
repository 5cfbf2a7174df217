#include "ui/Application.h"

#include "ui/ProgramIcon.h"
#include "ui/WrappedToolTip.h"

#include <QMessageBox>
#include <exception>

namespace orvel::ui {

TApplication::TApplication(int& Argc, char** Argv) : QApplication(Argc, Argv) {
    setApplicationName(QStringLiteral("Orvel(UO)"));
    setDesktopFileName(QStringLiteral("uoorvel")); // ties the windows to the menu entry
    setWindowIcon(ProgramIcon());
    ApplyProgramFont(*this);
    WrapToolTips(*this);
}

bool TApplication::notify(QObject* Receiver, QEvent* Event) {
    try {
        return QApplication::notify(Receiver, Event);
    } catch (const std::exception& E) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Orvel(UO)"),
                              QString::fromUtf8(E.what()));
    } catch (...) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Orvel(UO)"),
                              QStringLiteral("不明なエラー"));
    }
    return false;
}

void ApplyProgramFont(QApplication& App) {
    const QString Family = QStringLiteral("ＭＳ Ｐゴシック");
    QFont::insertSubstitutions(Family, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                        QStringLiteral("Noto Sans CJK JP")});
    QFont Font(Family);
    Font.setPixelSize(12);
    App.setFont(Font);
}

} // namespace orvel::ui
