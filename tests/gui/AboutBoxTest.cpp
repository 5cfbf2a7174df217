// The about box driven through its real widgets.
#include "ui/AboutBox.h"
#include "GuiTestSupport.h"
#include "ui/Application.h"
#include "ui/ProgramIcon.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using orvel::ui::TAboutBox;

namespace {

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override {
        orvel::ui::ApplyProgramFont(*qApp); // the program's own window font
        Box = std::make_unique<TAboutBox>(QStringLiteral("9.8.7"));
        Box->OpenURL = [this](const QString& Address) { Opened << Address; };
    }

    void Open() {
        Box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Box.get()));
    }

    std::unique_ptr<TAboutBox> Box;
    QStringList Opened; // every address handed to OpenURL, in order
};

TEST_F(AboutBox, ShowsIconNameVersionCreditsAndAddresses) {
    Open();
    const QImage Icon = Box->ProgramIcon->pixmap().toImage();
    EXPECT_EQ(Icon, orvel::ui::ProgramIcon().pixmap(32).toImage());
    EXPECT_EQ(Icon.width(), 32);
    EXPECT_EQ(qAlpha(Icon.pixel(16, 16)), 255) << "the icon's picture was not drawn";
    EXPECT_EQ(Box->ProductName->text(), QStringLiteral("Orvel(UO) for Linux"));
    EXPECT_TRUE(Box->VersionLine->text().contains(QStringLiteral("9.8.7")));
    EXPECT_TRUE(Box->Credits->text().contains(QStringLiteral("Qt 6")));
    EXPECT_EQ(Box->HomePageURL->text(), QStringLiteral("https://example.org/orvel"));
    EXPECT_EQ(Box->SupportURL->text(), QStringLiteral("https://example.org/orvel/support"));
    EXPECT_EQ(Box->OKButton->text(), QStringLiteral("OK"));
    for (QLabel* Label : Box->findChildren<QLabel*>()) {
        EXPECT_TRUE(Label->isVisible());
        EXPECT_GE(Label->width(), Label->sizeHint().width()) << Label->text().toStdString();
        EXPECT_TRUE(Box->rect().contains(QRect(Label->mapTo(Box.get(), QPoint()), Label->size())));
    }
}

TEST_F(AboutBox, IsAFixedModalBoxCentredOnTheScreen) {
    EXPECT_TRUE(Box->isModal());
    Open();
    EXPECT_EQ(Box->minimumSize(), Box->maximumSize());
    EXPECT_EQ(Box->size(), Box->minimumSize());
    const QRect Area = Box->screen()->availableGeometry();
    EXPECT_LE(std::abs(Box->frameGeometry().center().x() - Area.center().x()), 1);
    EXPECT_LE(std::abs(Box->frameGeometry().center().y() - Area.center().y()), 1);
}

TEST_F(AboutBox, AddressLabelsShowTheHandCursor) {
    EXPECT_EQ(Box->HomePageURL->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Box->SupportURL->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_NE(Box->ProductName->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(AboutBox, ClickingAnAddressOpensThatAddress) {
    Open();
    QTest::mouseClick(Box->SupportURL, Qt::LeftButton);
    EXPECT_EQ(Opened, QStringList{QStringLiteral("https://example.org/orvel/support")});
    QTest::mouseClick(Box->HomePageURL, Qt::LeftButton);
    EXPECT_EQ(Opened, (QStringList{QStringLiteral("https://example.org/orvel/support"),
                                   QStringLiteral("https://example.org/orvel")}));
    EXPECT_TRUE(Box->isVisible());
}

TEST_F(AboutBox, OtherClicksOpenNothing) {
    Open();
    QTest::mouseClick(Box->HomePageURL, Qt::RightButton);
    QTest::mouseClick(Box->ProductName, Qt::LeftButton);
    QTest::mouseClick(Box->VersionLine, Qt::LeftButton);
    QTest::mouseClick(Box->Credits, Qt::LeftButton);
    EXPECT_TRUE(Opened.isEmpty());
}

TEST_F(AboutBox, WithoutABrowserAClickDoesNothing) {
    Box->OpenURL = nullptr;
    Open();
    QTest::mouseClick(Box->HomePageURL, Qt::LeftButton);
    EXPECT_TRUE(Box->isVisible());
}

TEST_F(AboutBox, OKCloses) {
    Open();
    QTest::mouseClick(Box->OKButton, Qt::LeftButton);
    EXPECT_FALSE(Box->isVisible());
    EXPECT_EQ(Box->result(), QDialog::Accepted);
    EXPECT_TRUE(Opened.isEmpty());
}

TEST_F(AboutBox, EscapeCloses) {
    Open();
    QTest::keyClick(Box.get(), Qt::Key_Escape);
    EXPECT_FALSE(Box->isVisible());
}

} // namespace
