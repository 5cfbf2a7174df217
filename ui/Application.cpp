#include "ui/Application.h"

#include "support/Translation.h"
#include "ui/Encoding.h"
#include "ui/ProgramIcon.h"
#include "ui/WrappedToolTip.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTranslator>
#include <exception>
#include <libintl.h>

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
        QMessageBox::critical(activeWindow(), QStringLiteral("Orvel(UO)"), QTr("不明なエラー"));
    }
    return false;
}

QString CatalogueLanguage(const QString& Header) {
    static const QRegularExpression Field(QStringLiteral("^Language: *([A-Za-z_@]+)"),
                                          QRegularExpression::MultilineOption);
    const QString Language = Field.match(Header).captured(1);
    return Language.isEmpty() ? QStringLiteral("ja") : Language;
}

void InstallQtTranslation(QCoreApplication& App) {
    // The empty id gives the header of the catalogue in use, or itself when there is none.
    const QString Language = CatalogueLanguage(QString::fromUtf8(dgettext(TextDomain, "")));
    auto* Translator = new QTranslator(&App);
    if (Translator->load(QStringLiteral("qtbase_") + Language,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        App.installTranslator(Translator);
    else
        delete Translator; // Qt's texts stay English
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
