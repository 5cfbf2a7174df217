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

    SettingsTabs = new QTabWidget;
    SettingsTabs->setObjectName(QStringLiteral("SettingsTabs"));
    SettingsTabs->addTab(BuildExternalAppsTab(), QStringLiteral("外部アプリケーション"));
    SettingsTabs->addTab(BuildExtensionsTab(), QStringLiteral("拡張子"));
    SettingsTabs->addTab(BuildOtherTab(), QStringLiteral("その他"));
    SettingsTabs->setCurrentIndex(0);
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
    ExternalViewerEdit = NewEdit("ExternalViewerEdit");
    ViewerBrowseButton = NewButton(QStringLiteral("参照..."), "ViewerBrowseButton");
    ExternalEditorEdit = NewEdit("ExternalEditorEdit");
    EditorBrowseButton = NewButton(QStringLiteral("参照..."), "EditorBrowseButton");
    CommandLineOptionEdit = NewEdit("CommandLineOptionEdit");
    TagJumpCommandLineOptionEdit = NewEdit("TagJumpCommandLineOptionEdit");
    CommandLineHelp = NewCommandLineHelp();

    auto* Layout = NewPageLayout(Page);
    Layout->addWidget(LabelFor(QStringLiteral("画像ビューア"), ExternalViewerEdit));
    Layout->addLayout(EditWithButton(ExternalViewerEdit, ViewerBrowseButton));
    Layout->addWidget(
        LabelFor(QStringLiteral("HTMLファイルを編集するエディタ"), ExternalEditorEdit));
    Layout->addLayout(EditWithButton(ExternalEditorEdit, EditorBrowseButton));
    Layout->addSpacing(4);
    auto* Templates = new QGridLayout;
    Templates->setVerticalSpacing(4);
    Templates->addWidget(
        LabelFor(QStringLiteral("通常のコマンドラインオプション"), CommandLineOptionEdit), 0, 0);
    Templates->addWidget(CommandLineOptionEdit, 0, 1);
    Templates->addWidget(
        LabelFor(QStringLiteral("タグジャンプ時のオプション"), TagJumpCommandLineOptionEdit), 1, 0);
    Templates->addWidget(TagJumpCommandLineOptionEdit, 1, 1);
    Layout->addLayout(Templates);
    Layout->addSpacing(4);
    Layout->addWidget(CommandLineHelp);
    Layout->addStretch();

    connect(ViewerBrowseButton, &QPushButton::clicked, this, [this] { ViewerBrowseButtonClick(); });
    connect(EditorBrowseButton, &QPushButton::clicked, this, [this] { EditorBrowseButtonClick(); });
    return Page;
}

void TSettingsWindow::ShowExternalAppsSettings(const TSettings& S) {
    ExternalEditorEdit->setText(ToQString(S.ExternalEditor));
    ExternalViewerEdit->setText(ToQString(S.ExternalViewer));
    CommandLineOptionEdit->setText(ToQString(S.CommandLineOption));
    TagJumpCommandLineOptionEdit->setText(ToQString(S.TagJumpCommandLineOption));
}

void TSettingsWindow::ReadExternalAppsSettings(TSettings& S) const {
    S.ExternalEditor = FromQString(ExternalEditorEdit->text());
    S.ExternalViewer = FromQString(ExternalViewerEdit->text());
    S.CommandLineOption = FromQString(CommandLineOptionEdit->text());
    S.TagJumpCommandLineOption = FromQString(TagJumpCommandLineOptionEdit->text());
}

// Tab 2: the two extension lists and the button that restores them.
QWidget* TSettingsWindow::BuildExtensionsTab() {
    auto* Page = new QWidget;
    ExtListHTMLEdit = NewEdit("ExtListHTMLEdit");
    ExtListImgEdit = NewEdit("ExtListImgEdit");
    RestoreExtListsButton = NewButton(QStringLiteral("デフォルトに戻す"), "RestoreExtListsButton");
    RestoreExtListsButton->setMinimumWidth(RestoreExtListsButton->sizeHint().width() + 16);

    auto* Layout = NewPageLayout(Page);
    Layout->addWidget(
        LabelFor(QStringLiteral("HTMLファイルとして認識される拡張子"), ExtListHTMLEdit));
    Layout->addWidget(ExtListHTMLEdit);
    Layout->addSpacing(8);
    Layout->addWidget(
        LabelFor(QStringLiteral("イメージファイルとして認識される拡張子"), ExtListImgEdit));
    Layout->addWidget(ExtListImgEdit);
    Layout->addSpacing(8);
    Layout->addWidget(RestoreExtListsButton, 0, Qt::AlignRight);
    Layout->addStretch();

    connect(RestoreExtListsButton, &QPushButton::clicked, this,
            [this] { RestoreExtListsButtonClick(); });
    return Page;
}

