#pragma once

#include <QDialog>

class WizardController;

// The maplist editor. Only hidden between uses, so its list and choices last
// for the whole run.
class frmCreateMaplist : public QDialog {
    Q_OBJECT
public:
    explicit frmCreateMaplist(WizardController &wizard, QWidget *parent = nullptr);

    // Shows the editor modally; returns at once, the editor hides itself.
    void showModal();

private:
    WizardController &m_wizard;
};
