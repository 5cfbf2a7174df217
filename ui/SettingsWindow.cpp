#include "ui/SettingsWindow.h"

#include "ui/Encoding.h"
#include "ui/Placement.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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
    auto* Help = new QLabel(QStringList{
        QTr("コマンドラインオプションは、以下のように展開されます"), QTr("%F → ファイル名"),
        QTr("%N → 行番号"), QTr("エディタが空欄なら、デスクトップの既定のエディタで開きます")}
                                .join(QLatin1Char('\n')));
    Help->setObjectName(QStringLiteral("CommandLineHelp"));
    Help->setTextFormat(Qt::PlainText);
    Help->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Help->setMargin(4);
    return Help;
}

// Editors of Linux desktops with their command and how each takes a file and a line.
struct TEditorExample {
    const char* Name;
    const char *Editor, *Option, *TagJumpOption;
};
constexpr TEditorExample EditorExamples[] = {
    {"gedit", "gedit", "%F", "%F +%N"},
    {"kate", "kate", "%F", "--line %N %F"},
    {"mousepad", "mousepad", "%F", "--line %N %F"},
    {"Visual Studio Code", "code", "%F", "--goto %F:%N"},
    {QT_TR_NOOP("vim（端末で開く）"), "x-terminal-emulator", "-e vim %F", "-e vim +%N %F"},
    {"emacs", "emacs", "%F", "+%N %F"},
};

// Tight margins so that the longest Japanese labels fit the fixed width.
QVBoxLayout* NewPageLayout(QWidget* Page) {
    auto* Layout = new QVBoxLayout(Page);
    Layout->setContentsMargins(8, 8, 8, 8);
    Layout->setSpacing(4);
    return Layout;
}

} // namespace

TSettingsWindow::TSettingsWindow(QWidget* Parent) : QDialog(Parent) {
    setWindowTitle(QTr("Orvel - 設定"));
    ChooseFile = [this] { return QFileDialog::getOpenFileName(this); };

    SettingsTabs = new QTabWidget;
    SettingsTabs->setObjectName(QStringLiteral("SettingsTabs"));
    SettingsTabs->addTab(BuildExternalAppsTab(), QTr("外部アプリケーション"));
    SettingsTabs->addTab(BuildExtensionsTab(), QTr("拡張子"));
    SettingsTabs->addTab(BuildOtherTab(), QTr("その他"));
    SettingsTabs->setCurrentIndex(0);
    BuildButtons();
    // Today's size, larger where the language's texts need more.
    setFixedSize(minimumSizeHint().expandedTo(QSize(ClientWidth, ClientHeight)));
}

void TSettingsWindow::Bind(const char* Key, QObject* Control) {
    const TSettingKey* Found = FindSettingKey(Key);
    Q_ASSERT(Found);
    Bindings.emplace_back(Found, Control);
}

void TSettingsWindow::ShowSettings(const TSettings& S) {
    Shown = S;
    for (const auto& [Key, Control] : Bindings) {
        if (const auto* Text = std::get_if<std::string TSettings::*>(&Key->Member)) {
            qobject_cast<QLineEdit*>(Control)->setText(ToQString(S.*(*Text)));
        } else if (const auto* Flag = std::get_if<bool TSettings::*>(&Key->Member)) {
            qobject_cast<QCheckBox*>(Control)->setChecked(S.*(*Flag));
        } else {
            // A value without its button (-1) leaves every button unchecked, which an exclusive
            // group allows only while it is not exclusive.
            auto* Group = qobject_cast<QButtonGroup*>(Control);
            const int Value =
                std::clamp(S.*std::get<int TSettings::*>(Key->Member), Key->Min, Key->Max);
            Group->setExclusive(false);
            for (QAbstractButton* Button : Group->buttons())
                Button->setChecked(Group->id(Button) == Value);
            Group->setExclusive(true);
        }
    }
    SpaceIsValidBox->setEnabled(!S.ModernHTML);
    CheckLocalFileBox->setEnabled(!S.ModernHTML);
    EditorExampleBox->setCurrentIndex(-1); // the values may be no example's now
}

TSettings TSettingsWindow::Settings() const {
    TSettings S = Shown; // with the values the window has no control for
    for (const auto& [Key, Control] : Bindings) {
        if (const auto* Text = std::get_if<std::string TSettings::*>(&Key->Member))
            S.*(*Text) = FromQString(qobject_cast<QLineEdit*>(Control)->text());
        else if (const auto* Flag = std::get_if<bool TSettings::*>(&Key->Member))
            S.*(*Flag) = qobject_cast<QCheckBox*>(Control)->isChecked();
        else
            S.*std::get<int TSettings::*>(Key->Member) =
                qobject_cast<QButtonGroup*>(Control)->checkedId();
    }
    return S;
}

