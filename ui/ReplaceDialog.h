// TReplaceDialog: the dialog of the string replacement. Shows the file and the text to replace
// and takes the new text; the command fills and reads its controls.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvel::ui {

// A fixed-size modal dialog centred on the screen, created once and refilled for each use.
class TReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget* Parent = nullptr);

    // Fills the controls: the file's bare name (or what stands for the files), the link to
    // replace (shown literally, an "&" included), the proposed new text, which gets the
    // keyboard, and what will change.
    void Fill(const QString& FileName, const QString& Before, const QString& After,
              const QString& Places, bool AfterEditable = true);

    QLabel* FileNameLabel;      // the bare name of the file to change
    QLineEdit* OriginalEdit;    // the text to replace; read-only, scrolls when it is long
    QLineEdit* ReplacementEdit; // the replacement text
    QLabel* PlacesLabel;        // how many places of the link will change
    QPushButton *OKButton, *CancelButton;

protected:
    void showEvent(QShowEvent* Event) override;
};

} // namespace orvel::ui
