#pragma once

#include "platform/FileDialog.h"

#include <QDialog>

class LimitedTextEdit;
class QLabel;

// The message-of-the-day editor. Only hidden between uses, so its text lasts
// for the whole run.
class frmCreateMOTD : public QDialog {
    Q_OBJECT
public:
    // The most the box holds, in bytes of the file: a line break counts two.
    static constexpr int MaxBytes = 500;

    explicit frmCreateMOTD(QWidget *parent = nullptr);

    // Shows the editor modally; returns at once, the editor hides itself.
    void showModal();

    // The text as it is written: line breaks as CR LF, nothing added.
    QString motdText() const;

signals:
    // A message was written; the title is the file's name without its folder.
    void saved(const QString &fileTitle);

private:
    void cmdSaveMOTD_Click();
    void txtMOTD_Change();
    void txtMOTD_Cut(int charactersLeftOut);

    LimitedTextEdit *txtMOTD = nullptr;
    QLabel *lblLeft = nullptr;
    FileDialog m_dialog;
};
