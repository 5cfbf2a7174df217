#include "ui/AboutBox.h"

#include "ui/Encoding.h"
#include "ui/Placement.h"
#include "ui/ProgramIcon.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace orvel::ui {

namespace {

constexpr int IconSize = 32;

// A label that looks like a link and shows the hand cursor over it.
QLabel* NewURLLabel(const char* Address, const char* Name) {
    auto* Label = new QLabel(QLatin1String(Address));
    Label->setObjectName(QLatin1String(Name));
    Label->setTextFormat(Qt::PlainText);
    Label->setCursor(Qt::PointingHandCursor);
    QFont Font = Label->font();
    Font.setUnderline(true);
    Label->setFont(Font);
    QPalette Palette = Label->palette();
    Palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label->setPalette(Palette);
    return Label;
}

} // namespace

TAboutBox::TAboutBox(const QString& Version, QWidget* Parent) : QDialog(Parent) {
    setWindowTitle(QTr("Orvelについて"));
    setModal(true);

    ProgramIcon = new QLabel;
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(ui::ProgramIcon().pixmap(IconSize));
    ProgramIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    ProductName = new QLabel(QStringLiteral("Orvel(UO) for Linux"));
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont NameFont = ProductName->font();
    NameFont.setBold(true);
    if (NameFont.pixelSize() > 0) // the window font may be given in pixels or in points
        NameFont.setPixelSize(NameFont.pixelSize() * 3 / 2);
    else
        NameFont.setPointSizeF(NameFont.pointSizeF() * 1.5);
    ProductName->setFont(NameFont);

    VersionLine = new QLabel(QTr("バージョン %1").arg(Version));
    VersionLine->setObjectName(QStringLiteral("VersionLine"));
    VersionLine->setTextFormat(Qt::PlainText);

    Credits = new QLabel(QTr("静的なWebサイトのリンクチェッカー\n"
                             "C++20とQt 6で書かれたLinux版"));
    Credits->setObjectName(QStringLiteral("Credits"));
    Credits->setTextFormat(Qt::PlainText);

    HomePageURL = NewURLLabel("https://example.org/orvel", "HomePageURL");
    SupportURL = NewURLLabel("https://example.org/orvel/support", "SupportURL");
    for (QLabel* Label : {HomePageURL, SupportURL})
        Label->installEventFilter(this);

    OKButton = new QPushButton(QTr("OK"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* Texts = new QVBoxLayout;
    Texts->setSpacing(4);
    Texts->addWidget(ProductName);
    Texts->addWidget(VersionLine);
    Texts->addSpacing(8);
    Texts->addWidget(Credits);
    Texts->addSpacing(8);
    Texts->addWidget(HomePageURL);
    Texts->addWidget(SupportURL);

    auto* Top = new QHBoxLayout;
    Top->setSpacing(16);
    Top->addWidget(ProgramIcon, 0, Qt::AlignTop);
    Top->addLayout(Texts, 1);

    auto* Main = new QVBoxLayout(this);
    Main->setContentsMargins(16, 16, 16, 12);
    Main->addLayout(Top);
    Main->addSpacing(12);
    Main->addWidget(OKButton, 0, Qt::AlignHCenter);
    Main->setSizeConstraint(QLayout::SetFixedSize); // the box keeps the size of its contents
}

// A left click released over an address label opens the address it shows.
bool TAboutBox::eventFilter(QObject* Watched, QEvent* Event) {
    auto* Label = qobject_cast<QLabel*>(Watched);
    if (Label && (Label == HomePageURL || Label == SupportURL) &&
        Event->type() == QEvent::MouseButtonRelease) {
        const auto* Mouse = static_cast<QMouseEvent*>(Event);
        if (Mouse->button() == Qt::LeftButton &&
            Label->rect().contains(Mouse->position().toPoint())) {
            if (OpenURL) OpenURL(Label->text());
            return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

// Centred on the screen at every opening.
void TAboutBox::showEvent(QShowEvent* Event) {
    CenterOnScreen(*this);
    QDialog::showEvent(Event);
}

} // namespace orvel::ui
