// The program's application object: its name, icon and font, tooltips that wrap, and the
// general error box.
#pragma once

#include <QApplication>

namespace orvel::ui {

class TApplication : public QApplication {
public:
    TApplication(int& Argc, char** Argv);
    // An exception that escapes an event handler is shown in an error box titled
    // "Orvel(UO)"; the handler ends and the program goes on.
    bool notify(QObject* Receiver, QEvent* Event) override;
};

// The language of the program's texts as the header of the catalogue that gettext chose names
// it (its "Language:" field); without a catalogue, the program's own: "ja".
QString CatalogueLanguage(const QString& Header);
// Qt's own texts (standard buttons, file dialogs) in the language of the program's texts.
// After InitTranslation.
void InstallQtTranslation(QCoreApplication& App);

// The window font: "ＭＳ Ｐゴシック" at 12 pixels, which falls back to an installed Japanese font.
void ApplyProgramFont(QApplication& App);

} // namespace orvel::ui
