#include "GuiTestSupport.h"
#include "mainwindow/ServerFileHighlighter.h"
#include "serverfile/ServerFileComposer.h"
#include "settings/PublicVars.h"
#include "support/ExpectedFiles.h"
#include "support/FileBytes.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>

using FileBytes::contents;
using FileBytes::put;

namespace {

// The colour the text area gives the character at `column` of line `line`;
// an invalid colour where the character is plain.
QColor colourAt(const QPlainTextEdit *edit, int line, int column) {
    const QTextBlock block = edit->document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (column >= range.start && column < range.start + range.length)
            return range.format.foreground().color();
    }
    return QColor();
}

// Scrolls the line to the top of the text area, which colours it at once.
void scrollTo(const QPlainTextEdit *edit, int line) {
    edit->verticalScrollBar()->setValue(line);
}

// "// Begin admin ident section.", the first comment after the raw-code block.
constexpr int kFirstComment = 28;

// Brings the first comment into view and gives its colour.
QColor firstCommentColour(const QPlainTextEdit *edit) {
    scrollTo(edit, 20);
    return colourAt(edit, kFirstComment, 0);
}

bool coloured(const QPlainTextEdit *edit, int line) {
    return !edit->document()->findBlockByNumber(line).layout()->formats().isEmpty();
}

int lineOf(const QPlainTextEdit *edit, const QString &text) {
    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next()) {
        if (b.text() == text)
            return b.blockNumber();
    }
    return -1;
}

} // namespace

class TestHighlighting : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // A file the program wrote, with quotes, slashes and a semicolon in its
    // values, and hand-written lines after it.
    QByteArray serverFile(int extraLines = 0) {
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.Hostname = QStringLiteral("Rex's \"Best\" // server; really");
        QByteArray bytes = composeServerFile(s, QStringLiteral("T")).toLatin1();
        bytes += "\r\nset maxrate 8000; map q2dm2   // by hand";
        for (int i = 0; i < extraLines; ++i)
            bytes += "\r\nset v" + QByteArray::number(i) + " \"" + QByteArray::number(i) + "\"";
        return bytes;
    }

    void open(GuiFixture &f, const QByteArray &bytes) {
        const QString path = m_dir.filePath(QStringLiteral("open.cfg"));
        put(path, bytes);
        FileDialog::scriptAnswer(path);
        f.main().mnuOpen->trigger();
        QCOMPARE(PublicVars::OutputText, QString::fromLatin1(bytes));
        QTRY_VERIFY(coloured(f.main().txtOutput, 0));
    }

