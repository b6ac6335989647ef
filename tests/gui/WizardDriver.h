#pragma once

#include "GuiTestSupport.h"
#include "platform/FileDialog.h"
#include "platform/ModalScript.h"
#include "wizard/WizardController.h"
#include "wizard/WizardPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

// Walks the wizard as a user does: through the real buttons of the page on screen.
class WizardDriver {
public:
    explicit WizardDriver(GuiFixture &fixture)
        : m_f(fixture) {}

    WizardController &wizard() { return m_f.main().procedures().wizard(); }
    WizardPage *page() { return m_f.visiblePage(); }
    QString pageName() {
        WizardPage *p = page();
        return p ? p->objectName() : QString();
    }

    void start() { GuiFixture::click(m_f.main().cmdStartConfig); }
    void next() { GuiFixture::click(page()->nextButton()); }
    void back() { GuiFixture::click(page()->backButton()); }
    void cancel() { GuiFixture::click(page()->cancelButton()); }
    void finish() { GuiFixture::click(page()->finishButton()); }

    template <class T> T *control(const QString &name) {
        return GuiFixture::control<T>(page(), name);
    }
    QCheckBox *box(const QString &name) { return control<QCheckBox>(name); }

    // Chooses an entry of a drop-down list by its text, as a user's pick does.
    void choose(const QString &comboName, const QString &text) {
        auto *combo = control<QComboBox>(comboName);
        const int index = combo->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        QVERIFY2(combo->isEnabled(), qPrintable(comboName + " is disabled"));
        combo->setCurrentIndex(index);
        emit combo->activated(index); // what a pick from the open list sends
    }
    void tick(const QString &boxName) {
        QCheckBox *b = box(boxName);
        QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(boxName));
        // On the box itself: a click beside its caption does not count.
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }
    void type(const QString &boxName, const QString &text) {
        auto *edit = control<QLineEdit>(boxName);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    // Walks a script of steps separated by "; ": "next" and "back" (each with
    // an optional count), "finish", "tick BOX", "type BOX=TEXT", "pick LIST=TEXT".
    void run(const QString &script) {
        for (const QString &step : script.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
            const QString verb = step.section(u' ', 0, 0);
            const QString rest = step.section(u' ', 1);
            const QString name = rest.section(u'=', 0, 0), text = rest.section(u'=', 1);
            if (verb == QLatin1String("next") || verb == QLatin1String("back")) {
                for (int i = 0; i < (rest.isEmpty() ? 1 : rest.toInt()); ++i)
                    verb == QLatin1String("next") ? next() : back();
            } else if (verb == QLatin1String("finish")) {
                finish();
            } else if (verb == QLatin1String("tick")) {
                tick(rest);
            } else if (verb == QLatin1String("type")) {
                type(name, text);
            } else {
                QVERIFY2(verb == QLatin1String("pick"), qPrintable(step));
                choose(name, text);
            }
        }
    }

    // From the main window to the associated-files page, with the game type
    // given, "1 Stingy" and "Blaster".
    void toFilesPage(const QString &gameType) {
        start();
        next();
        choose("cmbGameType", gameType);
        choose("cmbAmmo", "1 Stingy");
        choose("cmbglblWeapon", "Blaster");
        next();
    }

    // Back from page 6 to the game-type page, another game type, and forward
    // again to the weapon-ban page.
    void rechooseFromFeatureBans(const QString &gameType) {
        for (int i = 0; i < 5; ++i)
            back();
        choose("cmbGameType", gameType);
        for (int i = 0; i < 3; ++i)
            next();
    }

    // From the main window to Finish with the first game type, "2 Normal"
    // and "Blaster", nothing else changed.
    void runWithDefaults() {
        start();
        next();
        choose("cmbGameType", "Kestrune DM Free for All (FFA)");
        choose("cmbAmmo", "2 Normal");
        choose("cmbglblWeapon", "Blaster");
        next();
        next();
        next();
        next();
        next();
        QCOMPARE(pageName(), QStringLiteral("frmServerWizard7"));
        finish();
    }

private:
    GuiFixture &m_f;
};