void TSettingsWindow::ShowExtensionsSettings(const TSettings& S) {
    ExtListHTMLEdit->setText(ToQString(S.ExtListHTML));
    ExtListImgEdit->setText(ToQString(S.ExtListImg));
}

void TSettingsWindow::ReadExtensionsSettings(TSettings& S) const {
    S.ExtListHTML = FromQString(ExtListHTMLEdit->text());
    S.ExtListImg = FromQString(ExtListImgEdit->text());
}

// Tab 3: the implied file name, the seven switches and the handling of file:// links.
QWidget* TSettingsWindow::BuildOtherTab() {
    auto* Page = new QWidget;
    DefaultFileNameEdit = NewEdit("DefaultFileNameEdit");
    IgnoreCaseBox =
        NewCheckBox(QStringLiteral("ファイル名の大文字/小文字を区別しない"), "IgnoreCaseBox");
    SpaceIsValidBox =
        NewCheckBox(QStringLiteral("スペースの入ったファイル名も認識させる"), "SpaceIsValidBox");
    AnchorMakesFileBlueBox =
        NewCheckBox(QStringLiteral("参照されていないアンカーを持ったHTMLファイルも青く表示"),
                    "AnchorMakesFileBlueBox");
    IgnoreHTMLInfoBox = NewCheckBox(
        QStringLiteral("チェック対象から外したHTMLファイルの情報を読み込まない（高速）"),
        "IgnoreHTMLInfoBox");
    IgnoreJavaScriptBox = NewCheckBox(QStringLiteral("<A HREF=\"JavaScript:...\">は、抜き出さない"),
                                      "IgnoreJavaScriptBox");
    HideInfoBoxAfterCheckBox = NewCheckBox(
        QStringLiteral("チェック終了後の情報ダイアログを出さない"), "HideInfoBoxAfterCheckBox");
    ModernHTMLBox =
        NewCheckBox(QStringLiteral("HTML5 の id 属性と新しいリンク属性も扱う"), "ModernHTMLBox");

    auto* Layout = NewPageLayout(Page);
    auto* NameRow = new QHBoxLayout;
    NameRow->addWidget(LabelFor(QStringLiteral("暗黙のファイル名"), DefaultFileNameEdit));
    NameRow->addWidget(DefaultFileNameEdit, 1);
    Layout->addLayout(NameRow);
    Layout->addSpacing(4);
    for (QCheckBox* Box :
         {IgnoreCaseBox, SpaceIsValidBox, AnchorMakesFileBlueBox, IgnoreHTMLInfoBox,
          IgnoreJavaScriptBox, HideInfoBoxAfterCheckBox, ModernHTMLBox})
        Layout->addWidget(Box);
    Layout->addSpacing(4);
    Layout->addWidget(BuildCheckLocalFileChoices());
    Layout->addStretch();

    // The modern rules read links as browsers do, spaces and file:// links included.
    connect(ModernHTMLBox, &QCheckBox::toggled, this, [this](bool Modern) {
        SpaceIsValidBox->setEnabled(!Modern);
        CheckLocalFileBox->setEnabled(!Modern);
    });
    return Page;
}

// The framed group of the two exclusive choices for links beginning with file://.
QGroupBox* TSettingsWindow::BuildCheckLocalFileChoices() {
    CheckLocalFileBox = new QGroupBox(QStringLiteral("file://で始まるリンクの扱い"));
    CheckLocalFileBox->setObjectName(QStringLiteral("CheckLocalFileBox"));
    CheckLocalFileChoices[0] = new QRadioButton(QStringLiteral("無条件に、無効リンクと見なす"));
    CheckLocalFileChoices[1] = new QRadioButton(QStringLiteral("ファイルの存在チェックを行う"));
    CheckLocalFileGroup = new QButtonGroup(this);
    auto* Choices = new QVBoxLayout(CheckLocalFileBox);
    Choices->setContentsMargins(8, 4, 8, 4);
    for (int I = 0; I < 2; ++I) {
        CheckLocalFileChoices[I]->setObjectName(QStringLiteral("CheckLocalFileChoice%1").arg(I));
        CheckLocalFileGroup->addButton(CheckLocalFileChoices[I], I);
        Choices->addWidget(CheckLocalFileChoices[I]);
    }
    return CheckLocalFileBox;
}

