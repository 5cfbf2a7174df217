// The settings window driven through its real widgets.
#include "ui/SettingsWindow.h"
#include "GuiTestSupport.h"
#include "ui/Application.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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
// Failure messages list the sixteen values.
void PrintTo(const TSettings& S, std::ostream* Out) {
    *Out << "{" << S.ExternalEditor << "|" << S.ExternalViewer << "|" << S.IgnoreCase << "|"
         << S.DefaultFileName << "|" << S.isSpaceValid << "|" << S.CommandLineOption << "|"
         << S.TagJumpCommandLineOption << "|" << S.AnchorMakesFileBlue << "|" << S.CheckLocalFile
         << "|" << S.IgnoreHTMLInfo << "|" << S.IgnoreJavaScript << "|" << S.HideInfoBoxAfterCheck
         << "|" << S.ExtListHTML << "|" << S.ExtListImg << "|" << S.ModernHTML << "|"
         << S.ReopenLast << "}";
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
    S.ReopenLast = false;
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
        QTabBar* Bar = Form->SettingsTabs->tabBar();
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
    // The original's size, grown only where the controls need more.
    EXPECT_EQ(Form->minimumSize(), Form->maximumSize());
    EXPECT_EQ(Form->minimumSize().expandedTo(QSize(433, 380)), Form->minimumSize());
    ASSERT_EQ(Form->SettingsTabs->count(), 3);
    EXPECT_EQ(Form->SettingsTabs->tabText(0), QStringLiteral("外部アプリケーション"));
    EXPECT_EQ(Form->SettingsTabs->tabText(1), QStringLiteral("拡張子"));
    EXPECT_EQ(Form->SettingsTabs->tabText(2), QStringLiteral("その他"));
    EXPECT_EQ(Form->OKButton->text(), QStringLiteral("OK"));
    EXPECT_TRUE(Form->OKButton->isDefault());
    EXPECT_EQ(Form->CancelButton->text(), QStringLiteral("Cancel"));
    Open();
    EXPECT_EQ(Form->size(), Form->minimumSize());
}

TEST_F(SettingsWindowTest, OpensCentredOnTheScreen) {
    Open();
    const QRect Area = Form->screen()->availableGeometry();
    EXPECT_LE(std::abs(Form->frameGeometry().center().x() - Area.center().x()), 1);
    EXPECT_LE(std::abs(Form->frameGeometry().center().y() - Area.center().y()), 1);
}

TEST_F(SettingsWindowTest, FirstOpeningShowsTab1AndLaterOpeningsTheLastTabUsed) {
    Open();
    EXPECT_EQ(Form->SettingsTabs->currentIndex(), 0);
    EXPECT_TRUE(Form->ExternalViewerEdit->isVisible());
    ClickTab(2);
    EXPECT_EQ(Form->SettingsTabs->currentIndex(), 2);
    QTest::mouseClick(Form->CancelButton, Qt::LeftButton);
    ASSERT_FALSE(Form->isVisible());
    Form->ShowSettings(Unusual());
    Open();
    EXPECT_EQ(Form->SettingsTabs->currentIndex(), 2);
    EXPECT_TRUE(Form->IgnoreCaseBox->isVisible());
    EXPECT_FALSE(Form->ExternalViewerEdit->isVisible());
}

