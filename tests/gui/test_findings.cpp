#include "GuiTestSupport.h"
#include "settings/PublicVars.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>

class TestFindings : public QObject {
    Q_OBJECT

private slots:
    // A hand edit that adds a ";" to a generated line makes a finding appear
    // under the text; choosing it puts the cursor on the ";"; taking the edit
    // back hides the list and gives the text area its place again.
    void handEditShowsAFindingThatLeadsToItsLine() {
        GuiFixture f;
        QPlainTextEdit *text = f.main().txtOutput;
        f.main().replaceServerText(QStringLiteral("// by hand\r\nset hostname \"x\"\r\nmap q2dm8"));
        f.main().enlarge();
        f.main().show();
        auto *list = GuiFixture::control<QListWidget>(&f.main(), "lstFindings");
        QVERIFY(!list->accessibleName().isEmpty());
        QCoreApplication::processEvents();
        QVERIFY(list->isHidden());
        const QRect whole = text->geometry();

        QTextCursor cursor(text->document()->findBlockByNumber(1));
        cursor.movePosition(QTextCursor::EndOfBlock);
        text->setTextCursor(cursor);
        QTest::keyClicks(text, ";set cheats 1");
        QTRY_VERIFY(list->isVisible());
        QCOMPARE(list->count(), 1);
        QVERIFY(list->item(0)->text().startsWith(QLatin1String("Line 2 (Host Name): ")));
        QVERIFY(list->item(0)->text().contains(QLatin1String("\"set cheats 1\"")));
        QTRY_VERIFY(text->geometry().height() < whole.height());
        QVERIFY(list->geometry().bottom() <= whole.bottom());
        QVERIFY(!list->geometry().intersects(text->geometry()));
        // A larger window: the list follows the text area's new place.
        f.main().resize(f.main().size() + QSize(80, 60));
        QTRY_COMPARE(list->geometry().width(), text->geometry().width());
        QVERIFY(!list->geometry().intersects(text->geometry()));
        const QRect grown = text->geometry().united(list->geometry());
        QCOMPARE(grown.width(), whole.width() + 80);
        QVERIFY(grown.height() > whole.height());
        // The check changes nothing: the text is as typed.
        QVERIFY(PublicVars::OutputText.contains(QLatin1String("set hostname \"x\";set cheats 1")));

        text->moveCursor(QTextCursor::End);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QCOMPARE(text->textCursor().blockNumber(), 1);
        QCOMPARE(text->textCursor().positionInBlock(), 16); // at the ";"
        QCOMPARE(f.main().focusWidget(), text);

        for (int i = 0; i < 13; ++i)
            QTest::keyClick(text, Qt::Key_Delete);
        QTRY_VERIFY(list->isHidden());
        QTRY_COMPARE(text->geometry(), grown);
    }
};

QTEST_MAIN(TestFindings)
#include "test_findings.moc"
