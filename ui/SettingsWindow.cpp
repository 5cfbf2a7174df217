#include "ui/SettingsWindow.h"

#include "ui/Encoding.h"
#include "ui/Placement.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace orvel::ui {

namespace {

constexpr int ClientWidth = 433, ClientHeight = 380;
const char* const DefaultExtListHTML = ".HTM.HTML.SHTML";
const char* const DefaultExtListImg = ".JPG.JPEG.GIF.PNG.XPM.XBM";

// A label for Buddy, which takes the focus when the label is clicked.
QLabel* LabelFor(const QString& Text, QWidget* Buddy) {
    auto* Label = new QLabel(Text);
    Label->setBuddy(Buddy);
    return Label;
}

QLineEdit* NewEdit(const char* Name) {
    auto* Edit = new QLineEdit;
    Edit->setObjectName(QLatin1String(Name));
    return Edit;
}

QPushButton* NewButton(const QString& Caption, const char* Name) {
    auto* Button = new QPushButton(Caption);
    Button->setObjectName(QLatin1String(Name));
    Button->setAutoDefault(false); // Return in an edit presses OK, not the nearest button
    return Button;
}

QCheckBox* NewCheckBox(const QString& Caption, const char* Name) {
    auto* Box = new QCheckBox(Caption);
    Box->setObjectName(QLatin1String(Name));
    return Box;
}

// An edit with its button to the right.
QHBoxLayout* EditWithButton(QLineEdit* Edit, QPushButton* Button) {
    auto* Row = new QHBoxLayout;
    Row->addWidget(Edit);
    Row->addWidget(Button);
    return Row;
}

// The framed explanation of the argument templates' placeholders.
QLabel* NewCommandLineHelp() {
    auto* Help = new QLabel(
        QStringList{QStringLiteral("コマンドラインオプションは、以下のように展開されます"),
                    QStringLiteral("%F → ファイル名"), QStringLiteral("%N → 行番号"),
                    QStringLiteral("例えば秀丸の場合、コマンドラインオプションを"),
                    QStringLiteral("%F"), QStringLiteral("タグジャンプ時のオプションを"),
                    QStringLiteral("/j%N %F"), QStringLiteral("としてください。")}
            .join(QLatin1Char('\n')));
    Help->setObjectName(QStringLiteral("CommandLineHelp"));
    Help->setTextFormat(Qt::PlainText);
    Help->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Help->setMargin(4);
    return Help;
}

// Tight margins so that the longest Japanese labels fit the fixed width.
QVBoxLayout* NewPageLayout(QWidget* Page) {
    auto* Layout = new QVBoxLayout(Page);
    Layout->setContentsMargins(8, 8, 8, 8);
    Layout->setSpacing(4);
    return Layout;
}

} // namespace

TSettingsWindow::TSettingsWindow(QWidget* Parent) : QDialog(Parent) {
    setWindowTitle(QStringLiteral("Orvel - 設定"));
    setFixedSize(ClientWidth, ClientHeight);
    ChooseFile = [this] { return QFileDialog::getOpenFileName(this); };

    PageControl = new QTabWidget;
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->addTab(BuildExternalAppsTab(), QStringLiteral("外部アプリケーション"));
    PageControl->addTab(BuildExtensionsTab(), QStringLiteral("拡張子"));
    PageControl->addTab(BuildOtherTab(), QStringLiteral("その他"));
    PageControl->setCurrentIndex(0);
    BuildButtons();
}

void TSettingsWindow::ShowSettings(const TSettings& S) {
    ShowExternalAppsSettings(S);
    ShowExtensionsSettings(S);
    ShowOtherSettings(S);
}

TSettings TSettingsWindow::Settings() const {
    TSettings S;
    ReadExternalAppsSettings(S);
    ReadExtensionsSettings(S);
    ReadOtherSettings(S);
    return S;
}