TEST_F(SettingsWindowTest, LabelsAndCaptionsNameTheirControls) {
    const std::vector<std::pair<QString, QWidget*>> Labels = {
        {QStringLiteral("画像ビューア"), Form->ExternalViewerEdit},
        {QStringLiteral("HTMLファイルを編集するエディタ"), Form->ExternalEditorEdit},
        {QStringLiteral("通常のコマンドラインオプション"), Form->CommandLineOptionEdit},
        {QStringLiteral("タグジャンプ時のオプション"), Form->TagJumpCommandLineOptionEdit},
        {QStringLiteral("HTMLファイルとして認識される拡張子"), Form->ExtListHTMLEdit},
        {QStringLiteral("イメージファイルとして認識される拡張子"), Form->ExtListImgEdit},
        {QStringLiteral("暗黙のファイル名"), Form->DefaultFileNameEdit},
    };
    for (const auto& [Text, Control] : Labels) {
        QLabel* Label = LabelOf(Control);
        ASSERT_NE(Label, nullptr) << Text.toStdString();
        EXPECT_EQ(Label->text(), Text);
    }
    const std::vector<std::pair<QString, QAbstractButton*>> Captions = {
        {QStringLiteral("参照..."), Form->ViewerBrowseButton},
        {QStringLiteral("参照..."), Form->EditorBrowseButton},
        {QStringLiteral("デフォルトに戻す"), Form->RestoreExtListsButton},
        {QStringLiteral("ファイル名の大文字/小文字を区別しない"), Form->IgnoreCaseBox},
        {QStringLiteral("スペースの入ったファイル名も認識させる"), Form->SpaceIsValidBox},
        {QStringLiteral("参照されていないアンカーを持ったHTMLファイルも青く表示"),
         Form->AnchorMakesFileBlueBox},
        {QStringLiteral("チェック対象から外したHTMLファイルの情報を読み込まない（高速）"),
         Form->IgnoreHTMLInfoBox},
        {QStringLiteral("<A HREF=\"JavaScript:...\">は、抜き出さない"), Form->IgnoreJavaScriptBox},
        {QStringLiteral("チェック終了後の情報ダイアログを出さない"),
         Form->HideInfoBoxAfterCheckBox},
        {QStringLiteral("HTML5 の id 属性と新しいリンク属性も扱う"), Form->ModernHTMLBox},
        {QStringLiteral("無条件に、無効リンクと見なす"), Form->CheckLocalFileChoices[0]},
        {QStringLiteral("ファイルの存在チェックを行う"), Form->CheckLocalFileChoices[1]},
    };
    for (const auto& [Text, Button] : Captions)
        EXPECT_EQ(Button->text(), Text);
    EXPECT_EQ(Form->CheckLocalFileBox->title(), QStringLiteral("file://で始まるリンクの扱い"));
}

