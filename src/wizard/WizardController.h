#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <array>

class QWidget;
class WizardPage;
class frmServerWizard;
class frmServerWizard2;
class frmServerWizard3;
class frmServerWizard4;
class frmServerWizard5;
class frmServerWizard6;
class frmServerWizard7;
class frmCreateMaplist;
class frmCreateMOTD;

// Shows the wizard one page at a time. Pages are created on first use and
// afterwards only hidden, so their entries last for the whole run; a page
// whose close box went through is destroyed and starts afresh next time.
// What the wizard cannot decide itself it asks through its signals, which the
// main window's side answers.
class WizardController : public QObject {
    Q_OBJECT
public:
    // The sequence of the pages; the window names do not follow it for 2 and 3.
    enum Page { Admin, GameType, Files, DMFlags, WeaponBans, FeatureBans, General, PageCount };

    explicit WizardController(QWidget *mainWindow);
    ~WizardController() override;

    void start();
    void next(WizardPage *from);
    void back(WizardPage *from);
    void ended(); // the page on screen was hidden or closed: the wizard is over
    // Cancel or a close box: asks about unsaved changes; true when the page may go.
    bool askClose();
    // Finish: the server file is composed from the answers.
    void finish();
    // An opened file replaces what the pages held: each page is made afresh,
    // from the record, when it is next needed.
    void discardPages();

    // Each page, created hidden if it does not exist yet.
    frmServerWizard &adminPage();
    frmServerWizard3 &gameTypePage();
    frmServerWizard2 &filesPage();
    frmServerWizard4 &dmFlagsPage();
    frmServerWizard5 &weaponBanPage();
    frmServerWizard6 &featureBanPage();
    frmServerWizard7 &generalPage();
    WizardPage &page(Page which);
    bool exists(Page which) const { return !m_pages[which].isNull(); }
    WizardPage *visiblePage() const;

    // A page left the screen: the next one opens at its place and size.
    void remember(const WizardPage &page);

    // The two editors that the files page opens; only hidden between uses.
    frmCreateMaplist &maplistEditor();
    frmCreateMOTD &motdEditor();

signals:
    // Answered at once: PublicVars::CancelClose then says whether the close goes on.
    void closeAsked();
    void finished();

private:
    void show(Page which);
    void place(WizardPage &page);
    Page indexOf(const WizardPage *page) const;

    QWidget *m_mainWindow;
    std::array<QPointer<WizardPage>, PageCount> m_pages;
    QPointer<frmCreateMaplist> m_maplistEditor;
    QPointer<frmCreateMOTD> m_motdEditor;
    QRect m_place;     // of the page last on screen in this run
    QByteArray m_kept; // the same, as kept between runs
    bool m_keptRead = false;
};
