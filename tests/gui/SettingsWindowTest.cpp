// The settings window driven through its real widgets.
#include "ui/SettingsWindow.h"
#include "GuiTestSupport.h"
#include "ui/Application.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

namespace orvel {
// Failure messages list the fifteen values.
void PrintTo(const TSettings& S, std::ostream* Out) {
    *Out << "{" << S.ExternalEditor << "|" << S.ExternalViewer << "|" << S.IgnoreCase << "|"
         << S.DefaultFileName << "|" << S.isSpaceValid << "|" << S.CommandLineOption << "|"
         << S.TagJumpCommandLineOption << "|" << S.AnchorMakesFileBlue << "|" << S.CheckLocalFile
         << "|" << S.IgnoreHTMLInfo << "|" << S.IgnoreJavaScript << "|" << S.HideInfoBoxAfterCheck
         << "|" << S.ExtListHTML << "|" << S.ExtListImg << "|" << S.ModernHTML << "}";
}
} // namespace orvel

using orvel::TSettings;
using orvel::ui::TSettingsWindow;

namespace {

// Every value different from its default, with non-ASCII text in the strings.
TSettings Unusual() {
    TSettings S;
    S.ExternalEditor = "/opt/秀丸/hidemaru";
    S.ExternalViewer = "/usr/local/bin/画像ビューア";
    S.IgnoreCase = true;
    S.DefaultFileName = "default.htm";
    S.isSpaceValid = true;
    S.CommandLineOption = "-n %F";
    S.TagJumpCommandLineOption = "/j%N %F";
    S.AnchorMakesFileBlue = false;
    S.CheckLocalFile = 1;
    S.IgnoreHTMLInfo = true;
    S.IgnoreJavaScript = false;
    S.HideInfoBoxAfterCheck = true;
    S.ExtListHTML = ".HTM.PHP";
    S.ExtListImg = ".BMP.ICO";
    S.ModernHTML = false;
    return S;
}

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        orvel::ui::ApplyProgramFont(*qApp); // the program's own window font
        Form = std::make_unique<TSettingsWindow>();
    }

    void Open() {
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }

    void ClickTab(int Index) {
        QTabBar* Bar = Form->PageControl->tabBar();
        QTest::mouseClick(Bar, Qt::LeftButton, {}, Bar->tabRect(Index).center());
        QApplication::processEvents(); // lays out the page that has just become visible
    }

    // A click on the indicator of a check box or radio button, which may be narrower than the
    // row it stands in.
    void ClickIndicator(QAbstractButton* Button) {
        QTest::mouseClick(Button, Qt::LeftButton, {}, QPoint(6, Button->height() / 2));
    }

    // The label whose click focuses Control.
    QLabel* LabelOf(QWidget* Control) {
        for (QLabel* Label : Form->findChildren<QLabel*>())
            if (Label->buddy() == Control) return Label;
        return nullptr;
    }

    // Geometry of W in the coordinates of the window.
    QRect InWindow(QWidget* W) { return QRect(W->mapTo(Form.get(), QPoint(0, 0)), W->size()); }

    std::unique_ptr<TSettingsWindow> Form;
};

TEST_F(SettingsWindowTest, IsAFixedDialogOfThreeTabs) {
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Orvel - 設定"));
    EXPECT_EQ(Form->minimumSize(), QSize(433, 380));
    EXPECT_EQ(Form->maximumSize(), QSize(433, 380));
    ASSERT_EQ(Form->PageControl->count(), 3);
    EXPECT_EQ(Form->PageControl->tabText(0), QStringLiteral("外部アプリケーション"));
    EXPECT_EQ(Form->PageControl->tabText(1), QStringLiteral("拡張子"));
    EXPECT_EQ(Form->PageControl->tabText(2), QStringLiteral("その他"));
    EXPECT_EQ(Form->OKBtn->text(), QStringLiteral("OK"));
    EXPECT_TRUE(Form->OKBtn->isDefault());
    EXPECT_EQ(Form->CancelBtn->text(), QStringLiteral("Cancel"));
    Open();
    EXPECT_EQ(Form->size(), QSize(433, 380));
}