TEST_F(SettingsWindowTest, HelpTextExplainsThePlaceholdersInAFrame) {
    EXPECT_EQ(Form->CommandLineHelp->text(),
              QStringLiteral("コマンドラインオプションは、以下のように展開されます\n"
                             "%F → ファイル名\n"
                             "%N → 行番号\n"
                             "エディタが空欄なら、デスクトップの既定のエディタで開きます"));
    EXPECT_NE(Form->CommandLineHelp->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(Form->CommandLineHelp->parentWidget(), Form->SettingsTabs->widget(0));
}

TEST_F(SettingsWindowTest, EachControlSitsOnItsTab) {
    const std::vector<std::pair<int, QWidget*>> Pages = {
        {0, Form->ExternalViewerEdit},     {0, Form->ViewerBrowseButton},
        {0, Form->ExternalEditorEdit},     {0, Form->EditorBrowseButton},
        {0, Form->CommandLineOptionEdit},  {0, Form->TagJumpCommandLineOptionEdit},
        {1, Form->ExtListHTMLEdit},        {1, Form->ExtListImgEdit},
        {1, Form->RestoreExtListsButton},  {2, Form->DefaultFileNameEdit},
        {2, Form->IgnoreCaseBox},          {2, Form->SpaceIsValidBox},
        {2, Form->AnchorMakesFileBlueBox}, {2, Form->IgnoreHTMLInfoBox},
        {2, Form->IgnoreJavaScriptBox},    {2, Form->HideInfoBoxAfterCheckBox},
        {2, Form->CheckLocalFileBox},      {2, Form->ModernHTMLBox},
    };
    for (const auto& [Page, Control] : Pages)
        EXPECT_TRUE(Form->SettingsTabs->widget(Page)->isAncestorOf(Control))
            << Control->objectName().toStdString();
    EXPECT_TRUE(Form->CheckLocalFileBox->isAncestorOf(Form->CheckLocalFileChoices[0]));
    EXPECT_TRUE(Form->CheckLocalFileBox->isAncestorOf(Form->CheckLocalFileChoices[1]));
    EXPECT_FALSE(Form->SettingsTabs->isAncestorOf(Form->OKButton));
    EXPECT_FALSE(Form->SettingsTabs->isAncestorOf(Form->CancelButton));
}

TEST_F(SettingsWindowTest, ShowSettingsPutsEveryValueIntoItsOwnControl) {
    Form->ShowSettings(Unusual());
    EXPECT_EQ(Form->ExternalEditorEdit->text(), QStringLiteral("/opt/秀丸/hidemaru"));
    EXPECT_EQ(Form->ExternalViewerEdit->text(), QStringLiteral("/usr/local/bin/画像ビューア"));
    EXPECT_TRUE(Form->IgnoreCaseBox->isChecked());
    EXPECT_EQ(Form->DefaultFileNameEdit->text(), QStringLiteral("default.htm"));
    EXPECT_TRUE(Form->SpaceIsValidBox->isChecked());
    EXPECT_EQ(Form->CommandLineOptionEdit->text(), QStringLiteral("-n %F"));
    EXPECT_EQ(Form->TagJumpCommandLineOptionEdit->text(), QStringLiteral("/j%N %F"));
    EXPECT_FALSE(Form->AnchorMakesFileBlueBox->isChecked());
    EXPECT_FALSE(Form->CheckLocalFileChoices[0]->isChecked());
    EXPECT_TRUE(Form->CheckLocalFileChoices[1]->isChecked());
    EXPECT_TRUE(Form->IgnoreHTMLInfoBox->isChecked());
    EXPECT_FALSE(Form->IgnoreJavaScriptBox->isChecked());
    EXPECT_TRUE(Form->HideInfoBoxAfterCheckBox->isChecked());
    EXPECT_EQ(Form->ExtListHTMLEdit->text(), QStringLiteral(".HTM.PHP"));
    EXPECT_EQ(Form->ExtListImgEdit->text(), QStringLiteral(".BMP.ICO"));
    EXPECT_FALSE(Form->ModernHTMLBox->isChecked());
    // The space and file:// switches count only under the original rules.
    EXPECT_TRUE(Form->SpaceIsValidBox->isEnabled());
    EXPECT_TRUE(Form->CheckLocalFileBox->isEnabled());
    Form->ModernHTMLBox->setChecked(true);
    EXPECT_FALSE(Form->SpaceIsValidBox->isEnabled());
    EXPECT_FALSE(Form->CheckLocalFileBox->isEnabled());

    Form->ShowSettings(TSettings{});
    EXPECT_TRUE(Form->ModernHTMLBox->isChecked());
    EXPECT_EQ(Form->ExternalEditorEdit->text(), QString());
    EXPECT_EQ(Form->DefaultFileNameEdit->text(), QStringLiteral("index.html"));
    EXPECT_FALSE(Form->IgnoreCaseBox->isChecked());
    EXPECT_TRUE(Form->AnchorMakesFileBlueBox->isChecked());
    EXPECT_TRUE(Form->IgnoreJavaScriptBox->isChecked());
    EXPECT_TRUE(Form->CheckLocalFileChoices[0]->isChecked());
    EXPECT_EQ(Form->ExtListHTMLEdit->text(), QStringLiteral(".HTM.HTML.SHTML"));
    EXPECT_EQ(Form->ExtListImgEdit->text(),
              QStringLiteral(".JPG.JPEG.GIF.PNG.XPM.XBM.SVG.WEBP.AVIF"));
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
        {&TSettings::IgnoreCase, Form->IgnoreCaseBox},
        {&TSettings::isSpaceValid, Form->SpaceIsValidBox},
        {&TSettings::AnchorMakesFileBlue, Form->AnchorMakesFileBlueBox},
        {&TSettings::IgnoreHTMLInfo, Form->IgnoreHTMLInfoBox},
        {&TSettings::IgnoreJavaScript, Form->IgnoreJavaScriptBox},
        {&TSettings::HideInfoBoxAfterCheck, Form->HideInfoBoxAfterCheckBox},
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
    EXPECT_FALSE(Form->CheckLocalFileChoices[0]->isChecked());
    EXPECT_FALSE(Form->CheckLocalFileChoices[1]->isChecked());
    EXPECT_EQ(Form->Settings().CheckLocalFile, -1);

    S.CheckLocalFile = 0;
    Form->ShowSettings(S);
    EXPECT_TRUE(Form->CheckLocalFileChoices[0]->isChecked());
    EXPECT_FALSE(Form->CheckLocalFileChoices[1]->isChecked());
    EXPECT_EQ(Form->Settings().CheckLocalFile, 0);
}

TEST_F(SettingsWindowTest, CheckLocalFileOutsideTheRangeIsTakenAsTheNearestEnd) {
    TSettings S;
    S.CheckLocalFile = -7;
    Form->ShowSettings(S);
    EXPECT_EQ(Form->Settings().CheckLocalFile, -1);
    S.CheckLocalFile = 5;
    Form->ShowSettings(S);
    EXPECT_TRUE(Form->CheckLocalFileChoices[1]->isChecked());
    EXPECT_EQ(Form->Settings().CheckLocalFile, 1);
}

TEST_F(SettingsWindowTest, WhatTheUserTypesAndClicksIsRead) {
    TSettings S;
    S.CheckLocalFile = -1;
    Form->ShowSettings(S);
    Open();
    QTest::keyClicks(Form->ExternalViewerEdit, QStringLiteral("/usr/bin/eog"));
    QTest::keyClicks(Form->ExternalEditorEdit, QStringLiteral("/usr/bin/gvim"));
    Form->CommandLineOptionEdit->clear();
    QTest::keyClicks(Form->CommandLineOptionEdit, QStringLiteral("--remote %F"));
    Form->TagJumpCommandLineOptionEdit->clear();
    QTest::keyClicks(Form->TagJumpCommandLineOptionEdit, QStringLiteral("+%N %F"));
    ClickTab(1);
    QTest::keyClicks(Form->ExtListHTMLEdit, QStringLiteral(".XHTML"));
    QTest::keyClicks(Form->ExtListImgEdit, QStringLiteral(".BMP"));
    ClickTab(2);
    Form->DefaultFileNameEdit->clear();
    QTest::keyClicks(Form->DefaultFileNameEdit, QStringLiteral("index.htm"));
    ClickIndicator(Form->IgnoreCaseBox);
    ClickIndicator(Form->IgnoreJavaScriptBox);
    ClickIndicator(Form->ModernHTMLBox); // off: the file:// choices can be clicked
    ClickIndicator(Form->CheckLocalFileChoices[1]);

    TSettings Expected = S;
    Expected.ExternalViewer = "/usr/bin/eog";
    Expected.ExternalEditor = "/usr/bin/gvim";
    Expected.CommandLineOption = "--remote %F";
    Expected.TagJumpCommandLineOption = "+%N %F";
    Expected.ExtListHTML = ".HTM.HTML.SHTML.XHTML";
    Expected.ExtListImg = ".JPG.JPEG.GIF.PNG.XPM.XBM.SVG.WEBP.AVIF.BMP";
    Expected.DefaultFileName = "index.htm";
    Expected.IgnoreCase = true;
    Expected.IgnoreJavaScript = false;
    Expected.CheckLocalFile = 1;
    Expected.ModernHTML = false;
    EXPECT_EQ(Form->Settings(), Expected);

    ClickIndicator(Form->CheckLocalFileChoices[0]);
    EXPECT_EQ(Form->Settings().CheckLocalFile, 0);
    EXPECT_FALSE(Form->CheckLocalFileChoices[1]->isChecked());
}

TEST_F(SettingsWindowTest, RestoreDefaultsResetsOnlyTheTwoExtensionLists) {
    Form->ShowSettings(Unusual());
    Open();
    ClickTab(1);
    QTest::mouseClick(Form->RestoreExtListsButton, Qt::LeftButton);
    TSettings Expected = Unusual();
    Expected.ExtListHTML = ".HTM.HTML.SHTML";
    Expected.ExtListImg = ".JPG.JPEG.GIF.PNG.XPM.XBM.SVG.WEBP.AVIF";
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
    EXPECT_EQ(Form->ExternalViewerEdit->text(), QStringLiteral("/usr/bin/gimp"));
    EXPECT_EQ(Form->ExternalEditorEdit->text(), QStringLiteral("/opt/秀丸/hidemaru"));

    Answer = QStringLiteral("/home/user/エディタ/emacs");
    QTest::mouseClick(Form->EditorBrowseButton, Qt::LeftButton);
    EXPECT_EQ(Asked, 2);
    EXPECT_EQ(Form->ExternalEditorEdit->text(), QStringLiteral("/home/user/エディタ/emacs"));
    EXPECT_EQ(Form->ExternalViewerEdit->text(), QStringLiteral("/usr/bin/gimp"));
    EXPECT_EQ(Form->Settings().ExternalEditor, "/home/user/エディタ/emacs");
    EXPECT_TRUE(Form->isVisible());
}

TEST_F(SettingsWindowTest, AnEditorExampleFillsTheEditorAndBothTemplates) {
    struct TCase {
        QString Example;
        std::string Editor, Option, TagJumpOption;
    };
    const TCase Cases[] = {
        {QStringLiteral("gedit"), "gedit", "%F", "%F +%N"},
        {QStringLiteral("Visual Studio Code"), "code", "%F", "--goto %F:%N"},
        {QStringLiteral("vim（端末で開く）"), "x-terminal-emulator", "-e vim %F", "-e vim +%N %F"},
    };
    Form->ShowSettings(Unusual());
    Open();
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Example.toStdString());
        const int Index = Form->EditorExampleBox->findText(C.Example);
        ASSERT_GE(Index, 0);
        Form->EditorExampleBox->setCurrentIndex(Index - 1); // a choice from the keyboard
        QTest::keyClick(Form->EditorExampleBox, Qt::Key_Down);
        TSettings Expected = Unusual();
        Expected.ExternalEditor = C.Editor;
        Expected.CommandLineOption = C.Option;
        Expected.TagJumpCommandLineOption = C.TagJumpOption;
        EXPECT_EQ(Form->Settings(), Expected);
    }
    Form->ShowSettings(Unusual()); // no longer shows an example that the values may not be
    EXPECT_EQ(Form->EditorExampleBox->currentIndex(), -1);
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
    QTest::mouseClick(Form->OKButton, Qt::LeftButton);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Form->result(), QDialog::Accepted);
}

