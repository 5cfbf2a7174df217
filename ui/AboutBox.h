// The about box: the program's name, version and credits, and its two web addresses.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace orvel::ui {

// A fixed-size modal dialog centred on the screen; a click on a web address hands it to OpenURL.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(const QString& Version, QWidget* Parent = nullptr);

    // Opens an address in the web browser; does nothing while empty.
    std::function<void(const QString&)> OpenURL;

    QLabel* ProgramIcon;   // the program's picture
    QLabel* ProductName;   // "Orvel(UO) for Linux"
    QLabel* VersionLine;   // the version given to the constructor
    QLabel* Credits;       // who wrote this port and with what
    QLabel* HomePageURL;   // the program's web address; clicked, it is opened
    QLabel* SupportURL;    // the support web address; clicked, it is opened
    QPushButton* OKButton; // closes the box

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
};

} // namespace orvel::ui
