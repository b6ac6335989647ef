#include "GuiTestSupport.h"
#include "platform/FileDialog.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "platform/ModalScript.h"
#include "platform/Program.h"

#include <QApplication>
#include <QIcon>
#include <QImage>

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void init() { ModalScript::setScripted(true); }

    // Filters take the platform's form; a dialog starts at the file chosen
    // last, also after a cancel; message boxes carry the program's title.
    void dialogs() {
        QCOMPARE(FileDialog::nameFilters(
                     QStringLiteral("Config Files (*.cfg)|*.cfg|All Files (*.*)|*.*")),
                 QStringList({"Config Files (*.cfg)", "All Files (*)"}));
        FileDialog dialog;
        FileDialog::takeShowings();
        const QString chosen = QStringLiteral("/tmp/some folder/maps.txt");
        for (const QString &answer : {chosen, QString()}) {
            FileDialog::scriptAnswer(answer);
            QCOMPARE(dialog.showSave(nullptr), !answer.isEmpty());
        }
        QCOMPARE(dialog.fileTitle(), QStringLiteral("maps.txt"));
        QCOMPARE(FileDialog::takeShowings().value(1).startName, chosen);
        MessageBox::takeShown();
        MessageBox::inform(nullptr, QStringLiteral("Hello"));
        QCOMPARE(MessageBox::takeShown().value(0).title, QStringLiteral("Kestrune Server Tool"));
    }

    // The emblem is drawn at exactly the size asked for, with more pixels on
    // a scaled screen: a red field, transparent corners. It is every window's icon.
    void emblem() {
        QCOMPARE(Look::emblem(40, 1.5).size(), QSize(60, 60));
        const QImage image = Look::emblem(64).toImage();
        QCOMPARE(qAlpha(image.pixel(0, 0)) + qAlpha(image.pixel(63, 0)), 0);
        const QColor field = image.pixelColor(32, 50); // below the K
        QVERIFY2(field.red() > 80 && field.green() < 40 && field.blue() < 40,
                 qPrintable(field.name()));
        Program::setUp();
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(KESTRUNE_APP_ID));
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Kestrune Server Tool"));
        QWidget window;
        QVERIFY(window.windowIcon().availableSizes().contains(QSize(16, 16)));
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