TEST_F(SettingsWindowTest, ReturnInAnEditPressesOK) {
    Open();
    Form->setResult(QDialog::Rejected);
    QTest::keyClick(Form->CommandLineOptionEdit, Qt::Key_Return);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Form->result(), QDialog::Accepted);
}

TEST_F(SettingsWindowTest, CancelRejects) {
    Open();
    Form->setResult(QDialog::Accepted);
    QTest::mouseClick(Form->CancelButton, Qt::LeftButton);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Form->result(), QDialog::Rejected);
}

TEST_F(SettingsWindowTest, EscapeRejects) {
    Open();
    Form->setResult(QDialog::Accepted);
    QTest::keyClick(Form->ExternalEditorEdit, Qt::Key_Escape);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Form->result(), QDialog::Rejected);
}

TEST_F(SettingsWindowTest, TabKeyWalksTab1FromTopToBottom) {
    Open();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    Form->ExternalViewerEdit->setFocus();
    const std::vector<QWidget*> Order = {
        Form->ViewerBrowseButton,    Form->ExternalEditorEdit,           Form->EditorBrowseButton,
        Form->CommandLineOptionEdit, Form->TagJumpCommandLineOptionEdit, Form->EditorExampleBox};
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
        QWidget* Page = Form->SettingsTabs->widget(Tab);
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
    Above(LabelOf(Form->ExternalViewerEdit), Form->ExternalViewerEdit);
    LeftOf(Form->ExternalViewerEdit, Form->ViewerBrowseButton);
    Above(Form->ViewerBrowseButton, LabelOf(Form->ExternalEditorEdit));
    Above(LabelOf(Form->ExternalEditorEdit), Form->ExternalEditorEdit);
    LeftOf(Form->ExternalEditorEdit, Form->EditorBrowseButton);
    Above(Form->EditorBrowseButton, Form->CommandLineOptionEdit);
    LeftOf(LabelOf(Form->CommandLineOptionEdit), Form->CommandLineOptionEdit);
    Above(Form->CommandLineOptionEdit, Form->TagJumpCommandLineOptionEdit);
    LeftOf(LabelOf(Form->TagJumpCommandLineOptionEdit), Form->TagJumpCommandLineOptionEdit);
    Above(Form->TagJumpCommandLineOptionEdit, Form->CommandLineHelp);
    Above(Form->CommandLineHelp, Form->EditorExampleBox);

    ClickTab(1);
    FitsTab(1);
    Above(LabelOf(Form->ExtListHTMLEdit), Form->ExtListHTMLEdit);
    Above(Form->ExtListHTMLEdit, LabelOf(Form->ExtListImgEdit));
    Above(LabelOf(Form->ExtListImgEdit), Form->ExtListImgEdit);
    Above(Form->ExtListImgEdit, Form->RestoreExtListsButton);
    EXPECT_GT(InWindow(Form->RestoreExtListsButton).left(),
              InWindow(Form->ExtListImgEdit).center().x());

    ClickTab(2);
    FitsTab(2);
    LeftOf(LabelOf(Form->DefaultFileNameEdit), Form->DefaultFileNameEdit);
    const std::vector<QWidget*> Column = {
        Form->DefaultFileNameEdit,      Form->IgnoreCaseBox,     Form->SpaceIsValidBox,
        Form->AnchorMakesFileBlueBox,   Form->IgnoreHTMLInfoBox, Form->IgnoreJavaScriptBox,
        Form->HideInfoBoxAfterCheckBox, Form->CheckLocalFileBox};
    for (size_t I = 1; I < Column.size(); ++I)
        Above(Column[I - 1], Column[I]);
    Above(Form->CheckLocalFileChoices[0], Form->CheckLocalFileChoices[1]);

    LeftOf(Form->OKButton, Form->CancelButton);
    Above(Form->SettingsTabs, Form->OKButton);
    for (QWidget* W :
         std::initializer_list<QWidget*>{Form->SettingsTabs, Form->OKButton, Form->CancelButton})
        EXPECT_TRUE(Form->rect().contains(InWindow(W)));
}

} // namespace
