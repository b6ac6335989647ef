#include "frmOutput.h"

#include "DocumentText.h"
#include "FindingsList.h"
#include "ServerFileHighlighter.h"
#include "WholeTextReplacement.h"
#include "about/frmAbout.h"
#include "commandline/frmShortcut.h"
#include "platform/Look.h"
#include "platform/Places.h"
#include "platform/Program.h"
#include "serverwindows/ServerControl.h"
#include "settings/PublicVars.h"
#include "wizard/WizardController.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <utility>

namespace {

const QString kCaption = QStringLiteral("Kestrune - Server Config Tool");
const QString kPlace = QStringLiteral("mainWindow");

} // namespace

frmOutput::frmOutput()
    : m_procedures(*this) {
    setObjectName(QStringLiteral("frmOutput"));
    setWindowTitle(kCaption);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

    QHBoxLayout *row = buildButtons();
    auto *column = new QVBoxLayout(m_client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(row);
    column->addLayout(buildTextArea(), 1);

    setTabOrder(cmdStartConfig, Command1);
    setTabOrder(Command1, txtOutput);
    setTabOrder(txtOutput, cmdCreateShortcut);
    buildMenus();

    m_client->setFixedSize(QSize(Look::twipsToPixelsX(this, 6990), Look::twipsToPixelsY(this, 855))
                               .expandedTo(row->minimumSize()));
    setFixedSize(sizeHint());

    m_server = new ServerControl([this] { m_procedures.SaveServerFile(); }, this);
    connectControls();

    CD0.setAddsExtension(true); // "default" is saved as "default.cfg"

    // Form_Load
    PublicVars::Saved = true;
    PublicVars::LoadedFromFile = false;
}

// The strip of 6990 by 855 twips: each button at least its designed size,
// and wider where the desktop's look needs more for its caption.
QHBoxLayout *frmOutput::buildButtons() {
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

    auto *row = new QHBoxLayout;
    row->setContentsMargins(x(120), y(180), x(120), y(180));
    row->setSpacing(x(120));
    const std::pair<QPushButton *, int> widths[] = {
        {cmdStartConfig, 2520}, {Command1, 1680}, {cmdCreateShortcut, 2310}};
    for (const auto &[button, width] : widths) {
        button->setMinimumSize(QSize(x(width), y(495)).expandedTo(button->sizeHint()));
        row->addWidget(button);
    }
    row->addStretch(1);
    return row;
}

QLayout *frmOutput::buildTextArea() {
    const auto x = [this](int twips) { return Look::twipsToPixelsX(this, twips); };
    const auto y = [this](int twips) { return Look::twipsToPixelsY(this, twips); };

    txtOutput = new QPlainTextEdit;
    txtOutput->setObjectName(QStringLiteral("txtOutput"));
    txtOutput->setAccessibleName(QStringLiteral("Server File"));
    txtOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab walks the window's tab order through the text area, as elsewhere.
    txtOutput->setTabChangesFocus(true);

    // Below the strip: the text over the findings, the user choosing how
    // much each gets. Hidden in the compact window, so that neither Tab nor a
    // screen reader reaches it until the window grows.
    m_splitter = new QSplitter(Qt::Vertical, m_client);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(txtOutput);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->hide();
    auto *textBox = new QVBoxLayout;
    textBox->setContentsMargins(x(120), 0, x(120), y(120));
    textBox->addWidget(m_splitter);
    return textBox;
}

void frmOutput::buildMenus() {
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
}

void frmOutput::connectControls() {
    connect(cmdStartConfig, &QPushButton::clicked, this, &frmOutput::cmdStartConfig_Click);
    connect(Command1, &QPushButton::clicked, this, [this] { m_procedures.SaveServerFile(); });
    connect(cmdCreateShortcut, &QPushButton::clicked, this, &frmOutput::cmdCreateShortcut_Click);
    connect(txtOutput, &QPlainTextEdit::textChanged, this, &frmOutput::txtOutput_Change);
    connect(mnuOpen, &QAction::triggered, this, &frmOutput::mnuOpen_Click);
    connect(mnuImport, &QAction::triggered, this, &frmOutput::mnuImport_Click);
    connect(mnuSave, &QAction::triggered, this, [this] { m_procedures.SaveServerFile(); });
    connect(mnuExit, &QAction::triggered, this, &frmOutput::mnuExit_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmOutput::mnuAbout_Click);
    connect(mnuStartServer, &QAction::triggered, m_server, &ServerControl::startServer);
    connect(mnuStopServer, &QAction::triggered, m_server, &ServerControl::stopServer);
    connect(mnuServerStatus, &QAction::triggered, m_server, &ServerControl::showStatus);
    connect(mnuRemoteConsole, &QAction::triggered, m_server, &ServerControl::showRemoteConsole);
}

frmOutput::~frmOutput() {
    rememberPlace();
}

void frmOutput::enlarge() {
    if (m_grown)
        return; // the size and place are the user's now
    m_grown = true;
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    // The typeface, the colours and the findings are made now, when first seen.
    QFont mono = txtOutput->font();
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
    txtOutput->setFont(mono);
    new ServerFileHighlighter(txtOutput);
    m_findings = new FindingsList(txtOutput);
    m_splitter->addWidget(m_findings);
    m_splitter->setStretchFactor(1, 0);
    setTabOrder(txtOutput, m_findings); // while it is shown
    m_splitter->show();
    m_client->setMinimumSize(Look::twipsToPixels(this, 6990, 855 + 1500)
                                 .expandedTo(m_client->layout()->itemAt(0)->minimumSize()));
    m_client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setFile(QString()); // the title bar now carries the file's name and state
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    if (shown)
        show(); // new window flags hide a window

    const QByteArray kept = Places::load(kPlace);
    if (!kept.isEmpty() && restoreGeometry(kept))
        return;
    // The designed size, inside the screen's available area: moved up or
    // left where it would run off, made smaller where the screen is small.
    const QSize frame = frameGeometry().size() - geometry().size();
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
}

// Only the grown window's place is kept: the compact one has its fixed size.
void frmOutput::rememberPlace() {
    if (m_grown)
        Places::store(kPlace, saveGeometry());
}

void frmOutput::setFile(const QString &path) {
    setWindowFilePath(path);
    setWindowTitle(path.isEmpty()
                       ? kCaption + QLatin1String("[*]")
                       : QFileInfo(path).fileName() + QLatin1String("[*] - ") + kCaption);
    showSaved();
}

// The compact window keeps its plain caption, without the mark.
void frmOutput::showSaved() {
    if (m_grown)
        setWindowModified(!PublicVars::Saved);
}

void frmOutput::replaceServerText(const QString &text) {
    m_settingText = true;
    replaceWholeText(txtOutput->document(), text);
    m_settingText = false;
    // A new text is read from its first line.
    txtOutput->setTextCursor(QTextCursor(txtOutput->document()));
    txtOutput->verticalScrollBar()->setValue(0);
    txtOutput->horizontalScrollBar()->setValue(0);
    m_programText = text;
    textChanged(text);
}

void frmOutput::tell(const QString &news) {
    if (!m_grown)
        return; // the compact window has no status line
    if (news.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(news);
}

void frmOutput::txtOutput_Change() {
    if (m_settingText)
        return;
    // The program's line ends.
    textChanged(documentText(txtOutput->document(), u"\r\n"));
}

void frmOutput::textChanged(const QString &text) {
    Command1->setEnabled(true);
    PublicVars::Saved = false;
    PublicVars::OutputText = text;
    showSaved();
}

void frmOutput::cmdStartConfig_Click() {
    PublicVars::Saved = false;
    showSaved();
    m_procedures.wizard().start();
}

void frmOutput::cmdCreateShortcut_Click() {
    if (!m_shortcut)
        m_shortcut = new frmShortcut(this, m_server);
    m_shortcut->showModal();
}

void frmOutput::mnuOpen_Click() {
    CD0.setFilter(ConfigFilter);
    if (!CD0.showOpen(this))
        return;
    m_procedures.LoadServerFile(CD0.fileName());
}

void frmOutput::mnuImport_Click() {
    CD0.setFilter(ConfigFilter);
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
    rememberPlace();
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