// Tab 1: the viewer and the editor with their browse buttons, the two argument templates and
// what the placeholders of the templates stand for.
QWidget* TSettingsWindow::BuildExternalAppsTab() {
    auto* Page = new QWidget;
    externalViewer = NewEdit("externalViewer");
    ViewerBrowseButton = NewButton(QStringLiteral("参照..."), "ViewerBrowseButton");
    ExternalEditor = NewEdit("ExternalEditor");
    EditorBrowseButton = NewButton(QStringLiteral("参照..."), "EditorBrowseButton");
    commandlineoption = NewEdit("commandlineoption");
    TagJumpCommandlineoption = NewEdit("TagJumpCommandlineoption");
    CommandLineHelp = NewCommandLineHelp();

    auto* Layout = NewPageLayout(Page);
    Layout->addWidget(LabelFor(QStringLiteral("画像ビューア"), externalViewer));
    Layout->addLayout(EditWithButton(externalViewer, ViewerBrowseButton));
    Layout->addWidget(LabelFor(QStringLiteral("HTMLファイルを編集するエディタ"), ExternalEditor));
    Layout->addLayout(EditWithButton(ExternalEditor, EditorBrowseButton));
    Layout->addSpacing(4);
    auto* Templates = new QGridLayout;
    Templates->setVerticalSpacing(4);
    Templates->addWidget(
        LabelFor(QStringLiteral("通常のコマンドラインオプション"), commandlineoption), 0, 0);
    Templates->addWidget(commandlineoption, 0, 1);
    Templates->addWidget(
        LabelFor(QStringLiteral("タグジャンプ時のオプション"), TagJumpCommandlineoption), 1, 0);
    Templates->addWidget(TagJumpCommandlineoption, 1, 1);
    Layout->addLayout(Templates);
    Layout->addSpacing(4);
    Layout->addWidget(CommandLineHelp);
    Layout->addStretch();

    connect(ViewerBrowseButton, &QPushButton::clicked, this, [this] { ViewerBrowseButtonClick(); });
    connect(EditorBrowseButton, &QPushButton::clicked, this, [this] { EditorBrowseButtonClick(); });
    return Page;
}

void TSettingsWindow::ShowExternalAppsSettings(const TSettings& S) {
    ExternalEditor->setText(ToQString(S.ExternalEditor));
    externalViewer->setText(ToQString(S.ExternalViewer));
    commandlineoption->setText(ToQString(S.CommandLineOption));
    TagJumpCommandlineoption->setText(ToQString(S.TagJumpCommandLineOption));
}

void TSettingsWindow::ReadExternalAppsSettings(TSettings& S) const {
    S.ExternalEditor = FromQString(ExternalEditor->text());
    S.ExternalViewer = FromQString(externalViewer->text());
    S.CommandLineOption = FromQString(commandlineoption->text());
    S.TagJumpCommandLineOption = FromQString(TagJumpCommandlineoption->text());
}

// Tab 2: the two extension lists and the button that restores them.
QWidget* TSettingsWindow::BuildExtensionsTab() {
    auto* Page = new QWidget;
    ExtListHTML = NewEdit("ExtListHTML");
    ExtListImg = NewEdit("ExtListImg");
    MakeExtListDefault = NewButton(QStringLiteral("デフォルトに戻す"), "MakeExtListDefault");
    MakeExtListDefault->setMinimumWidth(MakeExtListDefault->sizeHint().width() + 16);

    auto* Layout = NewPageLayout(Page);
    Layout->addWidget(LabelFor(QStringLiteral("HTMLファイルとして認識される拡張子"), ExtListHTML));
    Layout->addWidget(ExtListHTML);
    Layout->addSpacing(8);
    Layout->addWidget(
        LabelFor(QStringLiteral("イメージファイルとして認識される拡張子"), ExtListImg));
    Layout->addWidget(ExtListImg);
    Layout->addSpacing(8);
    Layout->addWidget(MakeExtListDefault, 0, Qt::AlignRight);
    Layout->addStretch();

    connect(MakeExtListDefault, &QPushButton::clicked, this, [this] { MakeExtListDefaultClick(); });
    return Page;
}

