#include "frmShortcut.h"

#include "CommandLine.h"
#include "platform/Look.h"
#include "settings/PublicVars.h"

#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

frmShortcut::frmShortcut(QWidget *parent)
    : QDialog(parent) {
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
    cmdDone = button("cmdDone", "Done", this);

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
    grid->addWidget(txtShortCut, 11, 0, 1, 2);
    grid->addWidget(divider(this), 12, 0, 1, 2);
    grid->addWidget(cmdDone, 13, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void frmShortcut::connectControls() {
    connect(Command2, &QPushButton::clicked, this, &frmShortcut::Command2_Click);
    connect(cmdLocateConfig, &QPushButton::clicked, this, &frmShortcut::cmdLocateConfig_Click);
    connect(cmdCreate, &QPushButton::clicked, this, &frmShortcut::cmdCreate_Click);
    connect(cmdDone, &QPushButton::clicked, this, &QWidget::close);
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
    txtShortCut->setText(serverCommandLine(txtQuakeLocation->text(), txtConfigName->text(),
                                           Text1->text(), txtGameFolder->text()));
}
