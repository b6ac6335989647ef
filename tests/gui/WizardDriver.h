#pragma once

#include "GuiTestSupport.h"
#include "maplist/MaplistModel.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"
#include "platform/FileDialog.h"
#include "platform/ModalScript.h"
#include "settings/PublicVars.h"
#include "support/FileBytes.h"
#include "wizard/WizardController.h"
#include "wizard/WizardPage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

// Drives the windows as a user does: the real buttons of the wizard's page
// on screen, and scripts of clicks, keys and typing with what must follow.
class WizardDriver {
public:
    explicit WizardDriver(GuiFixture &fixture, const QString &folder = {})
        : m_f(fixture)
        , m_folder(folder) {}

    // From page 1 to the last page with the first game type, "2 Normal" and
    // "Blaster", nothing else changed.
    static inline const QString kToLastPage =
        QStringLiteral("next; pick cmbGameType=Kestrune DM Free for All (FFA); pick cmbAmmo=2 "
                       "Normal; pick cmbglblWeapon=Blaster; next 5; ?page frmServerWizard7");

    WizardController &wizard() { return m_f.main().procedures().wizard(); }
    WizardPage *page() { return wizard().visiblePage(); }
    QString pageName() { return page() ? page()->objectName() : QString(); }

    void start() { GuiFixture::click(m_f.main().cmdStartConfig); }
    void next() { GuiFixture::click(page()->nextButton()); }
    void back() { GuiFixture::click(page()->backButton()); }
    void cancel() { GuiFixture::click(page()->cancelButton()); }
    void finish() { GuiFixture::click(page()->finishButton()); }
    // From the main window through Finish, as kToLastPage.
    void runWithDefaults() { run("start; " + kToLastPage + "; finish"); }

    template <class T> T *control(const QString &name) {
        return GuiFixture::control<T>(window(m_in.section(u'/', 0, 0)), name);
    }

    // Chooses an entry of a drop-down list by its text, as a user's pick
    // does; an empty text chooses none.
    void choose(const QString &comboName, const QString &text) {
        auto *combo = control<QComboBox>(comboName);
        if (text.isEmpty())
            return combo->setCurrentIndex(-1);
        const int index = combo->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        QVERIFY2(combo->isEnabled(), qPrintable(comboName + " is disabled"));
        combo->setCurrentIndex(index);
        emit combo->activated(index); // what a pick from the open list sends
    }
    void type(const QString &boxName, const QString &text) {
        GuiFixture::type(control<QLineEdit>(boxName), text);
    }

    // The window a script works in: "main", "page" (the wizard's), "maplist",
    // "motd", or a window below the main one by its object name.
    QWidget *window(const QString &name) {
        if (name == u"page")
            return page();
        if (name == u"maplist")
            return &wizard().maplistEditor();
        if (name == u"motd")
            return &wizard().motdEditor();
        return name == u"main" ? &m_f.main() : m_f.main().findChild<QWidget *>(name);
    }
    bool closed() const { return m_closed; }

    // Walks a script of steps separated by "; ", as a user does:
    //   next [N], back [N], start, finish, cancel
    //   in WINDOW[/CONTROL]  later steps work in the window, the control focused
    //   tick BOX, click BUTTON, click LIST=ROW, dclick LIST=ROW, keys KEYS,
    //   type BOX=TEXT, pick LIST=TEXT (an empty TEXT: none)
    //   menu ACTION, close WINDOW (closed() tells whether it went)
    //   answer [FILE]         the next file dialog's answer (none: cancelled);
    //                         relative names are files in the test's folder
    //   prompt BUTTON|KEYS    the next unsaved-changes prompt's answer
    // and checks, awaited where a window answers later:
    //   ?page NAME, ?focus NAME, ?shown WINDOW, ?hidden WINDOW (or gone),
    //   ?text CONTROL=TEXT (a box's or label's text, a list's entries between
    //   "|", a maplist's lines whole, a button's "ticked" or "unticked"),
    //   ?state CONTROL=hidden|shown enabled|disabled,
    //   ?file NAME=BYTES, ?said TEXTS (the message boxes' texts since, between
    //   "|"), ?says PART (one message, with it in), ?has PART, ?lacks PART (in
    //   the server text), ?ends N, ?saved, ?unsaved, ?done (every scripted
    //   answer used)
    void run(const QString &script) {
        for (const QString &step : script.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
            const QString verb = step.section(u' ', 0, 0), rest = step.section(u' ', 1);
            if (verb.startsWith(u'?'))
                check(verb.mid(1), rest);
            else
                act(verb, rest);
            if (QTest::currentTestFailed())
                return qWarning("at \"%s\"", qPrintable(step));
        }
    }