void TSettingsWindow::ShowExtensionsSettings(const TSettings& S) {
    ExtListHTML->setText(ToQString(S.ExtListHTML));
    ExtListImg->setText(ToQString(S.ExtListImg));
}

void TSettingsWindow::ReadExtensionsSettings(TSettings& S) const {
    S.ExtListHTML = FromQString(ExtListHTML->text());
    S.ExtListImg = FromQString(ExtListImg->text());
}

// Tab 3: the implied file name, the seven switches and the handling of file:// links.
QWidget* TSettingsWindow::BuildOtherTab() {
    auto* Page = new QWidget;
    DefaultFileName = NewEdit("DefaultFileName");
    ignoreCase = NewCheckBox(QStringLiteral("ファイル名の大文字/小文字を区別しない"), "ignoreCase");
    isSpaceValidChkBox =
        NewCheckBox(QStringLiteral("スペースの入ったファイル名も認識させる"), "isSpaceValidChkBox");
    AnchorMakesFileBlue =
        NewCheckBox(QStringLiteral("参照されていないアンカーを持ったHTMLファイルも青く表示"),
                    "AnchorMakesFileBlue");
    IgnoreHTMLInfo = NewCheckBox(
        QStringLiteral("チェック対象から外したHTMLファイルの情報を読み込まない（高速）"),
        "IgnoreHTMLInfo");
    IgnoreJavaScript = NewCheckBox(QStringLiteral("<A HREF=\"JavaScript:...\">は、抜き出さない"),
                                   "IgnoreJavaScript");
    HideInfoBoxAfterCheck = NewCheckBox(QStringLiteral("チェック終了後の情報ダイアログを出さない"),
                                        "HideInfoBoxAfterCheck");
    ModernHTML =
        NewCheckBox(QStringLiteral("HTML5 の id 属性と新しいリンク属性も扱う"), "ModernHTML");

    auto* Layout = NewPageLayout(Page);
    auto* NameRow = new QHBoxLayout;
    NameRow->addWidget(LabelFor(QStringLiteral("暗黙のファイル名"), DefaultFileName));
    NameRow->addWidget(DefaultFileName, 1);
    Layout->addLayout(NameRow);
    Layout->addSpacing(4);
    for (QCheckBox* Box : {ignoreCase, isSpaceValidChkBox, AnchorMakesFileBlue, IgnoreHTMLInfo,
                           IgnoreJavaScript, HideInfoBoxAfterCheck, ModernHTML})
        Layout->addWidget(Box);
    Layout->addSpacing(4);
    Layout->addWidget(BuildCheckLocalFileChoices());
    Layout->addStretch();

    // The modern rules read links as browsers do, spaces and file:// links included.
    connect(ModernHTML, &QCheckBox::toggled, this, [this](bool Modern) {
        isSpaceValidChkBox->setEnabled(!Modern);
        CheckLocalFile->setEnabled(!Modern);
    });
    return Page;
}

// The framed group of the two exclusive choices for links beginning with file://.
QGroupBox* TSettingsWindow::BuildCheckLocalFileChoices() {
    CheckLocalFile = new QGroupBox(QStringLiteral("file://で始まるリンクの扱い"));
    CheckLocalFile->setObjectName(QStringLiteral("CheckLocalFile"));
    CheckLocalFileItems[0] = new QRadioButton(QStringLiteral("無条件に、無効リンクと見なす"));
    CheckLocalFileItems[1] = new QRadioButton(QStringLiteral("ファイルの存在チェックを行う"));
    CheckLocalFileGroup = new QButtonGroup(this);
    auto* Choices = new QVBoxLayout(CheckLocalFile);
    Choices->setContentsMargins(8, 4, 8, 4);
    for (int I = 0; I < 2; ++I) {
        CheckLocalFileItems[I]->setObjectName(QStringLiteral("CheckLocalFileItem%1").arg(I));
        CheckLocalFileGroup->addButton(CheckLocalFileItems[I], I);
        Choices->addWidget(CheckLocalFileItems[I]);
    }
    return CheckLocalFile;
}

