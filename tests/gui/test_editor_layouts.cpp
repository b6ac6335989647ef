#include "GuiTestSupport.h"
#include "mainwindow/Procedures.h"
#include "mainwindow/frmOutput.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"
#include "wizard/WizardController.h"

#include <QAbstractItemView>
#include <QPlainTextEdit>
#include <QScreen>

// The two editors on a screen of 800 by 600: they open whole on it, and grow
// with the window, their lists and text taking the room.
class TestEditorLayouts : public QObject {
    Q_OBJECT

private slots:
    void editorsFitAndGrow_data() {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("grower"); // the control that takes the room
        QTest::newRow("maplist") << "frmCreateMaplist"
                                 << "lstMaps";
        QTest::newRow("motd") << "frmCreateMOTD"
                              << "txtMOTD";
    }

    void editorsFitAndGrow() {
        QFETCH(QString, editor);
        QFETCH(QString, grower);
        GuiFixture f;
        WizardController &wizard = f.main().procedures().wizard();
        QDialog *window = nullptr;
        if (editor == u"frmCreateMaplist") {
            wizard.maplistEditor().showModal();
            window = &wizard.maplistEditor();
        } else {
            wizard.motdEditor().showModal();
            window = &wizard.motdEditor();
        }
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QSize screen = window->screen()->availableGeometry().size();
        const QSize outside = window->frameGeometry().size();
        QVERIFY2(outside.width() <= screen.width() && outside.height() <= screen.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(outside.width()).arg(outside.height())));
        auto *control = GuiFixture::control<QWidget>(window, grower);
        const QSize before = control->size();
        window->resize(window->size() + QSize(100, 80));
        QTRY_VERIFY_WITH_TIMEOUT(
            control->width() > before.width() && control->height() > before.height(), 5000);
        // Never smaller than its least size, which its controls keep.
        window->resize(0, 0);
        QVERIFY(!window->minimumSize().isEmpty());
        QCOMPARE(window->size(), window->minimumSize());
        QCOMPARE(control->size().expandedTo(control->minimumSize()), control->size());
        window->hide();
    }
};

QTEST_MAIN(TestEditorLayouts)
#include "test_editor_layouts.moc"