// Tab 1: the viewer and the editor with their browse buttons, the two argument templates, what
// the placeholders of the templates stand for, and examples of editors that fill all three.
QWidget* TSettingsWindow::BuildExternalAppsTab() {
    auto* Page = new QWidget;
    ExternalViewerEdit = NewEdit("ExternalViewerEdit");
    ViewerBrowseButton = NewButton(QTr("参照..."), "ViewerBrowseButton");
    ExternalEditorEdit = NewEdit("ExternalEditorEdit");
    EditorBrowseButton = NewButton(QTr("参照..."), "EditorBrowseButton");
    CommandLineOptionEdit = NewEdit("CommandLineOptionEdit");
    TagJumpCommandLineOptionEdit = NewEdit("TagJumpCommandLineOptionEdit");
    CommandLineHelp = NewCommandLineHelp();
    EditorExampleBox = new QComboBox;
    EditorExampleBox->setObjectName(QStringLiteral("EditorExampleBox"));
    for (const TEditorExample& Example : EditorExamples)
        EditorExampleBox->addItem(QTr(Example.Name));
    EditorExampleBox->setCurrentIndex(-1);

    auto* Layout = NewPageLayout(Page);
    Layout->addWidget(LabelFor(QTr("画像ビューア"), ExternalViewerEdit));
    Layout->addLayout(EditWithButton(ExternalViewerEdit, ViewerBrowseButton));
    Layout->addWidget(LabelFor(QTr("HTMLファイルを編集するエディタ"), ExternalEditorEdit));
    Layout->addLayout(EditWithButton(ExternalEditorEdit, EditorBrowseButton));
    Layout->addSpacing(4);
    auto* Templates = new QGridLayout;
    Templates->setVerticalSpacing(4);
    Templates->addWidget(LabelFor(QTr("通常のコマンドラインオプション"), CommandLineOptionEdit), 0,
                         0);
    Templates->addWidget(CommandLineOptionEdit, 0, 1);
    Templates->addWidget(LabelFor(QTr("タグジャンプ時のオプション"), TagJumpCommandLineOptionEdit),
                         1, 0);
    Templates->addWidget(TagJumpCommandLineOptionEdit, 1, 1);
    Layout->addLayout(Templates);
    Layout->addSpacing(4);
    Layout->addWidget(CommandLineHelp);
    auto* ExampleRow = new QHBoxLayout;
    ExampleRow->addWidget(LabelFor(QTr("例から選ぶ"), EditorExampleBox));
    ExampleRow->addWidget(EditorExampleBox, 1);
    Layout->addLayout(ExampleRow);
    Layout->addStretch();

    Bind("ExternalViewer", ExternalViewerEdit);
    Bind("ExternalEditor", ExternalEditorEdit);
    Bind("CommandLineOption", CommandLineOptionEdit);
    Bind("TagJumpCommandLineOption", TagJumpCommandLineOptionEdit);
    connect(ViewerBrowseButton, &QPushButton::clicked, this, [this] { ViewerBrowseButtonClick(); });
    connect(EditorBrowseButton, &QPushButton::clicked, this, [this] { EditorBrowseButtonClick(); });
    connect(EditorExampleBox, &QComboBox::activated, this,
            [this](int Index) { EditorExampleChosen(Index); });
    return Page;
}

// Tab 2: the two extension lists and the button that restores them.
QWidget* TSettingsWindow::BuildExtensionsTab() {
    auto* Page = new QWidget;
    ExtListHTMLEdit = NewEdit("ExtListHTMLEdit");
    ExtListImgEdit = NewEdit("ExtListImgEdit");
    RestoreExtListsButton = NewButton(QTr("デフォルトに戻す"), "RestoreExtListsButton");
    RestoreExtListsButton->setMinimumWidth(RestoreExtListsButton->sizeHint().width() + 16);

    auto* Layout = NewPageLayout(Page);
    Layout->addWidget(LabelFor(QTr("HTMLファイルとして認識される拡張子"), ExtListHTMLEdit));
    Layout->addWidget(ExtListHTMLEdit);
    Layout->addSpacing(8);
    Layout->addWidget(LabelFor(QTr("イメージファイルとして認識される拡張子"), ExtListImgEdit));
    Layout->addWidget(ExtListImgEdit);
    Layout->addSpacing(8);
    Layout->addWidget(RestoreExtListsButton, 0, Qt::AlignRight);
    Layout->addStretch();

    Bind("ExtListHTML", ExtListHTMLEdit);
    Bind("ExtListImg", ExtListImgEdit);
    connect(RestoreExtListsButton, &QPushButton::clicked, this,
            [this] { RestoreExtListsButtonClick(); });
    return Page;
}