    // A name in the driver's folder, as a script names it.
    QString file(const QString &name) const {
        return name.isEmpty() || QDir::isAbsolutePath(name) ? name : m_folder + u'/' + name;
    }

private:
    void act(const QString &verb, const QString &rest) {
        const QString name = rest.section(u'=', 0, 0), text = rest.section(u'=', 1);
        QWidget *in = window(m_in.section(u'/', 0, 0));
        const int times = rest.isEmpty() ? 1 : rest.toInt();
        if (verb == u"next" || verb == u"back") {
            for (int i = 0; i < times; ++i)
                verb == u"next" ? next() : back();
        } else if (verb == u"start" || verb == u"finish" || verb == u"cancel") {
            verb == u"start" ? start() : verb == u"finish" ? finish() : cancel();
        } else if (verb == u"in") {
            m_in = rest;
            if (rest.contains(u'/'))
                control<QWidget>(rest.section(u'/', 1))->setFocus(Qt::TabFocusReason);
        } else if (verb == u"tick") {
            QCheckBox *b = control<QCheckBox>(rest);
            QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(rest));
            // On the box itself: a click beside its caption does not count.
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
        } else if (verb == u"click" && text.isEmpty()) {
            GuiFixture::click(GuiFixture::button(in, rest));
        } else if (verb == u"click" || verb == u"dclick") {
            auto *list = GuiFixture::control<QAbstractItemView>(in, name);
            list->scrollTo(list->model()->index(text.toInt(), 0));
            GuiFixture::clickRow(list, text.toInt(), verb == u"dclick");
        } else if (verb == u"keys") {
            GuiFixture::press(in, QKeySequence::fromString(rest));
        } else if (verb == u"type") {
            QWidget *box = GuiFixture::control<QWidget>(in, name);
            if (auto *edit = qobject_cast<QLineEdit *>(box))
                GuiFixture::type(edit, text);
            else
                QTest::keyClicks(box, text);
        } else if (verb == u"pick") {
            choose(name, text);
        } else if (verb == u"menu") {
            GuiFixture::control<QAction>(&m_f.main(), rest)->trigger();
        } else if (verb == u"close") {
            m_closed = window(rest)->close();
        } else if (verb == u"answer") {
            FileDialog::scriptAnswer(file(rest));
        } else if (verb == u"prompt" && (rest.startsWith(u"cmd") || rest == u"close")) {
            GuiFixture::answerPrompt(rest);
        } else {
            QVERIFY2(verb == u"prompt", qPrintable(verb));
            ModalScript::expectWindow(QStringLiteral("frmSaveChanges"), [rest](QWidget *prompt) {
                GuiFixture::press(prompt, QKeySequence::fromString(rest));
                QTRY_VERIFY(!prompt->isVisible());
            });
        }
    }

    // What a control shows, as ?text compares it.
    static QString shown(QWidget *c) {
        if (auto *edit = qobject_cast<QLineEdit *>(c))
            return edit->text();
        if (auto *label = qobject_cast<QLabel *>(c))
            return label->text();
        if (auto *combo = qobject_cast<QComboBox *>(c))
            return combo->currentText();
        if (auto *text = qobject_cast<QPlainTextEdit *>(c))
            return text->toPlainText();
        if (auto *list = qobject_cast<QAbstractItemView *>(c)) {
            const bool maplist = qobject_cast<MaplistModel *>(list->model());
            return GuiFixture::entries(list, maplist ? MaplistModel::LineRole : Qt::DisplayRole)
                .join(u'|');
        }
        auto *button = qobject_cast<QAbstractButton *>(c);
        return button && button->isChecked() ? "ticked" : "unticked";
    }

    void check(const QString &verb, const QString &rest) {
        const QString name = rest.section(u'=', 0, 0), text = rest.section(u'=', 1);
        QWidget *in = window(m_in.section(u'/', 0, 0));
        if (verb == u"page") {
            QTRY_COMPARE(pageName(), rest);
        } else if (verb == u"focus") {
            QTRY_COMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                     : QString(),
                         rest);
        } else if (verb == u"shown" || verb == u"hidden") {
            QTRY_COMPARE(window(rest) && window(rest)->isVisible(), verb == u"shown");
        } else if (verb == u"text") {
            QTRY_COMPARE(shown(GuiFixture::control<QWidget>(in, name)), text);
        } else if (verb == u"state") {
            QWidget *c = GuiFixture::control<QWidget>(in, name);
            QCOMPARE(QString(c->isHidden() ? "hidden " : "shown ") +
                         (c->isEnabled() ? "enabled" : "disabled"),
                     text);
        } else if (verb == u"file") {
            QCOMPARE(QString::fromLatin1(FileBytes::contents(file(name))), text);
        } else if (verb == u"said" || verb == u"says") {
            const QStringList said = GuiFixture::messages();
            if (verb == u"said")
                QCOMPARE(said.join(u'|'), rest);
            else
                QVERIFY2(said.size() == 1 && said[0].contains(rest), qPrintable(said.join(u'|')));
        } else if (verb == u"has" || verb == u"lacks") {
            QVERIFY2(PublicVars::OutputText.contains(rest) == (verb == u"has"), qPrintable(rest));
        } else if (verb == u"ends") {
            QCOMPARE(m_f.programEnds(), rest.toInt());
        } else if (verb == u"saved" || verb == u"unsaved") {
            QCOMPARE(PublicVars::Saved, verb == u"saved");
        } else {
            QVERIFY2(verb == u"done", qPrintable(verb));
            QTRY_COMPARE(FileDialog::pendingAnswers(), 0);
            QTRY_COMPARE(ModalScript::pendingWindows(), 0);
        }
    }

    GuiFixture &m_f;
    QString m_folder;
    QString m_in = QStringLiteral("page");
    bool m_closed = false;
};
