#include "WizardPage.h"

#include "WizardController.h"
#include "platform/Look.h"
#include "settings/PublicVars.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

QLabel *headingLabel(const QString &objectName, const QString &text, qreal pointSize,
                     QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setFont(Look::arialBlack(label->font(), pointSize));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

WizardPage::WizardPage(WizardController &wizard, const QString &objectName, const QString &subtitle,
                       Buttons buttons, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_wizard(wizard) {
    setObjectName(objectName);
    setWindowTitle(QStringLiteral("Kestrune - Server Wizard"));
    setAttribute(Qt::WA_DeleteOnClose); // a close that goes through destroys the page
    setModal(true);

    QLayout *header = buildHeader(subtitle);
    m_body = new QVBoxLayout;
    m_body->setSpacing(10);
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    QLayout *buttonRow = buildButtons(objectName, buttons);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 14, 16, 12);
    outer->addLayout(header);
    outer->addSpacing(6);
    outer->addLayout(m_body, 1);
    outer->addSpacing(6);
    outer->addWidget(line);
    outer->addLayout(buttonRow);
    // At least the size its controls need; it grows as the user makes it.
    outer->setSizeConstraint(QLayout::SetMinimumSize);

    connectButtons();
}

void WizardPage::connectButtons() {
    connect(m_cancel, &QPushButton::clicked, this, &WizardPage::Cancel_Click);
    connect(m_back, &QPushButton::clicked, this, &WizardPage::cmdBack_Click);
    connect(m_next, &QPushButton::clicked, this, &WizardPage::cmdNext_Click);
    connect(m_finish, &QPushButton::clicked, this, &WizardPage::cmdFinish_Click);
}

// The heading and subtitle beside the emblem.
QLayout *WizardPage::buildHeader(const QString &subtitle) {
    auto *picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(Look::emblem(56, picIcon->devicePixelRatioF()));
    picIcon->setFixedSize(60, 60);
    picIcon->setAlignment(Qt::AlignCenter);

    auto *label1 =
        headingLabel(QStringLiteral("Label1"), QStringLiteral("Kestrune Server Wizard"), 16, this);
    // "&&" in the subtitle shows one ampersand, as in every caption.
    auto *label2 =
        headingLabel(QStringLiteral("Label2"), QString(subtitle).replace("&&", "&"), 11, this);
    label2->setWordWrap(false);

    auto *titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(label1);
    titles->addWidget(label2);
    auto *header = new QHBoxLayout;
    header->addWidget(picIcon);
    header->addSpacing(8);
    header->addLayout(titles, 1);
    return header;
}

// Cancel, Back, Next and Finish, enabled as the page's place in the sequence allows.
QLayout *WizardPage::buildButtons(const QString &objectName, Buttons buttons) {
    const bool firstThree = objectName == QLatin1String("frmServerWizard") ||
                            objectName == QLatin1String("frmServerWizard2") ||
                            objectName == QLatin1String("frmServerWizard3");
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(firstThree ? QStringLiteral("Command1") : QStringLiteral("cmdCancel"));
    m_back = new QPushButton(QStringLiteral("<<  &Back"), this);
    m_back->setObjectName(QStringLiteral("cmdBack"));
    m_next = new QPushButton(QStringLiteral("&Next  >>"), this);
    m_next->setObjectName(QStringLiteral("cmdNext"));
    m_finish = new QPushButton(QStringLiteral("&Finish"), this);
    m_finish->setObjectName(QStringLiteral("cmdFinish"));

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    for (QPushButton *button : {m_cancel, m_back, m_next, m_finish}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(96);
        buttonRow->addWidget(button);
    }

    m_back->setEnabled(buttons != Buttons::FirstPage);
    m_next->setEnabled(buttons != Buttons::LastPage);
    m_finish->setEnabled(buttons == Buttons::LastPage);
    (buttons == Buttons::LastPage ? m_finish : m_next)->setDefault(true);
    return buttonRow;
}

void WizardPage::cmdNext_Click() {
    if (storeAnswers())
        m_wizard.next(this);
}

void WizardPage::cmdBack_Click() {
    m_wizard.back(this);
}

void WizardPage::Cancel_Click() {
    if (m_wizard.askClose()) {
        hide();
        m_wizard.ended();
    }
}

void WizardPage::reject() {
    Cancel_Click();
}

// Form_QueryUnload: the close box asks first; a close that goes through
// destroys the page.
void WizardPage::closeEvent(QCloseEvent *event) {
    if (!m_wizard.askClose()) {
        event->ignore();
        return;
    }
    event->accept();
    m_wizard.ended();
}

// Controls shown later (the ban frames, a warning) get the room they ask for.
bool WizardPage::event(QEvent *event) {
    const bool done = QDialog::event(event);
    if (event->type() == QEvent::LayoutRequest && isVisible()) {
        const QSize wanted = size().expandedTo(sizeHint());
        if (wanted != size())
            resize(wanted);
    }
    return done;
}

void WizardPage::hideEvent(QHideEvent *event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        m_wizard.remember(*this);
}

void WizardPage::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // The first page of a run with no place to take: in the screen's middle.
    if (const QScreen *screen = this->screen(); screen && !testAttribute(Qt::WA_Moved)) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    (m_next->isEnabled() ? m_next : m_finish)->setFocus();
    Form_Activate();
}
