#include "WizardDriver.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"

#include <QScreen>

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
};

QTEST_MAIN(TestEditorLayouts)
#include "test_editor_layouts.moc"
