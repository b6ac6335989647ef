#pragma once

#include <QDialog>

class Procedures;
class QPushButton;

// "Do you want to save your changes?" with Yes, No and Cancel. The answer is
// left in CancelClose and Saved.
class frmSaveChanges : public QDialog {
    Q_OBJECT
public:
    frmSaveChanges(Procedures &procedures, QWidget *parent);

    // Shows the prompt over the window that asked and returns when it has
    // been answered or closed.
    void ask(QWidget *asker);
    // After Yes the prompt is done with; the next one is created anew.
    bool answeredYes() const { return m_answeredYes; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override; // Escape answers Cancel

private:
    void cmdYes_Click();
    void cmdNo_Click();
    void cmdCancel_Click();

    Procedures &m_procedures;
    QPushButton *cmdYes = nullptr;
    QPushButton *cmdNo = nullptr;
    QPushButton *cmdCancel = nullptr;
    bool m_answeredYes = false;
};