TEST_F(SettingsWindowTest, OpensCentredOnTheScreen) {
    Open();
    const QRect Area = Form->screen()->availableGeometry();
    EXPECT_LE(std::abs(Form->frameGeometry().center().x() - Area.center().x()), 1);
    EXPECT_LE(std::abs(Form->frameGeometry().center().y() - Area.center().y()), 1);
}

TEST_F(SettingsWindowTest, FirstOpeningShowsTab1AndLaterOpeningsTheLastTabUsed) {
    Open();
    EXPECT_EQ(Form->PageControl->currentIndex(), 0);
    EXPECT_TRUE(Form->externalViewer->isVisible());
    ClickTab(2);
    EXPECT_EQ(Form->PageControl->currentIndex(), 2);
    QTest::mouseClick(Form->CancelBtn, Qt::LeftButton);
    ASSERT_FALSE(Form->isVisible());
    Form->ShowSettings(Unusual());
    Open();
    EXPECT_EQ(Form->PageControl->currentIndex(), 2);
    EXPECT_TRUE(Form->ignoreCase->isVisible());
    EXPECT_FALSE(Form->externalViewer->isVisible());
}

TEST_F(SettingsWindowTest, LabelsAndCaptionsNameTheirControls) {
    const std::vector<std::pair<QString, QWidget*>> Labels = {
        {QStringLiteral("画像ビューア"), Form->externalViewer},
        {QStringLiteral("HTMLファイルを編集するエディタ"), Form->ExternalEditor},
        {QStringLiteral("通常のコマンドラインオプション"), Form->commandlineoption},
        {QStringLiteral("タグジャンプ時のオプション"), Form->TagJumpCommandlineoption},
        {QStringLiteral("HTMLファイルとして認識される拡張子"), Form->ExtListHTML},
        {QStringLiteral("イメージファイルとして認識される拡張子"), Form->ExtListImg},
        {QStringLiteral("暗黙のファイル名"), Form->DefaultFileName},
    };
    for (const auto& [Text, Control] : Labels) {
        QLabel* Label = LabelOf(Control);
        ASSERT_NE(Label, nullptr) << Text.toStdString();
        EXPECT_EQ(Label->text(), Text);
    }
    const std::vector<std::pair<QString, QAbstractButton*>> Captions = {
        {QStringLiteral("参照..."), Form->ViewerBrowseButton},
        {QStringLiteral("参照..."), Form->EditorBrowseButton},
        {QStringLiteral("デフォルトに戻す"), Form->MakeExtListDefault},
        {QStringLiteral("ファイル名の大文字/小文字を区別しない"), Form->ignoreCase},
        {QStringLiteral("スペースの入ったファイル名も認識させる"), Form->isSpaceValidChkBox},
        {QStringLiteral("参照されていないアンカーを持ったHTMLファイルも青く表示"),
         Form->AnchorMakesFileBlue},
        {QStringLiteral("チェック対象から外したHTMLファイルの情報を読み込まない（高速）"),
         Form->IgnoreHTMLInfo},
        {QStringLiteral("<A HREF=\"JavaScript:...\">は、抜き出さない"), Form->IgnoreJavaScript},
        {QStringLiteral("チェック終了後の情報ダイアログを出さない"), Form->HideInfoBoxAfterCheck},
        {QStringLiteral("HTML5 の id 属性と新しいリンク属性も扱う"), Form->ModernHTML},
        {QStringLiteral("無条件に、無効リンクと見なす"), Form->CheckLocalFileItems[0]},
        {QStringLiteral("ファイルの存在チェックを行う"), Form->CheckLocalFileItems[1]},
    };
    for (const auto& [Text, Button] : Captions)
        EXPECT_EQ(Button->text(), Text);
    EXPECT_EQ(Form->CheckLocalFile->title(), QStringLiteral("file://で始まるリンクの扱い"));
}

