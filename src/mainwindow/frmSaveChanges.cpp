#include "frmSaveChanges.h"

#include "Procedures.h"
#include "frmOutput.h"
#include "platform/Look.h"
#include "platform/ModalScript.h"
#include "settings/PublicVars.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmSaveChanges::frmSaveChanges(Procedures &procedures, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_procedures(procedures) {
    setObjectName(QStringLiteral("frmSaveChanges"));
    setWindowTitle(QStringLiteral("Kestrune - Save Changes"));
    setFixedSize(Look::twipsToPixels(this, 6210, 1515));

    auto *image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(Look::emblem(40, image1->devicePixelRatioF()));

    auto *label1 = new QLabel(QStringLiteral("Do you want to save your changes?"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    QFont arial = label1->font();
    arial.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), arial.family()});
    arial.setPointSizeF(arial.pointSizeF() + 2);
    label1->setFont(arial);

    cmdYes = new QPushButton(QStringLiteral("&Yes"), this);
    cmdYes->setObjectName(QStringLiteral("cmdYes"));
    cmdYes->setDefault(true);
    cmdNo = new QPushButton(QStringLiteral("&No"), this);
    cmdNo->setObjectName(QStringLiteral("cmdNo"));
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *question = new QHBoxLayout;
    question->addWidget(image1);
    question->addSpacing(10);
    question->addWidget(label1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *button : {cmdYes, cmdNo, cmdCancel}) {
        button->setMinimumWidth(84);
        buttons->addWidget(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(question);
    layout->addLayout(buttons);

    connect(cmdYes, &QPushButton::clicked, this, &frmSaveChanges::cmdYes_Click);
    connect(cmdNo, &QPushButton::clicked, this, &frmSaveChanges::cmdNo_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSaveChanges::cmdCancel_Click);
}

void frmSaveChanges::ask(QWidget *asker) {
    m_answeredYes = false;
    // Centred on the window that asked, and kept above it.
    if (asker && asker != parentWidget())
        setParent(asker, windowFlags());
    setAttribute(Qt::WA_Moved, false);
    ModalScript::windowShowing(this);
    exec();
}

// Yes composes the text afresh from the answers, keeping the lines written by
// hand, and saves it. When no file was written, nothing may close.
void frmSaveChanges::cmdYes_Click() {
    m_procedures.BuildServerFile();
    m_procedures.SaveServerFile();
    PublicVars::CancelClose = PublicVars::Saved ? 0 : 1;
    m_answeredYes = true;
    done(Accepted);
}

void frmSaveChanges::cmdNo_Click() {
    PublicVars::Saved = true;
    PublicVars::CancelClose = 0;
    done(Accepted);
}

void frmSaveChanges::cmdCancel_Click() {
    PublicVars::CancelClose = 1;
    done(Rejected);
}

void frmSaveChanges::reject() {
    cmdCancel_Click();
}

// The close box answers Cancel: a question left unanswered closes nothing.
void frmSaveChanges::closeEvent(QCloseEvent *event) {
    event->accept();
    cmdCancel_Click();
}
