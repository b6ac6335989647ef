#include "frmServerStatus.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QLabel *valueLabel(QWidget *parent, const char *name) {
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    // A server's names are shown as the text they are, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QTreeWidget *table(QWidget *parent, const char *name, const QStringList &headers) {
    auto *tree = new QTreeWidget(parent);
    tree->setObjectName(QString::fromLatin1(name));
    tree->setRootIsDecorated(false);
    tree->setHeaderLabels(headers);
    tree->header()->setStretchLastSection(true);
    return tree;
}

// Ports are 1 to 65535; anything else is no port.
quint16 portOf(const QString &text) {
    bool ok = false;
    const uint port = text.trimmed().toUInt(&ok);
    return ok && port > 0 && port < 65536 ? quint16(port) : 0;
}

} // namespace

frmServerStatus::frmServerStatus(QWidget *parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmServerStatus"));
    setWindowTitle(QStringLiteral("Kestrune - Server Status"));

    chkLocal = new QCheckBox(QStringLiteral("&Local server"), this);
    chkLocal->setObjectName(QStringLiteral("chkLocal"));
    txtAddress = new QLineEdit(QStringLiteral("127.0.0.1"), this);
    txtAddress->setObjectName(QStringLiteral("txtAddress"));
    txtPort = new QLineEdit(m_localPort, this);
    txtPort->setObjectName(QStringLiteral("txtPort"));
    txtPort->setMaximumWidth(90);
    cmdRefresh = new QPushButton(QStringLiteral("&Refresh"), this);
    cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    cmdRefresh->setDefault(true);
    lblHostname = valueLabel(this, "lblHostname");
    lblMap = valueLabel(this, "lblMap");
    lblGame = valueLabel(this, "lblGame");
    lblPlayers = valueLabel(this, "lblPlayers");
    lblAnswer = valueLabel(this, "lblAnswer");
    lblAnswer->setWordWrap(true);
    lstPlayers = table(this, "lstPlayers",
                       {QStringLiteral("Name"), QStringLiteral("Frags"), QStringLiteral("Ping")});
    lstPlayers->setAccessibleName(QStringLiteral("Players"));
    lstInfo = table(this, "lstInfo", {QStringLiteral("Key"), QStringLiteral("Value")});
    lstInfo->setAccessibleName(QStringLiteral("Server info"));

    auto *form = new QFormLayout;
    const auto row = [&](const char *text, QWidget *field) {
        auto *label = new QLabel(QString::fromLatin1(text), this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    auto *addressRow = new QHBoxLayout;
    addressRow->addWidget(txtAddress, 1);
    auto *lblPort = new QLabel(QStringLiteral("&Port:"), this);
    lblPort->setBuddy(txtPort);
    addressRow->addWidget(lblPort);
    addressRow->addWidget(txtPort);
    addressRow->addWidget(cmdRefresh);
    auto *addressLabel = new QLabel(QStringLiteral("&Address:"), this);
    addressLabel->setBuddy(txtAddress);
    form->addRow(QString(), chkLocal);
    form->addRow(addressLabel, addressRow);
    row("Host name:", lblHostname);
    row("Map:", lblMap);
    row("Game:", lblGame);
    row("Players:", lblPlayers);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblAnswer);
    layout->addWidget(lstPlayers, 1);
    layout->addWidget(lstInfo, 2);
    resize(520, 560);

    connectControls();
}

void frmServerStatus::connectControls() {
    m_refresh.setInterval(RefreshMs);
    connect(&m_refresh, &QTimer::timeout, this, &frmServerStatus::refresh);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmServerStatus::refresh);
    connect(txtAddress, &QLineEdit::returnPressed, this, &frmServerStatus::refresh);
    connect(txtPort, &QLineEdit::returnPressed, this, &frmServerStatus::refresh);
    connect(chkLocal, &QCheckBox::toggled, this, &frmServerStatus::localToggled);
    connect(&m_query, &ServerQuery::statusAnswered, this, &frmServerStatus::answered);
    connect(&m_query, &ServerQuery::failed, this, &frmServerStatus::failed);
}

void frmServerStatus::setLocalPort(const QString &port) {
    m_localPort = port;
    if (chkLocal->isChecked())
        txtPort->setText(port);
}

void frmServerStatus::localToggled() {
    const bool local = chkLocal->isChecked();
    if (local) {
        txtAddress->setText(QStringLiteral("127.0.0.1"));
        txtPort->setText(m_localPort);
    }
    txtAddress->setEnabled(!local);
    txtPort->setEnabled(!local);
    refresh();
}

void frmServerStatus::refresh() {
    const quint16 port = portOf(txtPort->text());
    if (port == 0) {
        failed(QStringLiteral("The port must be a number from 1 to 65535."));
        return;
    }
    lblAnswer->setText(QStringLiteral("Asking %1 port %2...").arg(txtAddress->text()).arg(port));
    m_query.askStatus(txtAddress->text(), port);
}

void frmServerStatus::answered(const StatusReply &reply) {
    lblHostname->setText(reply.hostname());
    lblMap->setText(reply.map());
    lblGame->setText(reply.game());
    lblPlayers->setText(
        QStringLiteral("%1 of %2").arg(reply.players.size()).arg(reply.maxClients()));
    lblAnswer->setText(reply.truncated ? QStringLiteral("The answer was cut short or too long; "
                                                        "what it held is shown.")
                                       : QStringLiteral("Answered."));
    lstPlayers->clear();
    for (const StatusPlayer &p : reply.players)
        new QTreeWidgetItem(lstPlayers,
                            {p.name, QString::number(p.frags), QString::number(p.ping)});
    lstInfo->clear();
    for (const auto &[key, value] : reply.info)
        new QTreeWidgetItem(lstInfo, {key, value});
}

void frmServerStatus::failed(const QString &message) {
    lblAnswer->setText(message);
}

void frmServerStatus::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    m_refresh.start();
    refresh();
}

void frmServerStatus::hideEvent(QHideEvent *event) {
    m_refresh.stop();
    m_query.cancel();
    QWidget::hideEvent(event);
}
