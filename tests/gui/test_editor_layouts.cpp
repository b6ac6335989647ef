#include "GuiTestSupport.h"
#include "mainwindow/Procedures.h"
#include "mainwindow/frmOutput.h"
#include "maplist/MaplistModel.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"
#include "wizard/WizardController.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTreeView>

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

    // The maplist's lines under headings, a field in each column; odd lines
    // as they stand, the line itself kept whole.
    void maplistColumns_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("overrides")
            << "q2dm8 0 15 3 19"
            << QStringList{"q2dm8", "0", "15", "3 Generous", "19 Ultra Railgun"};
        QTest::newRow("none") << "q2dm1 0 15" << QStringList{"q2dm1", "0", "15", "", ""};
        QTest::newRow("empty bound") << "a  15" << QStringList{"a", "", "15", "", ""};
        QTest::newRow("odd codes") << "b 1 2 9 7 x" << QStringList{"b", "1", "2", "9", "7 x"};
    }

    void maplistColumns() {
        QFETCH(QString, line);
        QFETCH(QStringList, shown);
        GuiFixture f;
        frmCreateMaplist &editor = f.main().procedures().wizard().maplistEditor();
        editor.showModal();
        auto *list = GuiFixture::control<QTreeView>(&editor, "lstMaps");
        auto *maps = qobject_cast<MaplistModel *>(list->model());
        maps->append(line);
        QVERIFY(list->header()->isVisible());
        QStringList headings, cells;
        for (int column = 0; column < maps->columnCount(); ++column) {
            headings << maps->headerData(column, Qt::Horizontal).toString();
            cells << maps->index(0, column).data().toString();
            QVERIFY(list->visualRect(maps->index(0, column)).height() > 0);
        }
        QCOMPARE(headings, QStringList({"Map", "Min", "Max", "Ammo", "Weapon"}));
        QCOMPARE(cells, shown);
        QCOMPARE(maps->lines(), QStringList{line});
        editor.hide();
    }
};

QTEST_MAIN(TestEditorLayouts)
#include "test_editor_layouts.moc"