void TSettingsWindow::ShowOtherSettings(const TSettings& S) {
    DefaultFileNameEdit->setText(ToQString(S.DefaultFileName));
    IgnoreCaseBox->setChecked(S.IgnoreCase);
    SpaceIsValidBox->setChecked(S.isSpaceValid);
    AnchorMakesFileBlueBox->setChecked(S.AnchorMakesFileBlue);
    IgnoreHTMLInfoBox->setChecked(S.IgnoreHTMLInfo);
    IgnoreJavaScriptBox->setChecked(S.IgnoreJavaScript);
    HideInfoBoxAfterCheckBox->setChecked(S.HideInfoBoxAfterCheck);
    SetCheckLocalFileIndex(S.CheckLocalFile);
    ModernHTMLBox->setChecked(S.ModernHTML);
    SpaceIsValidBox->setEnabled(!S.ModernHTML);
    CheckLocalFileBox->setEnabled(!S.ModernHTML);
}

void TSettingsWindow::ReadOtherSettings(TSettings& S) const {
    S.DefaultFileName = FromQString(DefaultFileNameEdit->text());
    S.IgnoreCase = IgnoreCaseBox->isChecked();
    S.isSpaceValid = SpaceIsValidBox->isChecked();
    S.AnchorMakesFileBlue = AnchorMakesFileBlueBox->isChecked();
    S.IgnoreHTMLInfo = IgnoreHTMLInfoBox->isChecked();
    S.IgnoreJavaScript = IgnoreJavaScriptBox->isChecked();
    S.HideInfoBoxAfterCheck = HideInfoBoxAfterCheckBox->isChecked();
    S.CheckLocalFile = CheckLocalFileIndex();
    S.ModernHTML = ModernHTMLBox->isChecked();
}

// OK and Cancel at the right below the tabs.
void TSettingsWindow::BuildButtons() {
    OKButton = new QPushButton(QStringLiteral("OK"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);

    auto* Main = new QVBoxLayout(this);
    Main->setContentsMargins(6, 6, 6, 8);
    Main->addWidget(SettingsTabs, 1);
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch();
    Buttons->addWidget(OKButton);
    Buttons->addWidget(CancelButton);
    Main->addLayout(Buttons);

    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

// Centred on the screen at every opening, as a fixed dialog of its own rather than over its
// owner.
void TSettingsWindow::showEvent(QShowEvent* Event) {
    CenterOnScreen(*this);
    QDialog::showEvent(Event);
}

void TSettingsWindow::EditorBrowseButtonClick() {
    const QString Path = ChooseFile ? ChooseFile() : QString();
    if (!Path.isEmpty()) ExternalEditorEdit->setText(Path);
}

void TSettingsWindow::ViewerBrowseButtonClick() {
    const QString Path = ChooseFile ? ChooseFile() : QString();
    if (!Path.isEmpty()) ExternalViewerEdit->setText(Path);
}

void TSettingsWindow::RestoreExtListsButtonClick() {
    ExtListHTMLEdit->setText(QLatin1String(DefaultExtListHTML));
    ExtListImgEdit->setText(QLatin1String(DefaultExtListImg));
}

int TSettingsWindow::CheckLocalFileIndex() const {
    return CheckLocalFileGroup->checkedId();
}

// Values below -1 count as -1 and above 1 as 1; -1 leaves both choices unselected.
void TSettingsWindow::SetCheckLocalFileIndex(int Index) {
    Index = std::clamp(Index, -1, 1);
    if (Index >= 0) {
        CheckLocalFileChoices[Index]->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; lift that for the moment of clearing.
    CheckLocalFileGroup->setExclusive(false);
    for (QRadioButton* Item : CheckLocalFileChoices)
        Item->setChecked(false);
    CheckLocalFileGroup->setExclusive(true);
}

} // namespace orvel::ui
