#include "WizardDriver.h"
#include "about/frmAbout.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>

// Every text of every window shows whole: no caption cut by its control or by
// the window's edge. Run at the normal scale and, by CTest, at scale factors
// of 2 and 1.5.
namespace {

// The controls of a shown window whose text does not fit.
QStringList cutTexts(QWidget *window) {
    QStringList cut;
    const QRect inside = window->rect();
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || w->window() != window)
            continue;
        QSize needed;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->text().isEmpty())
                continue;
            needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                       : label->sizeHint();
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (button->text().isEmpty())
                continue;
            needed = button->minimumSizeHint();
        } else if (auto *frame = qobject_cast<QGroupBox *>(w)) {
            if (frame->title().isEmpty())
                continue;
            needed = QSize(frame->fontMetrics().horizontalAdvance(frame->title()), 0);
        } else {
            continue;
        }
        const QRect where(w->mapTo(window, QPoint(0, 0)), w->size());
        if (w->width() < needed.width() || w->height() < needed.height() || !inside.contains(where))
            cut.append(QStringLiteral("%1 (%2x%3, needs %4x%5)")
                           .arg(w->objectName())
                           .arg(w->width())
                           .arg(w->height())
                           .arg(needed.width())
                           .arg(needed.height()));
    }
    return cut;
}

void expectWhole(QWidget *window) {
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QStringList cut = cutTexts(window);
    QVERIFY2(cut.isEmpty(), qPrintable(window->objectName() + ": " + cut.join(", ")));
    // On a screen of 800 by 600 (the offscreen one at scale 1) every window fits.
    const QSize screen = window->screen()->availableGeometry().size();
    if (screen.width() >= 800 && screen.height() >= 600)
        QVERIFY2(window->frameGeometry().width() <= screen.width() &&
                     window->frameGeometry().height() <= screen.height(),
                 qPrintable(QStringLiteral("%1: %2x%3")
                                .arg(window->objectName())
                                .arg(window->frameGeometry().width())
                                .arg(window->frameGeometry().height())));
}

} // namespace

class TestTextsFit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // A dark Fusion look, as a dark desktop theme gives.
        if (qEnvironmentVariable("KESTRUNE_TEST_LOOK") == QLatin1String("dark")) {
            QApplication::setStyle(QStringLiteral("Fusion"));
            QPalette dark(QColor(53, 53, 53));
            dark.setColor(QPalette::WindowText, Qt::white);
            dark.setColor(QPalette::Text, Qt::white);
            dark.setColor(QPalette::ButtonText, Qt::white);
            dark.setColor(QPalette::Base, QColor(35, 35, 35));
            QApplication::setPalette(dark);
        }
        qInfo("scale %g, logical DPI %g", qApp->primaryScreen()->devicePixelRatio(),
              qApp->primaryScreen()->logicalDotsPerInchX());
    }

    void mainWindowCompactAndEnlarged() {
        GuiFixture f;
        f.main().show();
        expectWhole(&f.main());
        WizardDriver(f).runWithDefaults();
        expectWhole(&f.main());
    }

    void everyWizardPage() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        expectWhole(w.page());
        w.next();
        expectWhole(w.page());
        w.choose("cmbGameType", "Kestrune Extinction");
        w.choose("cmbAmmo", "1 Stingy");
        w.choose("cmbglblWeapon", "Blaster");
        for (int i = 0; i < 5; ++i) {
            w.next();
            expectWhole(w.page());
        }
        // The ban pages as rail-only types show them: the note in the frame's place.
        w.rechooseFromFeatureBans("Kestrune Rail-Only Insta-Gib Teamplay");
        expectWhole(w.page());
        w.next();
        expectWhole(w.page());
    }

    void editorsAndSmallWindows() {
        GuiFixture f;
        WizardController &wizard = f.main().procedures().wizard();
        wizard.maplistEditor().showModal();
        expectWhole(&wizard.maplistEditor());
        wizard.maplistEditor().hide();
        wizard.motdEditor().showModal();
        expectWhole(&wizard.motdEditor());
        wizard.motdEditor().hide();

        GuiFixture::click(f.main().cmdCreateShortcut);
        auto *shortcut = f.main().findChild<QDialog *>(QStringLiteral("frmShortcut"));
        QVERIFY(shortcut);
        expectWhole(shortcut);
        shortcut->close();

        f.main().mnuAbout->trigger();
        auto *about = f.main().findChild<frmAbout *>();
        QVERIFY(about);
        expectWhole(about);
    }

    void unsavedChangesPrompt() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        ModalScript::expectWindow(QStringLiteral("frmSaveChanges"), [](QWidget *prompt) {
            const QStringList cut = cutTexts(prompt);
            if (!cut.isEmpty())
                qCritical("frmSaveChanges: %s", qPrintable(cut.join(", ")));
            GuiFixture::click(GuiFixture::button(prompt, "cmdCancel"));
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(", ")));
        });
        w.cancel();
        QCOMPARE(ModalScript::pendingWindows(), 0);
    }
};

QTEST_MAIN(TestTextsFit)
#include "test_texts_fit.moc"
