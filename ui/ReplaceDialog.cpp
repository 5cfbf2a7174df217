#include "ui/ReplaceDialog.h"

#include "ui/Encoding.h"
#include "ui/Placement.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvel::ui {

namespace {
QLabel* PlainLabel(const QString& Text, QWidget* Parent) {
    auto* Label = new QLabel(Text, Parent);
    Label->setTextFormat(Qt::PlainText);
    return Label;
}
} // namespace

TReplaceDialog::TReplaceDialog(QWidget* Parent) : QDialog(Parent) {
    setWindowTitle(QTr("文字列の置換"));
    setModal(true);
    FileNameLabel = PlainLabel(QString(), this);
    // The old text looks like a label but keeps the dialog's width whatever its length.
    OriginalEdit = new QLineEdit(this);
    OriginalEdit->setReadOnly(true);
    OriginalEdit->setFrame(false);
    OriginalEdit->setFocusPolicy(Qt::NoFocus);
    OriginalEdit->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    ReplacementEdit = new QLineEdit(this);
    for (QWidget* Text : {static_cast<QWidget*>(FileNameLabel), static_cast<QWidget*>(OriginalEdit),
                          static_cast<QWidget*>(ReplacementEdit)})
        Text->setFixedWidth(360);

    auto* Texts = new QGridLayout;
    Texts->setHorizontalSpacing(8);
    Texts->addWidget(PlainLabel(QTr("ファイル名 :"), this), 0, 0);
    Texts->addWidget(FileNameLabel, 0, 1);
    Texts->addWidget(PlainLabel(QTr("置換前"), this), 1, 0);
    Texts->addWidget(OriginalEdit, 1, 1);
    Texts->addWidget(PlainLabel(QTr("↓"), this), 2, 1, Qt::AlignHCenter);
    Texts->addWidget(PlainLabel(QTr("置換後"), this), 3, 0);
    Texts->addWidget(ReplacementEdit, 3, 1);
    Texts->setColumnStretch(1, 1);

    // Only where the link stands as an attribute's value is it replaced; this says how often.
    PlacesLabel = PlainLabel(QString(), this);

    OKButton = new QPushButton(QTr("OK"), this);
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QTr("キャンセル"), this);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject); // Escape rejects too
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch();
    Buttons->addWidget(OKButton);
    Buttons->addWidget(CancelButton);

    auto* Main = new QVBoxLayout(this);
    Main->setContentsMargins(16, 16, 16, 12);
    Main->setSpacing(12);
    Main->addLayout(Texts);
    Main->addWidget(PlacesLabel);
    Main->addLayout(Buttons);
    Main->setSizeConstraint(QLayout::SetFixedSize); // fixed size: the size of its contents
}

void TReplaceDialog::Fill(const QString& FileName, const QString& Before, const QString& After,
                          const QString& Places, bool AfterEditable) {
    FileNameLabel->setText(FileName);
    PlacesLabel->setText(Places);
    ReplacementEdit->setReadOnly(!AfterEditable);
    OriginalEdit->setText(Before);
    OriginalEdit->setCursorPosition(0);
    ReplacementEdit->setText(After);
    ReplacementEdit->selectAll();
    ReplacementEdit->setFocus();
}

void TReplaceDialog::showEvent(QShowEvent* Event) {
    CenterOnScreen(*this);
    QDialog::showEvent(Event);
    ReplacementEdit->setFocus();
}

} // namespace orvel::ui
