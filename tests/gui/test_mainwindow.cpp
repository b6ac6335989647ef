#include "GuiTestSupport.h"

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startsCompact() {
        GuiFixture f;
        QCOMPARE(f.main().windowTitle(), QStringLiteral("Kestrune - Server Config Tool"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
