#pragma once

#include "mainwindow/frmOutput.h"
#include "wizard/WizardPage.h"

#include <QAbstractButton>
#include <QTest>
#include <QWidget>

#include <memory>

// What every GUI test shares: a fresh main window per test with the program's
// state as at start, dialogs and message boxes answered from a script, and
// the end of the program counted instead of carried out.
class GuiFixture {
public:
    GuiFixture();
    ~GuiFixture();

    frmOutput &main() { return *m_main; }
    // The program run again: a new main window, the kept settings as they are.
    void restart();
    int programEnds() const { return m_programEnds; }

    // Clicks a real button the way a user does.
    static void click(QAbstractButton *button);
    // Finds a control of a window by its object name; fails the test when absent.
    template <class T> static T *control(QObject *window, const QString &name) {
        T *found = window->findChild<T *>(name);
        if (!found)
            qFatal("no control %s in %s", qPrintable(name), qPrintable(window->objectName()));
        return found;
    }
    static QAbstractButton *button(QObject *window, const QString &name) {
        return control<QAbstractButton>(window, name);
    }

    // The next unsaved-changes prompt is answered with this button
    // ("cmdYes", "cmdNo", "cmdCancel"), or closed by its close box ("close").
    static void answerPrompt(const QString &button);

    // The wizard page on screen, or nullptr.
    WizardPage *visiblePage();

private:
    std::unique_ptr<frmOutput> m_main;
    int m_programEnds = 0;
};