TEST_F(SettingsWindowTest, HelpTextExplainsThePlaceholdersInAFrame) {
    EXPECT_EQ(Form->CommandLineHelp->text(),
              QStringLiteral("コマンドラインオプションは、以下のように展開されます\n"
                             "%F → ファイル名\n"
                             "%N → 行番号\n"
                             "例えば秀丸の場合、コマンドラインオプションを\n"
                             "%F\n"
                             "タグジャンプ時のオプションを\n"
                             "/j%N %F\n"
                             "としてください。"));
    EXPECT_NE(Form->CommandLineHelp->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(Form->CommandLineHelp->parentWidget(), Form->PageControl->widget(0));
}

TEST_F(SettingsWindowTest, EachControlSitsOnItsTab) {
    const std::vector<std::pair<int, QWidget*>> Pages = {
        {0, Form->externalViewer},      {0, Form->ViewerBrowseButton},
        {0, Form->ExternalEditor},      {0, Form->EditorBrowseButton},
        {0, Form->commandlineoption},   {0, Form->TagJumpCommandlineoption},
        {1, Form->ExtListHTML},         {1, Form->ExtListImg},
        {1, Form->MakeExtListDefault},  {2, Form->DefaultFileName},
        {2, Form->ignoreCase},          {2, Form->isSpaceValidChkBox},
        {2, Form->AnchorMakesFileBlue}, {2, Form->IgnoreHTMLInfo},
        {2, Form->IgnoreJavaScript},    {2, Form->HideInfoBoxAfterCheck},
        {2, Form->CheckLocalFile},      {2, Form->ModernHTML},
    };
    for (const auto& [Page, Control] : Pages)
        EXPECT_TRUE(Form->PageControl->widget(Page)->isAncestorOf(Control))
            << Control->objectName().toStdString();
    EXPECT_TRUE(Form->CheckLocalFile->isAncestorOf(Form->CheckLocalFileItems[0]));
    EXPECT_TRUE(Form->CheckLocalFile->isAncestorOf(Form->CheckLocalFileItems[1]));
    EXPECT_FALSE(Form->PageControl->isAncestorOf(Form->OKBtn));
    EXPECT_FALSE(Form->PageControl->isAncestorOf(Form->CancelBtn));
}

TEST_F(SettingsWindowTest, ShowSettingsPutsEveryValueIntoItsOwnControl) {
    Form->ShowSettings(Unusual());
    EXPECT_EQ(Form->ExternalEditor->text(), QStringLiteral("/opt/秀丸/hidemaru"));
    EXPECT_EQ(Form->externalViewer->text(), QStringLiteral("/usr/local/bin/画像ビューア"));
    EXPECT_TRUE(Form->ignoreCase->isChecked());
    EXPECT_EQ(Form->DefaultFileName->text(), QStringLiteral("default.htm"));
    EXPECT_TRUE(Form->isSpaceValidChkBox->isChecked());
    EXPECT_EQ(Form->commandlineoption->text(), QStringLiteral("-n %F"));
    EXPECT_EQ(Form->TagJumpCommandlineoption->text(), QStringLiteral("/j%N %F"));
    EXPECT_FALSE(Form->AnchorMakesFileBlue->isChecked());
    EXPECT_FALSE(Form->CheckLocalFileItems[0]->isChecked());
    EXPECT_TRUE(Form->CheckLocalFileItems[1]->isChecked());
    EXPECT_TRUE(Form->IgnoreHTMLInfo->isChecked());
    EXPECT_FALSE(Form->IgnoreJavaScript->isChecked());
    EXPECT_TRUE(Form->HideInfoBoxAfterCheck->isChecked());
    EXPECT_EQ(Form->ExtListHTML->text(), QStringLiteral(".HTM.PHP"));
    EXPECT_EQ(Form->ExtListImg->text(), QStringLiteral(".BMP.ICO"));
    EXPECT_FALSE(Form->ModernHTML->isChecked());
    // The space and file:// switches count only under the original rules.
    EXPECT_TRUE(Form->isSpaceValidChkBox->isEnabled());
    EXPECT_TRUE(Form->CheckLocalFile->isEnabled());
    Form->ModernHTML->setChecked(true);
    EXPECT_FALSE(Form->isSpaceValidChkBox->isEnabled());
    EXPECT_FALSE(Form->CheckLocalFile->isEnabled());

    Form->ShowSettings(TSettings{});
    EXPECT_TRUE(Form->ModernHTML->isChecked());
    EXPECT_EQ(Form->ExternalEditor->text(), QString());
    EXPECT_EQ(Form->DefaultFileName->text(), QStringLiteral("index.html"));
    EXPECT_FALSE(Form->ignoreCase->isChecked());
    EXPECT_TRUE(Form->AnchorMakesFileBlue->isChecked());
    EXPECT_TRUE(Form->IgnoreJavaScript->isChecked());
    EXPECT_TRUE(Form->CheckLocalFileItems[0]->isChecked());
    EXPECT_EQ(Form->ExtListHTML->text(), QStringLiteral(".HTM.HTML.SHTML"));
    EXPECT_EQ(Form->ExtListImg->text(), QStringLiteral(".JPG.JPEG.GIF.PNG.XPM.XBM"));
}

TEST_F(SettingsWindowTest, SettingsReadBackAllFourteenValues) {
    TSettings Flipped = Unusual();
    for (int Local : {-1, 0, 1}) {
        Flipped.CheckLocalFile = Local;
        Form->ShowSettings(Flipped);
        EXPECT_EQ(Form->Settings(), Flipped) << "CheckLocalFile " << Local;
    }
    Form->ShowSettings(TSettings{});
    EXPECT_EQ(Form->Settings(), TSettings{});
}

// One switch at a time, so that two switches exchanged in both directions cannot hide.
TEST_F(SettingsWindowTest, EachSwitchReadsBackAlone) {
    const std::vector<std::pair<bool TSettings::*, QCheckBox*>> Switches = {
        {&TSettings::IgnoreCase, Form->ignoreCase},
        {&TSettings::isSpaceValid, Form->isSpaceValidChkBox},
        {&TSettings::AnchorMakesFileBlue, Form->AnchorMakesFileBlue},
        {&TSettings::IgnoreHTMLInfo, Form->IgnoreHTMLInfo},
        {&TSettings::IgnoreJavaScript, Form->IgnoreJavaScript},
        {&TSettings::HideInfoBoxAfterCheck, Form->HideInfoBoxAfterCheck},
    };
    for (const auto& [Field, Box] : Switches) {
        TSettings S;
        S.*Field = !(S.*Field);
        Form->ShowSettings(S);
        EXPECT_EQ(Box->isChecked(), S.*Field) << Box->objectName().toStdString();
        for (const auto& [OtherField, OtherBox] : Switches)
            if (OtherBox != Box) {
                EXPECT_EQ(OtherBox->isChecked(), TSettings{}.*OtherField);
            }
        EXPECT_EQ(Form->Settings(), S) << Box->objectName().toStdString();
    }
}

TEST_F(SettingsWindowTest, CheckLocalFileMinusOneShowsNeitherChoiceAndStaysMinusOne) {
    Form->ShowSettings(Unusual()); // choice 1 selected first
    TSettings S = Unusual();
    S.CheckLocalFile = -1;
    Form->ShowSettings(S);
    EXPECT_FALSE(Form->CheckLocalFileItems[0]->isChecked());
    EXPECT_FALSE(Form->CheckLocalFileItems[1]->isChecked());
    EXPECT_EQ(Form->Settings().CheckLocalFile, -1);

    S.CheckLocalFile = 0;
    Form->ShowSettings(S);
    EXPECT_TRUE(Form->CheckLocalFileItems[0]->isChecked());
    EXPECT_FALSE(Form->CheckLocalFileItems[1]->isChecked());
    EXPECT_EQ(Form->Settings().CheckLocalFile, 0);
}

TEST_F(SettingsWindowTest, CheckLocalFileOutsideTheRangeIsTakenAsTheNearestEnd) {
    TSettings S;
    S.CheckLocalFile = -7;
    Form->ShowSettings(S);
    EXPECT_EQ(Form->Settings().CheckLocalFile, -1);
    S.CheckLocalFile = 5;
    Form->ShowSettings(S);
    EXPECT_TRUE(Form->CheckLocalFileItems[1]->isChecked());
    EXPECT_EQ(Form->Settings().CheckLocalFile, 1);
}

TEST_F(SettingsWindowTest, WhatTheUserTypesAndClicksIsRead) {
    TSettings S;
    S.CheckLocalFile = -1;
    Form->ShowSettings(S);
    Open();
    QTest::keyClicks(Form->externalViewer, QStringLiteral("/usr/bin/eog"));
    QTest::keyClicks(Form->ExternalEditor, QStringLiteral("/usr/bin/gvim"));
    Form->commandlineoption->clear();
    QTest::keyClicks(Form->commandlineoption, QStringLiteral("--remote %F"));
    Form->TagJumpCommandlineoption->clear();
    QTest::keyClicks(Form->TagJumpCommandlineoption, QStringLiteral("+%N %F"));
    ClickTab(1);
    QTest::keyClicks(Form->ExtListHTML, QStringLiteral(".XHTML"));
    QTest::keyClicks(Form->ExtListImg, QStringLiteral(".WEBP"));
    ClickTab(2);
    Form->DefaultFileName->clear();
    QTest::keyClicks(Form->DefaultFileName, QStringLiteral("index.htm"));
    ClickIndicator(Form->ignoreCase);
    ClickIndicator(Form->IgnoreJavaScript);
    ClickIndicator(Form->ModernHTML); // off: the file:// choices can be clicked
    ClickIndicator(Form->CheckLocalFileItems[1]);

    TSettings Expected = S;
    Expected.ExternalViewer = "/usr/bin/eog";
    Expected.ExternalEditor = "/usr/bin/gvim";
    Expected.CommandLineOption = "--remote %F";
    Expected.TagJumpCommandLineOption = "+%N %F";
    Expected.ExtListHTML = ".HTM.HTML.SHTML.XHTML";
    Expected.ExtListImg = ".JPG.JPEG.GIF.PNG.XPM.XBM.WEBP";
    Expected.DefaultFileName = "index.htm";
    Expected.IgnoreCase = true;
    Expected.IgnoreJavaScript = false;
    Expected.CheckLocalFile = 1;
    Expected.ModernHTML = false;
    EXPECT_EQ(Form->Settings(), Expected);

    ClickIndicator(Form->CheckLocalFileItems[0]);
    EXPECT_EQ(Form->Settings().CheckLocalFile, 0);
    EXPECT_FALSE(Form->CheckLocalFileItems[1]->isChecked());
}

TEST_F(SettingsWindowTest, RestoreDefaultsResetsOnlyTheTwoExtensionLists) {
    Form->ShowSettings(Unusual());
    Open();
    ClickTab(1);
    QTest::mouseClick(Form->MakeExtListDefault, Qt::LeftButton);
    TSettings Expected = Unusual();
    Expected.ExtListHTML = ".HTM.HTML.SHTML";
    Expected.ExtListImg = ".JPG.JPEG.GIF.PNG.XPM.XBM";
    EXPECT_EQ(Form->Settings(), Expected);
    EXPECT_TRUE(Form->isVisible());
}

TEST_F(SettingsWindowTest, BrowseButtonsPutTheChosenPathIntoTheirOwnEdit) {
    Form->ShowSettings(Unusual());
    Open();
    int Asked = 0;
    QString Answer = QStringLiteral("/usr/bin/gimp");
    Form->ChooseFile = [&] {
        ++Asked;
        return Answer;
    };
    QTest::mouseClick(Form->ViewerBrowseButton, Qt::LeftButton);
    EXPECT_EQ(Asked, 1);
    EXPECT_EQ(Form->externalViewer->text(), QStringLiteral("/usr/bin/gimp"));
    EXPECT_EQ(Form->ExternalEditor->text(), QStringLiteral("/opt/秀丸/hidemaru"));

    Answer = QStringLiteral("/home/user/エディタ/emacs");
    QTest::mouseClick(Form->EditorBrowseButton, Qt::LeftButton);
    EXPECT_EQ(Asked, 2);
    EXPECT_EQ(Form->ExternalEditor->text(), QStringLiteral("/home/user/エディタ/emacs"));
    EXPECT_EQ(Form->externalViewer->text(), QStringLiteral("/usr/bin/gimp"));
    EXPECT_EQ(Form->Settings().ExternalEditor, "/home/user/エディタ/emacs");
    EXPECT_TRUE(Form->isVisible());
}

TEST_F(SettingsWindowTest, BrowseCancelledLeavesTheEditsAlone) {
    Form->ShowSettings(Unusual());
    Open();
    int Asked = 0;
    Form->ChooseFile = [&] {
        ++Asked;
        return QString();
    };
    QTest::mouseClick(Form->ViewerBrowseButton, Qt::LeftButton);
    QTest::mouseClick(Form->EditorBrowseButton, Qt::LeftButton);
    EXPECT_EQ(Asked, 2);
    EXPECT_EQ(Form->Settings(), Unusual());
}

TEST_F(SettingsWindowTest, OKAccepts) {
    Open();
    QTest::mouseClick(Form->OKBtn, Qt::LeftButton);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Form->result(), QDialog::Accepted);
}