private slots:
    // The parts of the file each get their colour: the raw-code block one,
    // comments another, and a command, its variable, its values and its
    // quoted strings their own.
    void partsOfTheFileInTheirColours() {
        GuiFixture f;
        open(f, serverFile());
        const QPlainTextEdit *edit = f.main().txtOutput;
        const QColor rawCode = colourAt(edit, 0, 0);
        QVERIFY(rawCode.isValid());
        scrollTo(edit, 20);
        QCOMPARE(colourAt(edit, 25, 2), rawCode); // //[map]
        QCOMPARE(colourAt(edit, 26, 0), rawCode); // // End of Raw-Code
        QCOMPARE(colourAt(edit, 26, 17), rawCode);
        QVERIFY(!colourAt(edit, 27, 0).isValid());               // the empty line
        const QColor comment = colourAt(edit, kFirstComment, 0); // // Begin admin ident section.
        const int hostname =
            lineOf(edit, QStringLiteral("set hostname \"Rex's \"Best\" // server; really\""));
        QVERIFY(hostname > kFirstComment);
        scrollTo(edit, hostname - 10);
        QVERIFY(coloured(edit, hostname));
        const QColor command = colourAt(edit, hostname, 0);
        const QColor variable = colourAt(edit, hostname, 4);
        const QColor string = colourAt(edit, hostname, 13);
        QVERIFY(!colourAt(edit, hostname, 3).isValid()); // the blank
        // The quoted word ends at its second quote: what follows is plain
        // words, and "//" in the middle of the line starts a comment.
        QCOMPARE(colourAt(edit, hostname, 19), string);
        QCOMPARE(colourAt(edit, hostname, 27), comment);
        const int dmflags = lineOf(edit, QStringLiteral("set dmflags 0"));
        scrollTo(edit, dmflags);
        QVERIFY(coloured(edit, dmflags));
        const QColor value = colourAt(edit, dmflags, 12);
        const QList<QColor> all{rawCode, comment, command, variable, value, string};
        for (int i = 0; i < all.size(); ++i) {
            QVERIFY2(all[i].isValid(), qPrintable(QString::number(i)));
            for (int j = i + 1; j < all.size(); ++j)
                QVERIFY2(all[i] != all[j], qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
        }
        // After a semicolon a new command begins; the trailing comment is one.
        const int byHand = lineOf(edit, QStringLiteral("set maxrate 8000; map q2dm2   // by hand"));
        scrollTo(edit, byHand);
        QVERIFY(coloured(edit, byHand));
        QCOMPARE(colourAt(edit, byHand, 18), command);
        QCOMPARE(colourAt(edit, byHand, 22), value);
        QCOMPARE(colourAt(edit, byHand, 30), comment);

        // On a dark base the colours change to light ones, and back.
        const QColor onLight = firstCommentColour(edit);
        QPalette dark = edit->palette();
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, Qt::white);
        const_cast<QPlainTextEdit *>(edit)->setPalette(dark);
        QTRY_VERIFY(colourAt(edit, kFirstComment, 0) != onLight);
        QVERIFY(colourAt(edit, kFirstComment, 0).lightness() > 128);
        QVERIFY(colourAt(edit, 0, 0).lightness() > 100);
        const_cast<QPlainTextEdit *>(edit)->setPalette(QPalette());
        QTRY_COMPARE(colourAt(edit, kFirstComment, 0), onLight);
    }

    // Colouring touches neither the text nor its saved state: after scrolling
    // through the whole file and changing the palette, the file saves byte
    // for byte as it was opened. A line too long to read is left plain; the
    // lines after it are not.
    void textStaysByteIdentical() {
        GuiFixture f;
        const QByteArray bytes = serverFile(2000) + "\r\nset long \"" +
                                 QByteArray(ServerFileHighlighter::kLongestColouredLine, 'x') +
                                 "\"\r\nmap q2dm1\r\n";
        open(f, bytes);
        frmOutput &m = f.main();
        FileDialog::scriptAnswer(m_dir.filePath(QStringLiteral("first.cfg")));
        m.mnuSave->trigger();
        const int undoSteps = m.txtOutput->document()->availableUndoSteps(); // the opening's
        m.txtOutput->document()->setModified(false);
        QScrollBar *scroll = m.txtOutput->verticalScrollBar();
        for (int value = 0; value <= scroll->maximum(); value += 20) {
            scroll->setValue(value);
            QCoreApplication::processEvents();
        }
        scroll->setValue(scroll->maximum());
        QPalette dark = m.txtOutput->palette();
        dark.setColor(QPalette::Base, Qt::black);
        m.txtOutput->setPalette(dark);
        QCoreApplication::processEvents();
        const int last = m.txtOutput->document()->blockCount() - 2; // "map q2dm1"
        QTRY_VERIFY(coloured(m.txtOutput, last));
        QVERIFY(!coloured(m.txtOutput, last - 1));

        QVERIFY(PublicVars::Saved);
        QCOMPARE(m.txtOutput->document()->availableUndoSteps(), undoSteps);
        QVERIFY(!m.txtOutput->document()->isModified());
        QCOMPARE(PublicVars::OutputText, QString::fromLatin1(bytes));
        const QString saved = m_dir.filePath(QStringLiteral("saved.cfg"));
        FileDialog::scriptAnswer(saved);
        m.mnuSave->trigger();
        QCOMPARE(contents(saved), bytes);
    }

    // Only the lines in view are coloured, and lines get their colours when
    // they come into view, with the block's end worked out from the top.
    void colouredAsTheyComeIntoView() {
        GuiFixture f;
        open(f, serverFile(3000));
        const QPlainTextEdit *edit = f.main().txtOutput;
        const int last = edit->document()->blockCount() - 1;
        QVERIFY(!coloured(edit, last));
        QVERIFY(!coloured(edit, last / 2));
        scrollTo(edit, last);
        QVERIFY(coloured(edit, last));
        QVERIFY(!coloured(edit, last / 2));
        QCOMPARE(edit->document()->findBlockByNumber(last).text(),
                 QStringLiteral("set v2999 \"2999\""));
        const QColor rawCode = colourAt(edit, 0, 0);
        QVERIFY(colourAt(edit, last, 0) != rawCode);
        QVERIFY(colourAt(edit, last, 4) != colourAt(edit, last, 0));
    }

    // Typing colours what is typed, and a change to the raw-code block's end
    // line recolours the lines below it; the edit still counts as a change.
    void typingRecolours() {
        GuiFixture f;
        open(f, serverFile());
        frmOutput &m = f.main();
        QPlainTextEdit *edit = m.txtOutput;
        const QColor rawCode = colourAt(edit, 0, 0);
        const QColor comment = firstCommentColour(edit);
        FileDialog::scriptAnswer(m_dir.filePath(QStringLiteral("first.cfg")));
        m.mnuSave->trigger();
        QVERIFY(PublicVars::Saved);

        edit->setFocus();
        QTextCursor cursor(edit->document()->findBlockByNumber(kFirstComment));
        edit->setTextCursor(cursor);
        QTest::keyClicks(edit, "set x \"y\"");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->document()->findBlockByNumber(kFirstComment).text(),
                 QStringLiteral("set x \"y\""));
        QTRY_VERIFY(colourAt(edit, kFirstComment, 6).isValid());
        const QColor command = colourAt(edit, kFirstComment, 0);
        QVERIFY(command.isValid() && command != comment && command != rawCode);
        QVERIFY(colourAt(edit, kFirstComment, 4) != command);
        QVERIFY(colourAt(edit, kFirstComment, 6) != command);
        QCOMPARE(colourAt(edit, 29, 0), comment);
        QVERIFY(!PublicVars::Saved);
        QVERIFY(
            PublicVars::OutputText.contains(QLatin1String("\r\nset x \"y\"\r\n// Begin admin")));

        // A blank after "// End of Raw-Code" makes it an ordinary comment, so
        // the block runs on through the following lines.
        edit->setTextCursor(QTextCursor(edit->document()->findBlockByNumber(26)));
        edit->moveCursor(QTextCursor::EndOfBlock);
        QTest::keyClick(edit, Qt::Key_Space);
        QTRY_COMPARE(colourAt(edit, kFirstComment, 0), rawCode);
        QCOMPARE(colourAt(edit, 29, 0), rawCode);
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(colourAt(edit, kFirstComment, 0), command);
        QCOMPARE(colourAt(edit, 29, 0), comment);
        QCOMPARE(colourAt(edit, 26, 0), rawCode);
    }

    // Shift+Enter breaks a line inside the text area's line; saved, it is
    // two lines, and each is coloured as a line of its own.
    void lineSeparatorsSplitLines() {
        GuiFixture f;
        open(f, serverFile());
        QPlainTextEdit *edit = f.main().txtOutput;
        const QColor comment = firstCommentColour(edit);
        edit->setFocus();
        edit->setTextCursor(QTextCursor(edit->document()->findBlockByNumber(kFirstComment)));
        QTest::keyClicks(edit, "set a 1 // note");
        QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(edit, "map q2dm1");
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(
            PublicVars::OutputText.contains(QLatin1String("\r\nset a 1 // note\r\nmap q2dm1\r\n")));
        const int map = int(QStringLiteral("set a 1 // note").size()) + 1;
        QTRY_VERIFY(colourAt(edit, kFirstComment, map).isValid());
        QCOMPARE(colourAt(edit, kFirstComment, 8), comment);
        QCOMPARE(colourAt(edit, kFirstComment, map),
                 colourAt(edit, kFirstComment, 0)); // a command again
        QVERIFY(colourAt(edit, kFirstComment, map + 4) != comment);

        // The raw-code block ends at its end line also after a separator.
        QTextCursor end(edit->document()->findBlockByNumber(26));
        end.movePosition(QTextCursor::StartOfBlock);
        edit->setTextCursor(end);
        QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
        QTRY_COMPARE(colourAt(edit, 26, 1), colourAt(edit, 0, 0));
        QCOMPARE(colourAt(edit, kFirstComment, 0), colourAt(edit, kFirstComment, map));
    }

    // Lines that a taller view brings in are coloured, with no scroll.
    void colouredWhenTheViewGrows() {
        // The cursor's blink repaints the view too: without it, only the
        // growing itself can colour the new lines.
        const int flashTime = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0);
        const auto restore = qScopeGuard([&] { QApplication::setCursorFlashTime(flashTime); });
        QPlainTextEdit edit;
        new ServerFileHighlighter(&edit);
        edit.resize(400, 60);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QStringList lines;
        for (int i = 0; i < 300; ++i)
            lines.append(QStringLiteral("set v%1 1").arg(i));
        edit.setPlainText(lines.join(u'\n'));
        QCoreApplication::processEvents();
        QVERIFY(!coloured(&edit, 20));
        edit.resize(400, 700);
        QTRY_VERIFY(coloured(&edit, 20));
    }

    // Text that an input method is composing keeps its own look, and the
    // colours move past it.
    void inputMethodComposing() {
        GuiFixture f;
        open(f, serverFile());
        QPlainTextEdit *edit = f.main().txtOutput;
        const int dmflags = lineOf(edit, QStringLiteral("set dmflags 0"));
        scrollTo(edit, dmflags);
        const QColor command = colourAt(edit, dmflags, 0);
        const QColor variable = colourAt(edit, dmflags, 4);
        edit->setFocus();
        edit->setTextCursor(QTextCursor(edit->document()->findBlockByNumber(dmflags)));
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        QInputMethodEvent composing(
            QStringLiteral("abc"),
            {QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, 0, 3, underline)});
        QCoreApplication::sendEvent(edit, &composing);
        const QTextLayout *layout = edit->document()->findBlockByNumber(dmflags).layout();
        QCOMPARE(layout->preeditAreaText(), QStringLiteral("abc"));
        QTRY_COMPARE(colourAt(edit, dmflags, 3), command); // "set" after "abc"
        QCOMPARE(colourAt(edit, dmflags, 7), variable);
        bool underlined = false;
        for (const QTextLayout::FormatRange &range : layout->formats())
            underlined |= range.start == 0 && range.length == 3 && range.format.fontUnderline();
        QVERIFY(underlined);
        QCOMPARE(edit->document()->findBlockByNumber(dmflags).text(),
                 QStringLiteral("set dmflags 0"));

        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("abc"));
        QCoreApplication::sendEvent(edit, &commit);
        QCOMPARE(edit->document()->findBlockByNumber(dmflags).text(),
                 QStringLiteral("abcset dmflags 0"));
        // "abcset" is a command but not "set": what follows are plain values.
        QTRY_VERIFY(colourAt(edit, dmflags, 7) != variable);
        QCOMPARE(colourAt(edit, dmflags, 0), command);
        QCOMPARE(colourAt(edit, dmflags, 7), colourAt(edit, dmflags, 15));
    }
};

QTEST_MAIN(TestHighlighting)
#include "test_highlighting.moc"
