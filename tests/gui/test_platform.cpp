#include "GuiTestSupport.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/ModalScript.h"

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void init() { ModalScript::setScripted(true); }

    void filtersBecomeThePlatformsForm() {
        QCOMPARE(FileDialog::nameFilters(
                     QStringLiteral("Config Files (*.cfg)|*.cfg|All Files (*.*)|*.*")),
                 QStringList({"Config Files (*.cfg)", "All Files (*)"}));
        QCOMPARE(FileDialog::nameFilters(QStringLiteral("Text Files (*.txt)|*.txt")),
                 QStringList({"Text Files (*.txt)"}));
    }

    // A dialog remembers the file chosen last, also after a cancel.
    void dialogRemembersTheLastFile() {
        FileDialog dialog;
        dialog.setFilter(QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
        FileDialog::takeShowings();
        FileDialog::scriptAnswer(QString());
        QVERIFY(!dialog.showOpen(nullptr));
        QCOMPARE(dialog.fileName(), QString());
        QCOMPARE(dialog.fileTitle(), QString());

        FileDialog::scriptAnswer(QStringLiteral("/tmp/some folder/maps.txt"));
        QVERIFY(dialog.showSave(nullptr));
        QCOMPARE(dialog.fileName(), QStringLiteral("/tmp/some folder/maps.txt"));
        QCOMPARE(dialog.fileTitle(), QStringLiteral("maps.txt"));

        FileDialog::scriptAnswer(QString());
        QVERIFY(!dialog.showOpen(nullptr));
        QCOMPARE(dialog.fileTitle(), QStringLiteral("maps.txt"));

        const auto showings = FileDialog::takeShowings();
        QCOMPARE(showings.size(), 3);
        QVERIFY(showings[1].save);
        QCOMPARE(showings[2].startName, QStringLiteral("/tmp/some folder/maps.txt"));
        QCOMPARE(showings[0].filter,
                 QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
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
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