// Tab 3: the implied file name, the eight switches and the handling of file:// links.
QWidget* TSettingsWindow::BuildOtherTab() {
    auto* Page = new QWidget;
    DefaultFileNameEdit = NewEdit("DefaultFileNameEdit");
    IgnoreCaseBox = NewCheckBox(QTr("ファイル名の大文字/小文字を区別しない"), "IgnoreCaseBox");
    SpaceIsValidBox = NewCheckBox(QTr("スペースの入ったファイル名も認識させる"), "SpaceIsValidBox");
    AnchorMakesFileBlueBox = NewCheckBox(
        QTr("参照されていないアンカーを持ったHTMLファイルも青く表示"), "AnchorMakesFileBlueBox");
    IgnoreHTMLInfoBox = NewCheckBox(
        QTr("チェック対象から外したHTMLファイルの情報を読み込まない（高速）"), "IgnoreHTMLInfoBox");
    IgnoreJavaScriptBox =
        NewCheckBox(QTr("<A HREF=\"JavaScript:...\">は、抜き出さない"), "IgnoreJavaScriptBox");
    HideInfoBoxAfterCheckBox =
        NewCheckBox(QTr("チェック終了後の情報ダイアログを出さない"), "HideInfoBoxAfterCheckBox");
    ModernHTMLBox = NewCheckBox(QTr("HTML5 の id 属性と新しいリンク属性も扱う"), "ModernHTMLBox");
    ReopenLastBox =
        NewCheckBox(QTr("起動時に前回のプロジェクト（フォルダ）を開く"), "ReopenLastBox");
    CheckExternalBox = NewCheckBox(QTr("チェック後に外部リンクをサーバーに問い合わせて確認する"),
                                   "CheckExternalBox");

    auto* Layout = NewPageLayout(Page);
    auto* NameRow = new QHBoxLayout;
    NameRow->addWidget(LabelFor(QTr("暗黙のファイル名"), DefaultFileNameEdit));
    NameRow->addWidget(DefaultFileNameEdit, 1);
    Layout->addLayout(NameRow);
    Layout->addSpacing(4);
    for (QCheckBox* Box : {IgnoreCaseBox, SpaceIsValidBox, AnchorMakesFileBlueBox,
                           IgnoreHTMLInfoBox, IgnoreJavaScriptBox, HideInfoBoxAfterCheckBox,
                           ModernHTMLBox, ReopenLastBox, CheckExternalBox})
        Layout->addWidget(Box);
    Layout->addSpacing(4);
    Layout->addWidget(BuildCheckLocalFileChoices());
    Layout->addStretch();

    Bind("DefaultFileName", DefaultFileNameEdit);
    Bind("IgnoreCase", IgnoreCaseBox);
    Bind("isSpaceValid", SpaceIsValidBox);
    Bind("AnchorMakesFileBlue", AnchorMakesFileBlueBox);
    Bind("IgnoreHTMLInfo", IgnoreHTMLInfoBox);
    Bind("IgnoreJavaScript", IgnoreJavaScriptBox);
    Bind("HideInfoBoxAfterCheck", HideInfoBoxAfterCheckBox);
    Bind("ModernHTML", ModernHTMLBox);
    Bind("ReopenLast", ReopenLastBox);
    Bind("CheckExternal", CheckExternalBox);
    Bind("CheckLocalFile", CheckLocalFileGroup);
    // The modern rules read links as browsers do, spaces and file:// links included.
    connect(ModernHTMLBox, &QCheckBox::toggled, this, [this](bool Modern) {
        SpaceIsValidBox->setEnabled(!Modern);
        CheckLocalFileBox->setEnabled(!Modern);
    });
    return Page;
}

// The framed group of the two exclusive choices for links beginning with file://.
QGroupBox* TSettingsWindow::BuildCheckLocalFileChoices() {
    CheckLocalFileBox = new QGroupBox(QTr("file://で始まるリンクの扱い"));
    CheckLocalFileBox->setObjectName(QStringLiteral("CheckLocalFileBox"));
    CheckLocalFileChoices[0] = new QRadioButton(QTr("無条件に、無効リンクと見なす"));
    CheckLocalFileChoices[1] = new QRadioButton(QTr("ファイルの存在チェックを行う"));
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

// OK and Cancel at the right below the tabs.
void TSettingsWindow::BuildButtons() {
    OKButton = new QPushButton(QTr("OK"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QTr("Cancel"));
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

void TSettingsWindow::EditorExampleChosen(int Index) {
    if (Index < 0 || Index >= static_cast<int>(std::size(EditorExamples))) return;
    const TEditorExample& Example = EditorExamples[Index];
    ExternalEditorEdit->setText(QString::fromUtf8(Example.Editor));
    CommandLineOptionEdit->setText(QString::fromUtf8(Example.Option));
    TagJumpCommandLineOptionEdit->setText(QString::fromUtf8(Example.TagJumpOption));
}

void TSettingsWindow::ViewerBrowseButtonClick() {
    const QString Path = ChooseFile ? ChooseFile() : QString();
    if (!Path.isEmpty()) ExternalViewerEdit->setText(Path);
}

void TSettingsWindow::RestoreExtListsButtonClick() {
    const TSettings Defaults;
    ExtListHTMLEdit->setText(ToQString(Defaults.ExtListHTML));
    ExtListImgEdit->setText(ToQString(Defaults.ExtListImg));
}

} // namespace orvel::ui
