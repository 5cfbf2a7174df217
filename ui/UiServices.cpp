#include "ui/UiServices.h"

#include "support/StringUtils.h"
#include "ui/Encoding.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace orvel::ui {

bool TQtServices::ShowMessageBox(TMessageKind Kind, const std::string& Text) {
    const QString Message = ToQString(ReplaceAll(Text, "\r\n", "\n"));
    const QString Title = QStringLiteral("Orvel(UO)");
    switch (Kind) {
    case TMessageKind::mkInformation:
        QMessageBox::information(Owner, Title, Message);
        return true;
    case TMessageKind::mkWarning:
        QMessageBox::warning(Owner, Title, Message);
        return true;
    case TMessageKind::mkError:
        QMessageBox::critical(Owner, Title, Message);
        return true;
    case TMessageKind::mkQuestion:
        return QMessageBox::question(Owner, Title, Message,
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    case TMessageKind::mkRiskyQuestion:
        return QMessageBox::warning(Owner, Title, Message, QMessageBox::Yes | QMessageBox::No,
                                    QMessageBox::No) == QMessageBox::Yes;
    }
    return true;
}

bool TQtServices::ShowMessageBox(TMessageKind Kind, const std::string& Text,
                                 const std::string& Details) {
    if (Kind != TMessageKind::mkInformation)
        return TMessageHost::ShowMessageBox(Kind, Text, Details);
    QMessageBox Box(QMessageBox::Information, QStringLiteral("Orvel(UO)"),
                    ToQString(ReplaceAll(Text, "\r\n", "\n")), QMessageBox::Ok, Owner);
    Box.setDetailedText(ToQString(ReplaceAll(Details, "\r\n", "\n")));
    Box.exec();
    return true;
}

void TQtServices::Beep(TBeepKind) {
    QApplication::beep();
}

TSaveAnswer TQtServices::AskToSave(QWidget* Parent, const QString& Text) {
    QMessageBox Box(QMessageBox::Warning, QStringLiteral("Orvel(UO)"), Text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, Parent);
    Box.button(QMessageBox::Save)->setText(QTr("保存(&S)"));
    Box.button(QMessageBox::Discard)->setText(QTr("保存しない(&N)"));
    Box.button(QMessageBox::Cancel)->setText(QTr("キャンセル"));
    Box.setDefaultButton(QMessageBox::Save);
    switch (Box.exec()) {
    case QMessageBox::Save:
        return TSaveAnswer::saSave;
    case QMessageBox::Discard:
        return TSaveAnswer::saDiscard;
    default:
        return TSaveAnswer::saCancel;
    }
}

QString TQtServices::ChooseFileToOpen(QWidget* Parent, const QString& Title,
                                      const QString& Filter) {
    return QFileDialog::getOpenFileName(Parent, Title, QString(), Filter);
}

QString TQtServices::ChooseFileToSave(QWidget* Parent, const QString& Title, const QString& Filter,
                                      const QString& DefaultSuffix, const QString& Initial) {
    QFileDialog Dialog(Parent, Title, Initial, Filter);
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    Dialog.setDefaultSuffix(DefaultSuffix);
    Dialog.setFileMode(QFileDialog::AnyFile);
    if (!Initial.isEmpty()) Dialog.selectFile(Initial);
    return Dialog.exec() == QDialog::Accepted && !Dialog.selectedFiles().isEmpty()
               ? Dialog.selectedFiles().first()
               : QString();
}

} // namespace orvel::ui
