#include "frmServerWizard7.h"

#include "CheckBoxArray.h"
#include "WizardController.h"
#include "platform/CheckBoxSignal.h"
#include "settings/FirstAnswers.h"
#include "settings/PublicVars.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QCheckBox *checkBox(const char *name, const char *caption, QWidget *parent) {
    auto *box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// A label beside its box, whose name it is for screen readers.
QLabel *label(const char *name, const char *caption, QWidget *box) {
    auto *l = new QLabel(QString::fromLatin1(caption), box->parentWidget());
    l->setObjectName(QString::fromLatin1(name));
    l->setBuddy(box);
    return l;
}

QLineEdit *textBox(const char *name, const char *initial, QWidget *parent) {
    auto *box = new QLineEdit(QString::fromLatin1(initial), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

const QString HighScorerOn = highScorerLine(u"1");
const QString HighScorerOff = highScorerLine(u"0");

int ticked(const QCheckBox *box) {
    return checkValue(box) == 1 ? 1 : 0;
}

} // namespace

frmServerWizard7::frmServerWizard7(WizardController &wizard, QWidget *parent)
    : WizardPage(wizard, QStringLiteral("frmServerWizard7"),
                 QStringLiteral("Just one last set of questions..."), Buttons::LastPage, parent) {
    QLayout *left = buildLeftColumn();
    QLayout *right = buildRightColumn();
    auto *columns = new QHBoxLayout;
    columns->setSpacing(16);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    body()->addLayout(columns);

    setTabOrders();
    connect(cpublic, checkBoxStateChanged, this, &frmServerWizard7::cpublic_Click);
    connect(callowdl, checkBoxStateChanged, this, &frmServerWizard7::callowdl_Click);
}

// The general settings frame, the idle time and the rcon password.
QLayout *frmServerWizard7::buildLeftColumn() {
    QGroupBox *frame4 = buildGeneralFrame();
    txtIdle = textBox("txtIdle", FirstAnswers::IdleDetect, this);
    txtIdle->setToolTip(QStringLiteral("Set this to 0 if you don't want an Idle timeout!"));
    txtRcon = textBox("txtRcon", "", this);
    auto *other = new QGridLayout;
    other->addWidget(label("Idle", "Max Idle Time:", txtIdle), 0, 0);
    other->addWidget(txtIdle, 0, 1);
    other->addWidget(label("Label8", "Rcon Password", txtRcon), 1, 0);
    other->addWidget(txtRcon, 1, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(frame4);
    left->addLayout(other);
    left->addStretch(1);
    return left;
}

QGroupBox *frmServerWizard7::buildGeneralFrame() {
    auto *frame4 = new QGroupBox(QStringLiteral("General Server Settings"), this);
    frame4->setObjectName(QStringLiteral("Frame4"));
    auto *general = new QGridLayout(frame4);
    txtHostname = textBox("txtHostname", FirstAnswers::Hostname, frame4);
    txtHostname->setToolTip(QStringLiteral(
        "This is the name that will show up on the web, and in things like gamespy"));
    txtHostname->setMinimumWidth(220);
    txtMaxclients = textBox("txtMaxclients", FirstAnswers::Maxclients, frame4);
    txtFraglimit = textBox("txtFraglimit", FirstAnswers::Fraglimit, frame4);
    txtTimelimit = textBox("txtTimelimit", FirstAnswers::Timelimit, frame4);
    txtIniMap = textBox("txtIniMap", FirstAnswers::InitialMap, frame4);
    txtIniMap->setToolTip(
        QStringLiteral("This is the map the server will load every time you start it."));
    general->addWidget(label("Label6", "Host Name", txtHostname), 0, 0);
    general->addWidget(txtHostname, 0, 1, 1, 3);
    general->addWidget(label("Label5", "Max Clients", txtMaxclients), 1, 0);
    general->addWidget(txtMaxclients, 1, 1);
    general->addWidget(label("Label3", "Frag Limit", txtFraglimit), 1, 2);
    general->addWidget(txtFraglimit, 1, 3);
    general->addWidget(label("Label4", "Time Limit", txtTimelimit), 2, 0);
    general->addWidget(txtTimelimit, 2, 1);
    general->addWidget(label("Label9", "Initial Map", txtIniMap), 2, 2);
    general->addWidget(txtIniMap, 2, 3);
    return frame4;
}

// Public reporting, the client downloads and the high scorer.
QLayout *frmServerWizard7::buildRightColumn() {
    cpublic = checkBox("cpublic", "Set Public?", this);
    txtMasterServers = new QPlainTextEdit(QString::fromLatin1(FirstAnswers::MasterServers), this);
    txtMasterServers->setObjectName(QStringLiteral("txtMasterServers"));
    txtMasterServers->setTabChangesFocus(true);
    txtMasterServers->setEnabled(false);
    txtMasterServers->setFixedHeight(64);

    QGroupBox *frame2 = buildDownloadsFrame();

    cHighScorer = checkBox("cHighScorer", "Enable High Scorer", this);
    cHighScorer->setToolTip(
        QStringLiteral("Click this to enable/disable the \"Glowing Player\" feature."));

    auto *right = new QVBoxLayout;
    right->addWidget(cpublic);
    right->addWidget(label("Label7", "List of servers to report to", txtMasterServers));
    right->addWidget(txtMasterServers);
    right->addWidget(frame2);
    right->addWidget(cHighScorer);
    right->addStretch(1);
    return right;
}

QGroupBox *frmServerWizard7::buildDownloadsFrame() {
    auto *frame2 = new QGroupBox(QStringLiteral("Client Downloads"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto *downloads = new QGridLayout(frame2);
    callowdl = checkBox("callowdl", "Allow Download", frame2);
    cplayersdl = checkBox("cplayersdl", "Players", frame2);
    cmodelsdl = checkBox("cmodelsdl", "Models", frame2);
    csoundsdl = checkBox("csoundsdl", "Sounds", frame2);
    cmapsdl = checkBox("cmapsdl", "Maps", frame2);
    downloads->addWidget(callowdl, 0, 0, 1, 2);
    downloads->addWidget(cplayersdl, 1, 0);
    downloads->addWidget(cmodelsdl, 1, 1);
    downloads->addWidget(csoundsdl, 2, 0);
    downloads->addWidget(cmapsdl, 2, 1);
    for (QCheckBox *box : {cplayersdl, cmodelsdl, csoundsdl, cmapsdl})
        box->setEnabled(false);
    return frame2;
}

void frmServerWizard7::setTabOrders() {
    const QList<QWidget *> tabOrder{txtHostname,  txtMaxclients,    txtFraglimit,   txtTimelimit,
                                    txtIniMap,    txtRcon,          cpublic,        txtIdle,
                                    callowdl,     cplayersdl,       cmodelsdl,      csoundsdl,
                                    cmapsdl,      cancelButton(),   finishButton(), backButton(),
                                    nextButton(), txtMasterServers, cHighScorer};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void frmServerWizard7::Form_Load() {
    if (!PublicVars::LoadedFromFile)
        return;
    const ServerSettingsRecord &s = PublicVars::ServerSettings;
    txtHostname->setText(s.Hostname);
    txtFraglimit->setText(s.Fraglimit);
    txtIdle->setText(s.IdleDetect);
    txtIniMap->setText(s.InitialMap);
    txtMasterServers->setPlainText(s.MasterServers);
    txtMaxclients->setText(s.Maxclients);
    txtRcon->setText(s.RconPassword);
    txtTimelimit->setText(s.Timelimit);
    // Every tick of the file comes back, so that Finish writes the file again:
    // a download box stays ticked (and disabled) without "Allow Download".
    callowdl->setChecked(s.AllowDownload.is(1)); // enables the four boxes below
    cplayersdl->setChecked(s.AllowDownloadPlayers.is(1));
    cmodelsdl->setChecked(s.AllowDownloadModels.is(1));
    csoundsdl->setChecked(s.AllowDownloadSounds.is(1));
    cmapsdl->setChecked(s.AllowDownloadMaps.is(1));
    cpublic->setChecked(s.PublicServer.is(1)); // enables the master-server list
    cHighScorer->setChecked(s.HighScorerLine == HighScorerOn);
}

void frmServerWizard7::cpublic_Click() {
    txtMasterServers->setEnabled(checkValue(cpublic) == 1);
}

void frmServerWizard7::callowdl_Click() {
    const bool allowed = checkValue(callowdl) == 1;
    for (QCheckBox *box : {cplayersdl, cmodelsdl, csoundsdl, cmapsdl})
        box->setEnabled(allowed);
}

void frmServerWizard7::copyInto(ServerSettingsRecord &s) const {
    s.PublicServer = ticked(cpublic);
    s.HighScorerLine = ticked(cHighScorer) ? HighScorerOn : HighScorerOff;
    s.MasterServers = txtMasterServers->toPlainText();
    s.Hostname = txtHostname->text();
    s.RconPassword = txtRcon->text();
    s.Fraglimit = txtFraglimit->text();
    s.Timelimit = txtTimelimit->text();
    s.Maxclients = txtMaxclients->text();
    s.IdleDetect = txtIdle->text();
    s.InitialMap = txtIniMap->text();
    s.AllowDownload = ticked(callowdl);
    s.AllowDownloadMaps =
        SettingNumber::fromText(ticked(cmapsdl) ? QStringLiteral("1") : QStringLiteral("0"));
    s.AllowDownloadModels = ticked(cmodelsdl);
    s.AllowDownloadPlayers = ticked(cplayersdl);
    s.AllowDownloadSounds = ticked(csoundsdl);
}

void frmServerWizard7::cmdFinish_Click() {
    wizard().finish();
    hide();
    wizard().ended();
}
