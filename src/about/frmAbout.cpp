#include "frmAbout.h"

#include "platform/Look.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Kestrune Server Utility"));
    setAttribute(Qt::WA_DeleteOnClose);

    const auto label = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setWordWrap(true);
        return l;
    };
    auto *picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(Look::emblem(64, picIcon->devicePixelRatioF()));
    auto *lblTitle = label("lblTitle", QStringLiteral("Kestrune Server Utility"));
    lblTitle->setFont(Look::arialBlack(lblTitle->font(), 14));
    // Form_Load: the build's one version number, without leading zeros.
    auto *lblVersion = label("lblVersion", QStringLiteral("Version %1.%2.%3")
                                               .arg(KESTRUNE_VERSION_MAJOR)
                                               .arg(KESTRUNE_VERSION_MINOR)
                                               .arg(KESTRUNE_VERSION_PATCH));
    auto *lblDescription =
        label("lblDescription",
              QStringLiteral(
                  "This is the first release of the Kestrune Server Utility; new features "
                  "are being added. Suggestions are welcome at tool@kestrune.example.invalid."));
    auto *label1 = label(
        "Label1",
        QStringLiteral("A bunch of people who have misused their time playing stupid games, "
                       "neglected their families/girlfriends, spent way too much money on "
                       "computers and video card upgrades.  In other words we're people just like "
                       "you!"));
    auto *label2 = label("Label2", QStringLiteral("Kestrune was brought to you by:"));
    label2->setFont(Look::arialBlack(label2->font(), 9));
    auto *label3 = label("Label3", QStringLiteral("The (fictional) Kestrune Team: Ada Rail, "
                                                  "Bo Gib, Cy Frag"));
    auto *label4 = label("Label4", QStringLiteral("Thanks to Dee Config for help with this tool."));
    auto *lblor = label("lblor", QStringLiteral("Visit the official site: "
                                                "http://www.kestrune.example.invalid/"));
    auto *cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 14, 16, 12);
    grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    int row = 2;
    for (QLabel *l : {lblDescription, label1, label2, label3, label4, lblor})
        grid->addWidget(l, row++, 1);
    grid->addWidget(cmdOK, row, 1, Qt::AlignRight);
    grid->setColumnMinimumWidth(1, 380);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
}

void frmAbout::showModal() {
    setModal(true);
    show();
}
