#include "GuiTestSupport.h"

class TestWizard : public QObject {
    Q_OBJECT
private slots:
    void startsCompact() {
        GuiFixture f;
        QCOMPARE(f.main().windowTitle(), QStringLiteral("Kestrune - Server Config Tool"));
    }
};

QTEST_MAIN(TestWizard)
#include "test_wizard.moc"
