#include "BanPage.h"

#include "MaskValueLabel.h"
#include "settings/PublicVars.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

BanPage::BanPage(WizardController &wizard, const Design &design, QWidget *parent)
    : WizardPage(wizard, QString::fromLatin1(design.windowName),
                 QString::fromLatin1(design.subtitle), Buttons::MiddlePage, parent)
    , m_captionPrefix(QString::fromLatin1(design.frameCaptionPrefix))
    , m_field(design.field) {
    m_frame = new QGroupBox(this);
    m_frame->setObjectName(QString::fromLatin1(design.frameName));
    auto *grid = new QGridLayout(m_frame);
    grid->setHorizontalSpacing(24);
    m_boxes = std::make_unique<CheckBoxArray>(QString::fromLatin1(design.arrayName),
                                              design.captions, m_frame, grid, 3);
    m_value = new MaskValueLabel(*m_boxes, QString::fromLatin1(design.settingName), m_frame);
    grid->addWidget(m_value, grid->rowCount(), 0, 1, grid->columnCount());

    lblImportant = headingLabel(
        QStringLiteral("lblImportant"),
        QStringLiteral("*Important*  For Insta-Gib rail-only configurations all weapons and items "
                       "other than the rail and grapple are automatically banned to provide the "
                       "ultimate in zero lag gaming."),
        11, this);
    lblImportant->setStyleSheet(QStringLiteral("color: #c00000;"));
    lblImportant->setAlignment(Qt::AlignCenter);
    lblImportant->hide();

    // The red note stands where the frame would be.
    auto *overlay = new QGridLayout;
    overlay->addWidget(m_frame, 0, 0);
    overlay->addWidget(lblImportant, 0, 0);
    body()->addLayout(overlay);

    body()->addWidget(headingLabel(
        QStringLiteral("Label7"),
        QStringLiteral("Note:  Some features are automatically banned when you choose certain "
                       "game types.   For example; Instagib: Bans all weapons and items, except "
                       "for the rail and the grapple."),
        8, this));

    // The page keeps the size of its frame, whether the frame or the note shows.
    setMinimumWidth(sizeHint().width());
    lblImportant->setMinimumHeight(m_frame->sizeHint().height());
}

BanPage::~BanPage() = default;

void BanPage::showBans(bool shown) {
    m_frame->setEnabled(shown);
    m_frame->setVisible(shown);
    lblImportant->setVisible(!shown);
}

// An opened file's bans come back as ticks.
void BanPage::Form_Load() {
    if (!PublicVars::LoadedFromFile)
        return;
    m_boxes->restore(PublicVars::ServerSettings.*m_field);
    m_value->refresh();
}

void BanPage::Form_Activate() {
    m_frame->setTitle(m_captionPrefix + PublicVars::ServerSettings.GameTypeName);
}

void BanPage::storeMask() {
    PublicVars::ServerSettings.*m_field = m_boxes->mask();
}

bool BanPage::storeAnswers() {
    storeMask();
    return true;
}
