#include "frmOutput.h"

#include "FindingsList.h"
#include "ServerFileHighlighter.h"
#include "about/frmAbout.h"
#include "commandline/frmShortcut.h"
#include "platform/Look.h"
#include "platform/Program.h"
#include "serverwindows/ServerControl.h"
#include "settings/PublicVars.h"
#include "wizard/WizardController.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const QString kConfigFilter = QStringLiteral("Config Files (*.cfg)|*.cfg|All Files (*.*)|*.*");

// The area's text with the program's line ends: every paragraph and line
// separator of the document becomes CR LF.
QString documentText(const QTextDocument *document) {
    QString text = document->toRawText();
    QString out;
    out.reserve(text.size() + document->blockCount());
    for (const QChar c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            out += QLatin1StringView("\r\n");
        else
            out += c;
    }
    return out;
}

} // namespace

frmOutput::frmOutput()
    : m_procedures(*this) {
    setObjectName(QStringLiteral("frmOutput"));
    setWindowTitle(QStringLiteral("Kestrune - Server Config Tool"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

    const auto x = [this](int twips) { return Look::twipsToPixelsX(this, twips); };
    const auto y = [this](int twips) { return Look::twipsToPixelsY(this, twips); };

    cmdStartConfig = new QPushButton(QStringLiteral("Start Server-Config &Wizard"), m_client);
    cmdStartConfig->setObjectName(QStringLiteral("cmdStartConfig"));
    cmdStartConfig->setToolTip(QStringLiteral("Click here to start building your server!"));
    cmdStartConfig->setDefault(true);
    Command1 = new QPushButton(QStringLiteral("&Save As..."), m_client);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("Click here to save this server config!"));
    Command1->setEnabled(false);
    cmdCreateShortcut = new QPushButton(QStringLiteral("&Create Command Line"), m_client);
    cmdCreateShortcut->setObjectName(QStringLiteral("cmdCreateShortcut"));
    cmdCreateShortcut->setToolTip(
        QStringLiteral("Click here to create the commands you will need to start your server!"));

    // Three buttons in the compact strip of 6990 by 855 twips.
    cmdStartConfig->setGeometry(x(120), y(180), x(2520), y(495));
    Command1->setGeometry(x(2760), y(180), x(1680), y(495));
    cmdCreateShortcut->setGeometry(x(4560), y(180), x(2310), y(495));

    txtOutput = new QPlainTextEdit(m_client);
    txtOutput->setObjectName(QStringLiteral("txtOutput"));
    txtOutput->setAccessibleName(QStringLiteral("Server File"));
    txtOutput->setGeometry(x(120), y(855), x(8175), y(6375));
    txtOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab walks the window's tab order through the text area, as elsewhere.
    txtOutput->setTabChangesFocus(true);
    QFont mono = txtOutput->font();
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
    txtOutput->setFont(mono);
    new ServerFileHighlighter(txtOutput);
    auto *findings = new FindingsList(txtOutput, m_client); // what the server will do differently

    setTabOrder(cmdStartConfig, Command1);
    setTabOrder(Command1, txtOutput);
    setTabOrder(txtOutput, cmdCreateShortcut);
    setTabOrder(txtOutput, findings); // while it is shown
    // Below the compact window's edge: hidden, so that neither Tab nor a
    // screen reader reaches it until the window grows.
    txtOutput->hide();

    QMenu *mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuOpen = mnuFile->addAction(QStringLiteral("&Open"));
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    mnuOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuImport = mnuFile->addAction(QStringLiteral("&Import..."));
    mnuImport->setObjectName(QStringLiteral("mnuImport"));
    mnuImport->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuSpc"));
    mnuSave = mnuFile->addAction(QStringLiteral("&Save"));
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuspace"));
    // Ctrl+X exits; in a text box the box takes it first, as cut.
    mnuExit = mnuFile->addAction(QStringLiteral("&Exit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    // The server the file is for: run it, watch it, ask and command any server.
    QMenu *mnuServer = menuBar()->addMenu(QStringLiteral("&Server"));
    mnuServer->setObjectName(QStringLiteral("mnuServer"));
    mnuStartServer = mnuServer->addAction(QStringLiteral("&Start Server"));
    mnuStartServer->setObjectName(QStringLiteral("mnuStartServer"));
    mnuStopServer = mnuServer->addAction(QStringLiteral("Sto&p Server"));
    mnuStopServer->setObjectName(QStringLiteral("mnuStopServer"));
    mnuServer->addSeparator();
    mnuServerStatus = mnuServer->addAction(QStringLiteral("Server Stat&us..."));
    mnuServerStatus->setObjectName(QStringLiteral("mnuServerStatus"));
    mnuRemoteConsole = mnuServer->addAction(QStringLiteral("&Remote Console..."));
    mnuRemoteConsole->setObjectName(QStringLiteral("mnuRemoteConsole"));
    mnuAbout = menuBar()->addAction(QStringLiteral("&About"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    m_client->setFixedSize(x(6990), y(855));
    setFixedSize(sizeHint());

    connect(cmdStartConfig, &QPushButton::clicked, this, &frmOutput::cmdStartConfig_Click);
    connect(Command1, &QPushButton::clicked, this, [this] { m_procedures.SaveServerFile(); });
    connect(cmdCreateShortcut, &QPushButton::clicked, this, &frmOutput::cmdCreateShortcut_Click);
    connect(txtOutput, &QPlainTextEdit::textChanged, this, &frmOutput::txtOutput_Change);
    connect(mnuOpen, &QAction::triggered, this, &frmOutput::mnuOpen_Click);
    connect(mnuImport, &QAction::triggered, this, &frmOutput::mnuImport_Click);
    connect(mnuSave, &QAction::triggered, this, [this] { m_procedures.SaveServerFile(); });
    connect(mnuExit, &QAction::triggered, this, &frmOutput::mnuExit_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmOutput::mnuAbout_Click);
    m_server = new ServerControl(m_procedures, this);
    connect(mnuStartServer, &QAction::triggered, m_server, &ServerControl::startServer);
    connect(mnuStopServer, &QAction::triggered, m_server, &ServerControl::stopServer);
    connect(mnuServerStatus, &QAction::triggered, m_server, &ServerControl::showStatus);
    connect(mnuRemoteConsole, &QAction::triggered, m_server, &ServerControl::showRemoteConsole);

    // Form_Load
    PublicVars::Saved = true;
    PublicVars::LoadedFromFile = false;
}

frmOutput::~frmOutput() = default;

void frmOutput::enlarge() {
    const QSize frame = frameGeometry().size() - geometry().size();
    if (!m_grown) {
        m_grown = true;
        statusBar()->setObjectName(QStringLiteral("statusBar"));
        // In sight now: Tab and screen readers reach the text area.
        txtOutput->show();
        m_client->setMinimumSize(Look::twipsToPixels(this, 6990, 855 + 1500));
        m_client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const bool shown = isVisible();
        setWindowFlag(Qt::WindowMaximizeButtonHint, true);
        if (shown)
            show(); // new window flags hide a window
    }
    // The designed size, inside the screen's available area: moved up or
    // left where it would run off, made smaller where the screen is small.
    const QRect available = screen()->availableGeometry();
    QRect outer(frameGeometry().topLeft(), Look::twipsToPixels(this, 8805, 8280));
    outer.setSize(outer.size().boundedTo(available.size()));
    if (outer.right() > available.right())
        outer.moveRight(available.right());
    if (outer.bottom() > available.bottom())
        outer.moveBottom(available.bottom());
    outer.moveTopLeft(
        QPoint(qMax(outer.left(), available.left()), qMax(outer.top(), available.top())));
    resize(outer.size() - frame);
    move(outer.topLeft());
    placeTextArea();
}

// The text area fills the window below the buttons, with the designed margins.
void frmOutput::placeTextArea() {
    const QSize topLeft = Look::twipsToPixels(this, 120, 855);
    const QSize margin = Look::twipsToPixels(this, 120, 120);
    txtOutput->setGeometry(
        QRect(QPoint(topLeft.width(), topLeft.height()), m_client->size() - topLeft - margin));
}

void frmOutput::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    if (m_grown)
        placeTextArea();
}

// The history before the replacement goes: the text it replaced is the one
// step back, and a run of large openings does not pile up their texts.
void frmOutput::replaceServerText(const QString &text) {
    m_settingText = true;
    txtOutput->document()->clearUndoRedoStacks();
    QTextCursor cursor(txtOutput->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    cursor.endEditBlock();
    m_settingText = false;
    m_programText = text;
    textChanged(text);
}

void frmOutput::tell(const QString &news) {
    if (news.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(news);
}

void frmOutput::txtOutput_Change() {
    if (m_settingText)
        return;
    textChanged(documentText(txtOutput->document()));
}

void frmOutput::textChanged(const QString &text) {
    Command1->setEnabled(true);
    PublicVars::Saved = false;
    PublicVars::OutputText = text;
}

void frmOutput::cmdStartConfig_Click() {
    PublicVars::Saved = false;
    m_procedures.wizard().start();
}

void frmOutput::cmdCreateShortcut_Click() {
    if (!m_shortcut)
        m_shortcut = new frmShortcut(this, m_server);
    m_shortcut->showModal();
}

void frmOutput::mnuOpen_Click() {
    CD0.setFilter(kConfigFilter);
    if (!CD0.showOpen(this))
        return;
    m_procedures.LoadServerFile(CD0.fileName());
}

void frmOutput::mnuImport_Click() {
    CD0.setFilter(kConfigFilter);
    if (!CD0.showOpen(this))
        return;
    m_procedures.ImportServerFile(CD0.fileName());
}

void frmOutput::mnuExit_Click() {
    if (!m_server->confirmClose())
        return;
    m_procedures.ConfirmClose();
    if (PublicVars::Saved)
        Program::end();
}

void frmOutput::mnuAbout_Click() {
    (new frmAbout(this))->showModal();
}

// Form_QueryUnload: the program ends when this window has closed.
void frmOutput::closeEvent(QCloseEvent *event) {
    if (!m_server->confirmClose()) {
        event->ignore();
        return;
    }
    m_procedures.ConfirmClose();
    if (PublicVars::CancelClose != 0) {
        event->ignore();
        return;
    }
    event->accept();
    Program::end();
}

// Enter presses the button that has the focus, else the default button.
void frmOutput::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        (focused ? focused : cmdStartConfig)->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
