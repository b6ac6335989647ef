#include "WizardDriver.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"

#include <QHeaderView>
#include <QScreen>
#include <QTreeView>

// The two editors on a screen of 800 by 600: they open whole on it, and grow
// with the window, their lists and text taking the room.
class TestEditorLayouts : public QObject {
    Q_OBJECT

private slots:
    void editorsFitAndGrow() {
        GuiFixture f;
        WizardController &wizard = f.main().procedures().wizard();
        const std::pair<QDialog *, const char *> editors[] = {{&wizard.maplistEditor(), "lstMaps"},
                                                              {&wizard.motdEditor(), "txtMOTD"}};
        for (auto [window, grower] : editors) {
            if (auto *maplist = dynamic_cast<frmCreateMaplist *>(window))
                maplist->showModal();
            else
                dynamic_cast<frmCreateMOTD *>(window)->showModal();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            const QSize screen = window->screen()->availableGeometry().size();
            QVERIFY(screen.expandedTo(window->frameGeometry().size()) == screen);
            auto *control = GuiFixture::control<QWidget>(window, grower);
            const QSize before = control->size();
            window->resize(window->size() + QSize(100, 80));
            QTRY_VERIFY(control->width() > before.width() && control->height() > before.height());
            // Never smaller than its least size, which its controls keep.
            window->resize(0, 0);
            QVERIFY(!window->minimumSize().isEmpty());
            QCOMPARE(window->size(), window->minimumSize());
            QCOMPARE(control->size().expandedTo(control->minimumSize()), control->size());
            window->hide();
        }
    }

    // The maplist's lines under headings, a field in each column; odd lines
    // as they stand, the line itself kept whole.
    void maplistColumns() {
        const std::pair<QString, QStringList> rows[] = {
            {"q2dm8 0 15 3 19", {"q2dm8", "0", "15", "3 Generous", "19 Ultra Railgun"}},
            {"q2dm1 0 15", {"q2dm1", "0", "15", "", ""}},
            {"a  15", {"a", "", "15", "", ""}},
            {"b 1 2 9 7 x", {"b", "1", "2", "9", "7 x"}}};
        GuiFixture f;
        frmCreateMaplist &editor = f.main().procedures().wizard().maplistEditor();
        editor.showModal();
        auto *list = GuiFixture::control<QTreeView>(&editor, "lstMaps");
        auto *maps = qobject_cast<MaplistModel *>(list->model());
        QVERIFY(list->header()->isVisible());
        QStringList headings, lines;
        for (int column = 0; column < maps->columnCount(); ++column)
            headings << maps->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(headings, QStringList({"Map", "Min", "Max", "Ammo", "Weapon"}));
        for (const auto &[line, shown] : rows) {
            maps->append(line);
            lines << line;
            QStringList cells;
            for (int column = 0; column < maps->columnCount(); ++column) {
                const QModelIndex cell = maps->index(maps->rowCount() - 1, column);
                cells << cell.data().toString();
                QVERIFY(list->visualRect(cell).height() > 0);
            }
            QCOMPARE(cells, shown);
        }
        QCOMPARE(maps->lines(), lines);
        editor.hide();
    }
};

QTEST_MAIN(TestEditorLayouts)
#include "test_editor_layouts.moc"
