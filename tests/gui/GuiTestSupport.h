#pragma once

#include "mainwindow/frmOutput.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLineEdit>
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

    // Keys go where a user's would: to the open menu, or to the focused
    // control of the window, made active first.
    static void press(QWidget *window, const QKeySequence &keys);
    // Replaces what a box holds by typing.
    static void type(QLineEdit *edit, const QString &text);
    // What a list shows, or another role of its entries (Qt::ToolTipRole...).
    static QStringList entries(QAbstractItemView *list, int role = Qt::DisplayRole);
    static void clickRow(QAbstractItemView *list, int row, bool twice = false);
    // The texts of the message boxes shown since the last call.
    static QStringList messages();

    // The next unsaved-changes prompt is answered with this button
    // ("cmdYes", "cmdNo", "cmdCancel"), or closed by its close box ("close").
    static void answerPrompt(const QString &button);

private:
    std::unique_ptr<frmOutput> m_main;
    int m_programEnds = 0;
};
