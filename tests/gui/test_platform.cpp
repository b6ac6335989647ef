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

    // Filters take the platform's form; a dialog remembers the file chosen
    // last, also after a cancel.
    void fileDialog() {
        QCOMPARE(FileDialog::nameFilters(
                     QStringLiteral("Config Files (*.cfg)|*.cfg|All Files (*.*)|*.*")),
                 QStringList({"Config Files (*.cfg)", "All Files (*)"}));
        FileDialog dialog;
        dialog.setFilter(QStringLiteral("Text Files (*.txt)|*.txt"));
        FileDialog::takeShowings();
        const QString chosen = QStringLiteral("/tmp/some folder/maps.txt");
        for (const QString &answer : {QString(), chosen, QString()}) {
            FileDialog::scriptAnswer(answer);
            QCOMPARE(answer.isEmpty() ? dialog.showOpen(nullptr) : dialog.showSave(nullptr),
                     !answer.isEmpty());
        }
        QCOMPARE(dialog.fileName(), chosen);
        QCOMPARE(dialog.fileTitle(), QStringLiteral("maps.txt"));
        const auto showings = FileDialog::takeShowings();
        QCOMPARE(showings.size(), 3);
        QVERIFY(!showings[0].save && showings[1].save);
        QCOMPARE(showings[0].startName, QString());
        QCOMPARE(showings[2].startName, chosen);
        QCOMPARE(showings[0].filter, QStringLiteral("Text Files (*.txt)|*.txt"));
    }

    void messageBoxesAreRecordedWithTheProgramsTitle() {
        MessageBox::takeShown();
        MessageBox::inform(nullptr, QStringLiteral("Hello"));
        MessageBox::scriptAnswer(MessageBox::Answer::Cancel);
        QCOMPARE(MessageBox::askOkCancel(nullptr, QStringLiteral("Sure?"), QStringLiteral("T")),
                 MessageBox::Answer::Cancel);
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].title, QStringLiteral("Kestrune Server Tool"));
        QCOMPARE(shown[0].text, QStringLiteral("Hello"));
        QVERIFY(!shown[0].withCancel);
        QCOMPARE(shown[1].title, QStringLiteral("T"));
        QVERIFY(shown[1].withCancel);
    }

    // The emblem comes from the stored sizes at exactly the size asked for,
    // with more pixels on a scaled screen: the shield's red field, the K's
    // cream stem, transparent corners. It is every window's icon.
    void emblem() {
        const struct {
            int side;
            qreal ratio;
            int pixels;
        } sizes[] = {{16, 1, 16}, {64, 1, 64}, {300, 1, 300}, {56, 2, 112}, {40, 1.5, 60}};
        for (const auto &size : sizes) {
            const QPixmap pixmap = Look::emblem(size.side, size.ratio);
            QCOMPARE(pixmap.size(), QSize(size.pixels, size.pixels));
            QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(size.side, size.side));
        }
        const QImage image = Look::emblem(64).toImage();
        QCOMPARE(qAlpha(image.pixel(0, 0)) + qAlpha(image.pixel(63, 0)), 0);
        const QColor stem = image.pixelColor(20, 30); // (80, 120) of the 256-unit drawing
        QVERIFY2(stem.red() > 220 && stem.green() > 200 && stem.blue() > 150,
                 qPrintable(stem.name()));
        const QColor field = image.pixelColor(32, 50); // below the K
        QVERIFY2(field.red() > 80 && field.green() < 40 && field.blue() < 40,
                 qPrintable(field.name()));

        const QIcon icon = Look::windowIcon();
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QCOMPARE(icon.pixmap(QSize(16, 16)).size(), QSize(16, 16));
        Program::setUp();
        QCOMPARE(QApplication::windowIcon().availableSizes(), icon.availableSizes());
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(KESTRUNE_APP_ID));
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Kestrune Server Tool"));
        QWidget window;
        QCOMPARE(window.windowIcon().availableSizes(), icon.availableSizes());
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
