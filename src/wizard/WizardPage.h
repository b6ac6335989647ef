#pragma once

#include <QDialog>

class QLabel;
class QLayout;
class QPushButton;
class QVBoxLayout;
class WizardController;

// The frame that every wizard page shares: heading, subtitle, emblem, an
// etched line and the four buttons Cancel, Back, Next and Finish. A page
// adds its own controls to body().
class WizardPage : public QDialog {
    Q_OBJECT
public:
    enum class Buttons { FirstPage, MiddlePage, LastPage };

    WizardPage(WizardController &wizard, const QString &objectName, const QString &subtitle,
               Buttons buttons, QWidget *parent);

    // Runs once, when the page is created (pages 1, 2, 3 and 7 fill from the record).
    virtual void Form_Load() {}
    // Runs every time the page is shown (pages 4 to 6 set their headings).
    virtual void Form_Activate() {}

    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *backButton() const { return m_back; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *finishButton() const { return m_finish; }

protected:
    QVBoxLayout *body() const { return m_body; }
    WizardController &wizard() const { return m_wizard; }

    // Next: the page's checks and stores; false keeps the page open.
    virtual bool storeAnswers() { return true; }
    virtual void cmdFinish_Click() {}
    virtual void cmdBack_Click();

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool event(QEvent *event) override;
    void reject() override; // Escape acts as the Cancel button

private:
    QLayout *buildHeader(const QString &subtitle);
    QLayout *buildButtons(const QString &objectName, Buttons buttons);
    void connectButtons();
    void cmdNext_Click();
    void Cancel_Click();

    WizardController &m_wizard;
    QVBoxLayout *m_body = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_back = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_finish = nullptr;
};

// A label in the wizard's heading style.
QLabel *headingLabel(const QString &objectName, const QString &text, qreal pointSize,
                     QWidget *parent = nullptr);
