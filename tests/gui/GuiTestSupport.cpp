#include "GuiTestSupport.h"

#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/ModalScript.h"
#include "platform/Program.h"
#include "settings/PublicVars.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

GuiFixture::GuiFixture() {
    // The offscreen platform says so for every window it cannot raise or
    // resize; that is no news in a test run.
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (previous && !text.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, text);
        });
    // The windows' places are kept in a folder of the run's own, never in the
    // user's settings, and every test starts without any.
    static QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QDir(settings.path()).removeRecursively();
    QDir().mkpath(settings.path());
    ModalScript::setScripted(true);
    MessageBox::takeShown();
    FileDialog::clearScript();
    PublicVars::resetAll();
    Program::setEndHandler([this] { ++m_programEnds; });
    restart();
}

void GuiFixture::restart() {
    m_main.reset();
    PublicVars::resetAll();
    m_main = std::make_unique<frmOutput>();
    m_main->show();
    if (!QTest::qWaitForWindowExposed(m_main.get()))
        qFatal("main window not exposed");
}

GuiFixture::~GuiFixture() {
    m_main.reset();
    Program::setEndHandler({});
}

void GuiFixture::click(QAbstractButton *button) {
    QVERIFY2(button->isVisible(), qPrintable(button->objectName() + " is not visible"));
    QVERIFY2(button->isEnabled(), qPrintable(button->objectName() + " is disabled"));
    QTest::mouseClick(button, Qt::LeftButton);
}

void GuiFixture::press(QWidget *window, const QKeySequence &keys) {
    if (!QApplication::activePopupWidget()) {
        window->activateWindow();
        if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }))
            qFatal("%s did not become active", qPrintable(window->objectName()));
    }
    for (int i = 0; i < keys.count(); ++i) {
        QWidget *target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        QTest::keyClick(target, Qt::Key(keys[i].key()), keys[i].keyboardModifiers());
    }
}

void GuiFixture::type(QLineEdit *edit, const QString &text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QStringList GuiFixture::entries(QAbstractItemView *list, int role) {
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts.append(list->model()->index(row, 0).data(role).toString());
    return texts;
}

void GuiFixture::clickRow(QAbstractItemView *list, int row, bool twice) {
    const QPoint centre = list->visualRect(list->model()->index(row, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

QStringList GuiFixture::messages() {
    QStringList texts;
    for (const auto &shown : MessageBox::takeShown())
        texts.append(shown.text);
    return texts;
}

void GuiFixture::answerPrompt(const QString &button) {
    ModalScript::expectWindow(QStringLiteral("frmSaveChanges"), [button](QWidget *prompt) {
        if (button == QLatin1String("close"))
            prompt->close();
        else
            click(GuiFixture::button(prompt, button));
    });
}
