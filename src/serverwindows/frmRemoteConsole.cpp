#include "frmRemoteConsole.h"

#include "DifferencesView.h"
#include "settings/PublicVars.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmRemoteConsole::frmRemoteConsole(QWidget *parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmRemoteConsole"));
    setWindowTitle(QStringLiteral("Kestrune - Remote Console"));

    const auto box = [this](const char *name, const QString &text) {
        auto *b = new QLineEdit(text, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    txtAddress = box("txtAddress", QStringLiteral("127.0.0.1"));
    txtPort = box("txtPort", QStringLiteral("27910"));
    txtPassword = box("txtPassword", QString());
    txtPassword->setEchoMode(QLineEdit::Password);
    txtCommand = box("txtCommand", QStringLiteral("status"));
    cmdSend = new QPushButton(QStringLiteral("&Send"), this);
    cmdSend->setObjectName(QStringLiteral("cmdSend"));
    cmdSend->setDefault(true);
    cmdCompare = new QPushButton(QStringLiteral("C&ompare with File"), this);
    cmdCompare->setObjectName(QStringLiteral("cmdCompare"));
    auto *lblClearText = new QLabel(
        QStringLiteral("The remote console sends the password in clear text: anyone who can "
                       "watch the network between here and the server can read it."),
        this);
    lblClearText->setObjectName(QStringLiteral("lblClearText"));
    lblClearText->setWordWrap(true);
    lblAnswer = new QLabel(this);
    lblAnswer->setObjectName(QStringLiteral("lblAnswer"));
    lblAnswer->setTextFormat(Qt::PlainText);
    lblAnswer->setWordWrap(true);
    txtReply = new QPlainTextEdit(this);
    txtReply->setObjectName(QStringLiteral("txtReply"));
    txtReply->setAccessibleName(QStringLiteral("Server's answers"));
    txtReply->setReadOnly(true);
    txtReply->setMaximumBlockCount(10000);
    txtReply->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lstDifferences = new DifferencesView(this);
    lstDifferences->hide();

    QLayout *form = buildForm(lblClearText);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblAnswer);
    layout->addWidget(txtReply, 2);
    layout->addWidget(lstDifferences, 1);
    resize(640, 520);

    connectControls();
}

// The address, port, password and command, each with its label.
QLayout *frmRemoteConsole::buildForm(QLabel *lblClearText) {
    auto *form = new QFormLayout;
    const auto row = [&](const char *text, QWidget *field) {
        auto *label = new QLabel(QString::fromLatin1(text), this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row("&Address:", txtAddress);
    row("&Port:", txtPort);
    row("Pass&word:", txtPassword);
    form->addRow(QString(), lblClearText);
    auto *commandRow = new QHBoxLayout;
    commandRow->addWidget(txtCommand, 1);
    commandRow->addWidget(cmdSend);
    commandRow->addWidget(cmdCompare);
    auto *lblCommand = new QLabel(QStringLiteral("Co&mmand:"), this);
    lblCommand->setBuddy(txtCommand);
    form->addRow(lblCommand, commandRow);
    return form;
}

void frmRemoteConsole::connectControls() {
    connect(cmdSend, &QPushButton::clicked, this, &frmRemoteConsole::cmdSend_Click);
    connect(txtCommand, &QLineEdit::returnPressed, this, &frmRemoteConsole::cmdSend_Click);
    connect(cmdCompare, &QPushButton::clicked, this, &frmRemoteConsole::cmdCompare_Click);
    connect(&m_query, &ServerQuery::rconAnswered, this, [this](const QString &text) {
        lblAnswer->setText(QStringLiteral("Answered."));
        txtReply->appendPlainText(text.endsWith(u'\n') ? text.chopped(1) : text);
    });
    connect(&m_query, &ServerQuery::rconRefused, this, [this](const QString &text) {
        lblAnswer->setText(QStringLiteral("The server refused the password: ") + text);
    });
    connect(&m_query, &ServerQuery::failed, lblAnswer, &QLabel::setText);
    connect(&m_comparer, &ServerComparer::compared, this,
            [this](const QList<ServerComparison::Difference> &differences, int asked) {
                lblAnswer->setText(ServerComparison::summary(differences, asked));
                lstDifferences->showDifferences(differences);
                lstDifferences->setVisible(!differences.isEmpty());
            });
    connect(&m_comparer, &ServerComparer::failed, lblAnswer, &QLabel::setText);
}

void frmRemoteConsole::prefill(const QString &port, const QString &password) {
    txtPort->setText(port);
    txtPassword->setText(password);
}

quint16 frmRemoteConsole::port() {
    bool ok = false;
    const uint value = txtPort->text().trimmed().toUInt(&ok);
    if (!ok || value == 0 || value > 65535) {
        lblAnswer->setText(QStringLiteral("The port must be a number from 1 to 65535."));
        return 0;
    }
    return quint16(value);
}

void frmRemoteConsole::cmdSend_Click() {
    if (const quint16 p = port()) {
        lblAnswer->setText(QStringLiteral("Asking..."));
        txtReply->appendPlainText(QStringLiteral("] ") + txtCommand->text());
        m_query.askRcon(txtAddress->text(), p, txtPassword->text(), txtCommand->text());
    }
}

void frmRemoteConsole::cmdCompare_Click() {
    if (const quint16 p = port()) {
        lblAnswer->setText(QStringLiteral("Comparing..."));
        m_comparer.compareRemote(PublicVars::OutputText, txtAddress->text(), p,
                                 txtPassword->text());
    }
}
