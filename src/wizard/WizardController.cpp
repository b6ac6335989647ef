#include "WizardController.h"

#include "AnswerWarning.h"
#include "frmServerWizard.h"
#include "frmServerWizard2.h"
#include "frmServerWizard3.h"
#include "frmServerWizard4.h"
#include "frmServerWizard5.h"
#include "frmServerWizard6.h"
#include "frmServerWizard7.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"
#include "platform/Places.h"
#include "settings/PublicVars.h"

#include <QLineEdit>
#include <QWidget>

#include <limits>
#include <utility>

WizardController::WizardController(QWidget *mainWindow)
    : m_mainWindow(mainWindow) {}

namespace {

const QString kPlace = QStringLiteral("wizard");

// The boxes whose values the server may read otherwise than typed.
using GeneratedLines::Field;
using R = ServerSettingsRecord;
const std::pair<const char *, Field> kWarnedBoxes[] = {
    {"txtName", Field(&R::AdminName)},         {"txtEmail", Field(&R::AdminEmail)},
    {"txtLocation", Field(&R::AdminLocation)}, {"txtWebsite", Field(&R::AdminWebsite)},
    {"txtMaplist", Field(&R::MaplistFile)},    {"txtMOTD", Field(&R::MotdFile)},
    {"txtHostname", Field(&R::Hostname)},      {"txtMaxclients", Field(&R::Maxclients)},
    {"txtFraglimit", Field(&R::Fraglimit)},    {"txtTimelimit", Field(&R::Timelimit)},
    {"txtIniMap", Field(&R::InitialMap)},      {"txtIdle", Field(&R::IdleDetect)},
    {"txtRcon", Field(&R::RconPassword)},
};

} // namespace

WizardController::~WizardController() {
    if (!m_kept.isEmpty())
        Places::store(kPlace, m_kept);
    for (auto &page : m_pages)
        delete page.data();
    delete m_maplistEditor.data();
    delete m_motdEditor.data();
}

void WizardController::discardPages() {
    for (auto &page : m_pages)
        delete page.data();
}

WizardPage &WizardController::page(Page which) {
    if (m_pages[which])
        return *m_pages[which];
    WizardPage *created = nullptr;
    switch (which) {
    case Admin:
        created = new frmServerWizard(*this, m_mainWindow);
        break;
    case GameType:
        created = new frmServerWizard3(*this, m_mainWindow);
        break;
    case Files:
        created = new frmServerWizard2(*this, m_mainWindow);
        break;
    case DMFlags:
        created = new frmServerWizard4(*this, m_mainWindow);
        break;
    case WeaponBans:
        created = new frmServerWizard5(*this, m_mainWindow);
        break;
    case FeatureBans:
        created = new frmServerWizard6(*this, m_mainWindow);
        break;
    case General:
        created = new frmServerWizard7(*this, m_mainWindow);
        break;
    case PageCount:
        Q_UNREACHABLE();
    }
    m_pages[which] = created;
    // The one-line boxes take values of any length (Qt stops at 32767).
    for (QLineEdit *box : created->findChildren<QLineEdit *>())
        box->setMaxLength(std::numeric_limits<int>::max());
    created->Form_Load();
    for (const auto &[name, field] : kWarnedBoxes)
        if (auto *box = created->findChild<QLineEdit *>(QLatin1String(name)))
            AnswerWarning::attach(box, field);
    return *created;
}

frmServerWizard &WizardController::adminPage() {
    return static_cast<frmServerWizard &>(page(Admin));
}
frmServerWizard3 &WizardController::gameTypePage() {
    return static_cast<frmServerWizard3 &>(page(GameType));
}
frmServerWizard2 &WizardController::filesPage() {
    return static_cast<frmServerWizard2 &>(page(Files));
}
frmServerWizard4 &WizardController::dmFlagsPage() {
    return static_cast<frmServerWizard4 &>(page(DMFlags));
}
frmServerWizard5 &WizardController::weaponBanPage() {
    return static_cast<frmServerWizard5 &>(page(WeaponBans));
}
frmServerWizard6 &WizardController::featureBanPage() {
    return static_cast<frmServerWizard6 &>(page(FeatureBans));
}
frmServerWizard7 &WizardController::generalPage() {
    return static_cast<frmServerWizard7 &>(page(General));
}

frmCreateMaplist &WizardController::maplistEditor() {
    if (!m_maplistEditor) {
        m_maplistEditor = new frmCreateMaplist(m_mainWindow);
        // A saved list becomes the files page's answer.
        connect(m_maplistEditor, &frmCreateMaplist::saved, this,
                [this](const QString &title) { filesPage().txtMaplist->setText(title); });
    }
    return *m_maplistEditor;
}

frmCreateMOTD &WizardController::motdEditor() {
    if (!m_motdEditor) {
        m_motdEditor = new frmCreateMOTD(m_mainWindow);
        connect(m_motdEditor, &frmCreateMOTD::saved, this,
                [this](const QString &title) { filesPage().txtMOTD->setText(title); });
    }
    return *m_motdEditor;
}

WizardPage *WizardController::visiblePage() const {
    for (const auto &page : m_pages)
        if (page && page->isVisible())
            return page;
    return nullptr;
}

void WizardController::start() {
    show(Admin);
}

void WizardController::remember(const WizardPage &page) {
    m_place = page.geometry();
    m_kept = page.saveGeometry();
}

// Every page opens where the one before it stood, at its size, or larger
// where its controls need more; the first one where it stood last run.
void WizardController::place(WizardPage &page) {
    if (!m_place.isValid()) {
        if (!m_keptRead) {
            m_keptRead = true;
            m_kept = Places::load(kPlace);
        }
        if (!m_kept.isEmpty())
            page.restoreGeometry(m_kept);
        return;
    }
    page.setGeometry(QRect(m_place.topLeft(), m_place.size().expandedTo(page.sizeHint())));
}

void WizardController::show(Page which) {
    WizardPage &shown = page(which);
    place(shown);
    shown.show();
    shown.raise();
    shown.activateWindow();
}

WizardController::Page WizardController::indexOf(const WizardPage *page) const {
    for (int i = 0; i < PageCount; ++i)
        if (m_pages[i] == page)
            return Page(i);
    Q_UNREACHABLE();
}

void WizardController::next(WizardPage *from) {
    const Page at = indexOf(from);
    from->hide();
    if (at + 1 < PageCount)
        show(Page(at + 1));
}

void WizardController::back(WizardPage *from) {
    const Page at = indexOf(from);
    from->hide();
    PublicVars::Navigating = true;
    if (at > 0)
        show(Page(at - 1));
}

// A Back still pending when the wizard is over would let the next close of
// the main window skip the unsaved-changes prompt.
void WizardController::ended() {
    PublicVars::Navigating = false;
}

bool WizardController::askClose() {
    emit closeAsked();
    return PublicVars::CancelClose == 0;
}

void WizardController::finish() {
    emit finished();
}
