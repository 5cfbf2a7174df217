#include "ui/ReplaceDialog.h"

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
    setWindowTitle(QStringLiteral("文字列の置換"));
    setModal(true);
    filename = PlainLabel(QString(), this);
    // The old text looks like a label but keeps the dialog's width whatever its length.
    beforestr = new QLineEdit(this);
    beforestr->setReadOnly(true);
    beforestr->setFrame(false);
    beforestr->setFocusPolicy(Qt::NoFocus);
    beforestr->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    afterstr = new QLineEdit(this);
    for (QWidget* Text : {static_cast<QWidget*>(filename), static_cast<QWidget*>(beforestr),
                          static_cast<QWidget*>(afterstr)})
        Text->setFixedWidth(360);

    auto* Texts = new QGridLayout;
    Texts->setHorizontalSpacing(8);
    Texts->addWidget(PlainLabel(QStringLiteral("ファイル名 :"), this), 0, 0);
    Texts->addWidget(filename, 0, 1);
    Texts->addWidget(PlainLabel(QStringLiteral("置換前"), this), 1, 0);
    Texts->addWidget(beforestr, 1, 1);
    Texts->addWidget(PlainLabel(QStringLiteral("↓"), this), 2, 1, Qt::AlignHCenter);
    Texts->addWidget(PlainLabel(QStringLiteral("置換後"), this), 3, 0);
    Texts->addWidget(afterstr, 3, 1);
    Texts->setColumnStretch(1, 1);

    // Only where the link stands as an attribute's value is it replaced; this says how often.
    places = PlainLabel(QString(), this);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject); // Escape rejects too
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch();
    Buttons->addWidget(OKBtn);
    Buttons->addWidget(CancelBtn);

    auto* Main = new QVBoxLayout(this);
    Main->setContentsMargins(16, 16, 16, 12);
    Main->setSpacing(12);
    Main->addLayout(Texts);
    Main->addWidget(places);
    Main->addLayout(Buttons);
    Main->setSizeConstraint(QLayout::SetFixedSize); // fixed size: the size of its contents
}

void TReplaceDialog::Fill(const QString& FileName, const QString& Before, const QString& After,
                          const QString& Places, bool AfterEditable) {
    filename->setText(FileName);
    places->setText(Places);
    afterstr->setReadOnly(!AfterEditable);
    beforestr->setText(Before);
    beforestr->setCursorPosition(0);
    afterstr->setText(After);
    afterstr->selectAll();
    afterstr->setFocus();
}

void TReplaceDialog::showEvent(QShowEvent* Event) {
    CenterOnScreen(*this);
    QDialog::showEvent(Event);
    afterstr->setFocus();
}

} // namespace orvel::ui