TEST_F(SettingsWindowTest, ReturnInAnEditPressesOK) {
    Open();
    Form->setResult(QDialog::Rejected);
    QTest::keyClick(Form->commandlineoption, Qt::Key_Return);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Form->result(), QDialog::Accepted);
}

TEST_F(SettingsWindowTest, CancelRejects) {
    Open();
    Form->setResult(QDialog::Accepted);
    QTest::mouseClick(Form->CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Form->result(), QDialog::Rejected);
}

TEST_F(SettingsWindowTest, EscapeRejects) {
    Open();
    Form->setResult(QDialog::Accepted);
    QTest::keyClick(Form->ExternalEditor, Qt::Key_Escape);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Form->result(), QDialog::Rejected);
}

TEST_F(SettingsWindowTest, TabKeyWalksTab1FromTopToBottom) {
    Open();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    Form->externalViewer->setFocus();
    const std::vector<QWidget*> Order = {Form->ViewerBrowseButton, Form->ExternalEditor,
                                         Form->EditorBrowseButton, Form->commandlineoption,
                                         Form->TagJumpCommandlineoption};
    for (QWidget* Next : Order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Next) << Next->objectName().toStdString();
    }
}

// The controls of each tab stand in their order from the top, inside the window, without
// overlapping and without their texts cut off.
TEST_F(SettingsWindowTest, ControlsStandInOrderAndFitTheWindow) {
    Open();
    const auto Above = [&](QWidget* Upper, QWidget* Lower) {
        EXPECT_LE(InWindow(Upper).bottom(), InWindow(Lower).top())
            << Upper->objectName().toStdString() << " / " << Lower->objectName().toStdString();
    };
    const auto LeftOf = [&](QWidget* Left, QWidget* Right) {
        EXPECT_LE(InWindow(Left).right(), InWindow(Right).left())
            << Left->objectName().toStdString() << " / " << Right->objectName().toStdString();
        EXPECT_TRUE(InWindow(Left).center().y() > InWindow(Right).top() &&
                    InWindow(Left).center().y() < InWindow(Right).bottom());
    };
    // Inside its tab, clear of its neighbours, and as large as its text needs.
    const auto FitsTab = [&](int Tab) {
        QWidget* Page = Form->PageControl->widget(Tab);
        const QRect PageRect = InWindow(Page);
        const auto Children = Page->findChildren<QWidget*>();
        ASSERT_FALSE(Children.isEmpty());
        for (QWidget* Child : Children) {
            const std::string Name = Child->objectName().isEmpty()
                                         ? Child->metaObject()->className()
                                         : Child->objectName().toStdString();
            EXPECT_TRUE(Child->isVisible()) << Name;
            EXPECT_TRUE(PageRect.contains(InWindow(Child))) << "tab " << Tab << ": " << Name;
            if (qobject_cast<QLabel*>(Child) || qobject_cast<QAbstractButton*>(Child)) {
                EXPECT_GE(Child->width(), Child->sizeHint().width()) << Name;
                EXPECT_GE(Child->height(), Child->minimumSizeHint().height()) << Name;
            }
            for (QWidget* Other : Children) {
                if (Other != Child && Other->parentWidget() == Child->parentWidget()) {
                    EXPECT_FALSE(InWindow(Child).intersects(InWindow(Other)))
                        << Name << " / " << Other->objectName().toStdString();
                }
            }
        }
    };

    FitsTab(0);
    Above(LabelOf(Form->externalViewer), Form->externalViewer);
    LeftOf(Form->externalViewer, Form->ViewerBrowseButton);
    Above(Form->ViewerBrowseButton, LabelOf(Form->ExternalEditor));
    Above(LabelOf(Form->ExternalEditor), Form->ExternalEditor);
    LeftOf(Form->ExternalEditor, Form->EditorBrowseButton);
    Above(Form->EditorBrowseButton, Form->commandlineoption);
    LeftOf(LabelOf(Form->commandlineoption), Form->commandlineoption);
    Above(Form->commandlineoption, Form->TagJumpCommandlineoption);
    LeftOf(LabelOf(Form->TagJumpCommandlineoption), Form->TagJumpCommandlineoption);
    Above(Form->TagJumpCommandlineoption, Form->CommandLineHelp);

    ClickTab(1);
    FitsTab(1);
    Above(LabelOf(Form->ExtListHTML), Form->ExtListHTML);
    Above(Form->ExtListHTML, LabelOf(Form->ExtListImg));
    Above(LabelOf(Form->ExtListImg), Form->ExtListImg);
    Above(Form->ExtListImg, Form->MakeExtListDefault);
    EXPECT_GT(InWindow(Form->MakeExtListDefault).left(), InWindow(Form->ExtListImg).center().x());

    ClickTab(2);
    FitsTab(2);
    LeftOf(LabelOf(Form->DefaultFileName), Form->DefaultFileName);
    const std::vector<QWidget*> Column = {Form->DefaultFileName,       Form->ignoreCase,
                                          Form->isSpaceValidChkBox,    Form->AnchorMakesFileBlue,
                                          Form->IgnoreHTMLInfo,        Form->IgnoreJavaScript,
                                          Form->HideInfoBoxAfterCheck, Form->CheckLocalFile};
    for (size_t I = 1; I < Column.size(); ++I)
        Above(Column[I - 1], Column[I]);
    Above(Form->CheckLocalFileItems[0], Form->CheckLocalFileItems[1]);

    LeftOf(Form->OKBtn, Form->CancelBtn);
    Above(Form->PageControl, Form->OKBtn);
    for (QWidget* W :
         std::initializer_list<QWidget*>{Form->PageControl, Form->OKBtn, Form->CancelBtn})
        EXPECT_TRUE(Form->rect().contains(InWindow(W)));
}

} // namespace
