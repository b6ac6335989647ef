#include "frmShortcut.h"

#include "CommandLine.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "serverwindows/ServerControl.h"
#include "settings/PublicVars.h"

#include <QClipboard>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

QFrame *divider(QWidget *parent) {
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// A label names its box for screen readers.
QLabel *label(const char *name, const char *text, QWidget *box, QWidget *parent) {
    auto *l = new QLabel(QString::fromLatin1(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setBuddy(box);
    return l;
}

QLineEdit *box(const char *name, const QString &text, QWidget *parent) {
    auto *b = new QLineEdit(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QPushButton *button(const char *name, const char *text, QWidget *parent) {
    auto *b = new QPushButton(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmShortcut::frmShortcut(QWidget *parent, ServerControl *server)
    : QDialog(parent)
    , m_server(server) {
    setObjectName(QStringLiteral("frmShortcut"));
    setWindowTitle(QStringLiteral("Kestrune - Shortcut Creator"));
    setAttribute(Qt::WA_DeleteOnClose);

    txtQuakeLocation = box("txtQuakeLocation", QString(), this);
    txtQuakeLocation->setMinimumWidth(360);
    Command2 = button("Command2", "Locate", this);
    txtGameFolder = box("txtGameFolder", QString(), this);
    txtGameFolder->setAccessibleName(QStringLiteral("Game folder of the modification"));
    txtGameFolder->setToolTip(
        QStringLiteral("The folder of the modification, such as kestrune; empty for none"));
    txtConfigName = box("txtConfigName", PublicVars::SaveFileTitle, this); // Form_Load
    cmdLocateConfig = button("cmdLocateConfig", "Locate", this);
    Text1 = box("Text1", QStringLiteral("27910"), this);
    Text1->setMaximumWidth(100);
    cmdCreate = button("cmdCreate", "&Create Command Line", this);
    cmdCreate->setDefault(true);
    txtShortCut = box("txtShortCut", QString(), this);
    cmdCopy = button("cmdCopy", "Co&py", this);
    cmdCopy->setToolTip(QStringLiteral("Copy the command line, to paste it into a shortcut"));
    cmdDone = button("cmdDone", "Done", this);
    cmdStartServer = button("cmdStartServer", "&Start Server", this);
    cmdStartServer->setToolTip(
        QStringLiteral("Runs this program as a dedicated server with the saved server file"));
    cmdStartServer->setVisible(server != nullptr);

    placeControls();
    connectControls();
}

void frmShortcut::placeControls() {
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 14, 16, 12);
    grid->addWidget(label("Label1", "Location of Quake", txtQuakeLocation, this), 0, 0, 1, 2);
    grid->addWidget(txtQuakeLocation, 1, 0);
    grid->addWidget(Command2, 1, 1);
    grid->addWidget(label("lblGameFolder", "&Game folder (optional)", txtGameFolder, this), 2, 0, 1,
                    2);
    grid->addWidget(txtGameFolder, 3, 0);
    grid->addWidget(label("Label2", "Name of config file", txtConfigName, this), 4, 0, 1, 2);
    grid->addWidget(txtConfigName, 5, 0);
    grid->addWidget(cmdLocateConfig, 5, 1);
    grid->addWidget(label("Label3", "Port:", Text1, this), 6, 0, 1, 2);
    grid->addWidget(Text1, 7, 0, Qt::AlignLeft);
    grid->addWidget(divider(this), 8, 0, 1, 2);
    grid->addWidget(cmdCreate, 9, 0, Qt::AlignLeft);
    grid->addWidget(label("Label4", "Command Line:", txtShortCut, this), 10, 0, 1, 2);
    grid->addWidget(txtShortCut, 11, 0);
    grid->addWidget(cmdCopy, 11, 1);
    grid->addWidget(divider(this), 12, 0, 1, 2);
    grid->addWidget(cmdStartServer, 13, 0, Qt::AlignLeft | Qt::AlignBottom);
    grid->addWidget(cmdDone, 13, 1, Qt::AlignBottom);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(13, 1); // a taller window keeps Done at the bottom
}

void frmShortcut::connectControls() {
    connect(Command2, &QPushButton::clicked, this, &frmShortcut::Command2_Click);
    connect(cmdLocateConfig, &QPushButton::clicked, this, &frmShortcut::cmdLocateConfig_Click);
    connect(cmdCreate, &QPushButton::clicked, this, &frmShortcut::cmdCreate_Click);
    connect(cmdCopy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(txtShortCut->text()); });
    connect(cmdDone, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdStartServer, &QPushButton::clicked, this, &frmShortcut::cmdStartServer_Click);
}

void frmShortcut::showModal() {
    setModal(true);
    show();
}

// Neither Locate looks at a cancel: the box takes the name the dialog still reports.
void frmShortcut::Command2_Click() {
    m_dialog.setFilter(executableFilter());
    m_dialog.showOpen(this);
    txtQuakeLocation->setText(QDir::toNativeSeparators(m_dialog.fileName()));
}

void frmShortcut::cmdLocateConfig_Click() {
    m_dialog.setFilter(QStringLiteral("Config Files (*.cfg)|*.cfg|All Files (*.*)|*.*"));
    m_dialog.showOpen(this);
    txtConfigName->setText(m_dialog.fileTitle());
}

void frmShortcut::cmdCreate_Click() {
    const QString problem =
        commandLineProblem(txtQuakeLocation->text(), txtConfigName->text(), txtGameFolder->text());
    if (!problem.isEmpty()) {
        MessageBox::inform(this, problem);
        return;
    }
    txtShortCut->setText(serverCommandLine(txtQuakeLocation->text(), txtConfigName->text(),
                                           Text1->text(), txtGameFolder->text()));
    showWholeLine();
}

// Wider, as far as the screen allows, until the line box shows the whole line.
void frmShortcut::showWholeLine() {
    txtShortCut->setCursorPosition(0);
    const int margins = txtShortCut->width() - txtShortCut->contentsRect().width() +
                        2 * txtShortCut->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8;
    const int missing = txtShortCut->fontMetrics().horizontalAdvance(txtShortCut->text()) +
                        margins - txtShortCut->width();
    if (missing <= 0)
        return;
    const QRect available = screen()->availableGeometry();
    const int extra = frameGeometry().width() - width();
    const int widest = available.width() - extra;
    const int width = qMin(this->width() + missing, widest);
    resize(width, height());
    // Moved left where it would now run off the screen.
    if (frameGeometry().right() > available.right())
        move(qMax(available.left(), available.right() - frameGeometry().width() + 1), y());
}

// The choice is kept for the Server menu's Start; the creator closes once the
// server starts, as its console takes over.
void frmShortcut::cmdStartServer_Click() {
    m_server->setChoice({txtQuakeLocation->text(), txtGameFolder->text(), Text1->text()});
    if (m_server->startServer())
        close();
}