void TSettingsWindow::ShowOtherSettings(const TSettings& S) {
    DefaultFileName->setText(ToQString(S.DefaultFileName));
    ignoreCase->setChecked(S.IgnoreCase);
    isSpaceValidChkBox->setChecked(S.isSpaceValid);
    AnchorMakesFileBlue->setChecked(S.AnchorMakesFileBlue);
    IgnoreHTMLInfo->setChecked(S.IgnoreHTMLInfo);
    IgnoreJavaScript->setChecked(S.IgnoreJavaScript);
    HideInfoBoxAfterCheck->setChecked(S.HideInfoBoxAfterCheck);
    SetCheckLocalFileIndex(S.CheckLocalFile);
    ModernHTML->setChecked(S.ModernHTML);
    isSpaceValidChkBox->setEnabled(!S.ModernHTML);
    CheckLocalFile->setEnabled(!S.ModernHTML);
}

void TSettingsWindow::ReadOtherSettings(TSettings& S) const {
    S.DefaultFileName = FromQString(DefaultFileName->text());
    S.IgnoreCase = ignoreCase->isChecked();
    S.isSpaceValid = isSpaceValidChkBox->isChecked();
    S.AnchorMakesFileBlue = AnchorMakesFileBlue->isChecked();
    S.IgnoreHTMLInfo = IgnoreHTMLInfo->isChecked();
    S.IgnoreJavaScript = IgnoreJavaScript->isChecked();
    S.HideInfoBoxAfterCheck = HideInfoBoxAfterCheck->isChecked();
    S.CheckLocalFile = CheckLocalFileIndex();
    S.ModernHTML = ModernHTML->isChecked();
}

// OK and Cancel at the right below the tabs.
void TSettingsWindow::BuildButtons() {
    OKBtn = new QPushButton(QStringLiteral("OK"));
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"));
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);

    auto* Main = new QVBoxLayout(this);
    Main->setContentsMargins(6, 6, 6, 8);
    Main->addWidget(PageControl, 1);
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch();
    Buttons->addWidget(OKBtn);
    Buttons->addWidget(CancelBtn);
    Main->addLayout(Buttons);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

// Centred on the screen at every opening, as a fixed dialog of its own rather than over its
// owner.
void TSettingsWindow::showEvent(QShowEvent* Event) {
    CenterOnScreen(*this);
    QDialog::showEvent(Event);
}

void TSettingsWindow::EditorBrowseButtonClick() {
    const QString Path = ChooseFile ? ChooseFile() : QString();
    if (!Path.isEmpty()) ExternalEditor->setText(Path);
}

void TSettingsWindow::ViewerBrowseButtonClick() {
    const QString Path = ChooseFile ? ChooseFile() : QString();
    if (!Path.isEmpty()) externalViewer->setText(Path);
}

void TSettingsWindow::MakeExtListDefaultClick() {
    ExtListHTML->setText(QLatin1String(DefaultExtListHTML));
    ExtListImg->setText(QLatin1String(DefaultExtListImg));
}

int TSettingsWindow::CheckLocalFileIndex() const {
    return CheckLocalFileGroup->checkedId();
}

// Values below -1 count as -1 and above 1 as 1; -1 leaves both choices unselected.
void TSettingsWindow::SetCheckLocalFileIndex(int Index) {
    Index = std::clamp(Index, -1, 1);
    if (Index >= 0) {
        CheckLocalFileItems[Index]->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; lift that for the moment of clearing.
    CheckLocalFileGroup->setExclusive(false);
    for (QRadioButton* Item : CheckLocalFileItems)
        Item->setChecked(false);
    CheckLocalFileGroup->setExclusive(true);
}

} // namespace orvel::ui
