#include "GuiTestSupport.h"
#include "mainwindow/ServerFileHighlighter.h"
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

namespace {

// A file's lines, each with the colour every character must get: R raw code,
// C comment, K command, V variable, A value, S quoted string; a blank is plain.
const char *const kLines[][2] = {
    {"// Begining of Raw-Code - Do Not Alter The Following!",
     "RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR"},
    {"set a 1 //[map]", "RRRRRRRRRRRRRRR"},
    // The block ends at its end line also after a line separator.
    {"0\u2028// End of Raw-Code", "R RRRRRRRRRRRRRRRRRR"},
    {"", ""},
    {"// Begin admin ident section.", "CCCCCCCCCCCCCCCCCCCCCCCCCCCCC"},
    // A quoted word ends at its second quote; "//" where a word may begin
    // starts a comment, and a semicolon outside quotes a new command.
    {"set hostname \"Rex's \"Best\" // server; really\"",
     "KKK VVVVVVVV SSSSSSSSAAAAA CCCCCCCCCCCCCCCCCC"},
    {"map q2dm1 // x; set a \"1\"", "KKK AAAAA CCCC  KKK V SSS"},
    {"set maxrate 8000; map q2dm2   // by hand", "KKK VVVVVVV AAAA  KKK AAAAA   CCCCCCCCCC"},
    {"set a 1 // note\u2028map q2dm1", "KKK V A CCCCCCC KKK AAAAA"},
    {"set dmflags 0", "KKK VVVVVVV A"},
    {"// End of Raw-Code", "CCCCCCCCCCCCCCCCCC"},
};
constexpr int kLineCount = int(std::size(kLines));
constexpr int kComment = 4; // the first comment
constexpr int kDmflags = 9; // "set dmflags 0"

QString document() {
    QStringList lines;
    for (const auto &line : kLines)
        lines.append(QString::fromUtf8(line[0]));
    return lines.join(u'\n');
}

// The colour the text area gives each character of line `line` (the text an
// input method composes counted in); invalid where it is plain.
QList<QColor> coloursOf(const QPlainTextEdit *edit, int line) {
    const QTextBlock block = edit->document()->findBlockByNumber(line);
    QList<QColor> out(block.length() - 1 + block.layout()->preeditAreaText().size());
    for (const QTextLayout::FormatRange &range : block.layout()->formats())
        for (int i = range.start; i < range.start + range.length && i < out.size(); ++i)
            if (range.format.hasProperty(QTextFormat::ForegroundBrush))
                out[i] = range.format.foreground().color();
    return out;
}

bool coloured(const QPlainTextEdit *edit, int line) { // any part of it
    return !edit->document()->findBlockByNumber(line).layout()->formats().isEmpty();
}

using Colours = QMap<QChar, QColor>;

// The colour of each letter of the table, as the text area shows it.
Colours learn(const QPlainTextEdit *edit) {
    Colours colours;
    for (int line = 0; line < kLineCount; ++line)
        for (int column = 0; kLines[line][1][column]; ++column)
            if (kLines[line][1][column] != ' ')
                colours[kLines[line][1][column]] = coloursOf(edit, line).value(column);
    return colours;
}

// The line's colours as the table's letters; "?" for one the table lacks.
QString spansOf(const QPlainTextEdit *edit, int line, const Colours &colours) {
    QString letters;
    for (const QColor &colour : coloursOf(edit, line))
        letters += colour.isValid() ? colours.key(colour, u'?') : u' ';
    return letters;
}

} // namespace

class TestHighlighting : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // Every line gets the colours of the table, six colours apart from each
    // other, readable on a dark and again on a light base. The lines that a taller
    // view brings in are coloured without a scroll.
    void linesInTheirColours() {
        // The cursor's blink repaints the view too: without it, only the
        // growing itself can colour the new lines.
        const int flashTime = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0);
        const auto restore = qScopeGuard([&] { QApplication::setCursorFlashTime(flashTime); });
        QPlainTextEdit edit;
        new ServerFileHighlighter(&edit);
        edit.resize(400, 40);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setPlainText(document());
        QCoreApplication::processEvents();
        QVERIFY(!coloured(&edit, kLineCount - 1));
        edit.resize(400, 700);
        QTRY_VERIFY(coloured(&edit, kLineCount - 1));

        QPalette dark = edit.palette();
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, Qt::white);
        Colours colours; // after the loop: on the light base
        // Two kinds of one colour would show as one letter in the lines.
        for (const QPalette &palette : {dark, QPalette()}) {
            edit.setPalette(palette);
            QCoreApplication::processEvents();
            colours = learn(&edit);
            const bool darkBase = palette.color(QPalette::Base).lightness() < 128;
            for (const QColor &colour : colours)
                QVERIFY2(colour.isValid() && (colour.lightness() > 128) == darkBase,
                         qPrintable(colour.name()));
            for (int line = 0; line < kLineCount; ++line)
                QCOMPARE(spansOf(&edit, line, colours), QString::fromLatin1(kLines[line][1]));
        }

        // Text that an input method is composing keeps its own look, and the
        // colours move past it.
        edit.setFocus();
        edit.setTextCursor(QTextCursor(edit.document()->findBlockByNumber(kDmflags)));
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        QInputMethodEvent composing(
            QStringLiteral("abc"),
            {QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, 0, 3, underline)});
        QCoreApplication::sendEvent(&edit, &composing);
        const QTextLayout *layout = edit.document()->findBlockByNumber(kDmflags).layout();
        QTRY_COMPARE(spansOf(&edit, kDmflags, colours), QStringLiteral("   KKK VVVVVVV A"));
        const QList<QTextLayout::FormatRange> formats = layout->formats();
        QVERIFY(std::any_of(formats.begin(), formats.end(), [](const auto &range) {
            return range.start == 0 && range.length == 3 && range.format.fontUnderline();
        }));
    }

    // Typing colours what is typed; a change to the raw-code block's end line
    // recolours the lines below it, and undoing it too. Shift+Enter breaks a
    // line inside the text area's line: saved, it is two lines.
    void typingRecolours() {
        GuiFixture f;
        QPlainTextEdit *edit = f.main().txtOutput;
        f.main().replaceServerText(document());
        f.main().enlarge();
        QTRY_VERIFY(coloured(edit, kLineCount - 1));
        const Colours colours = learn(edit);
        const QString comment = QString::fromLatin1(kLines[kComment][1]);
        edit->setFocus();
        edit->setTextCursor(QTextCursor(edit->document()->findBlockByNumber(kComment)));
        QTest::keyClicks(edit, "set a 1 // note");
        QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(edit, "map \"x\"");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(spansOf(edit, kComment, colours), QStringLiteral("KKK V A CCCCCCC KKK SSS"));
        QCOMPARE(spansOf(edit, kComment + 1, colours), comment);
        QVERIFY(PublicVars::OutputText.contains(
            QLatin1String("\nset a 1 // note\r\nmap \"x\"\r\n// Begin admin")));

        // A blank after "// End of Raw-Code" makes it an ordinary line, so the
        // block runs on through the lines below.
        edit->setTextCursor(QTextCursor(edit->document()->findBlockByNumber(2)));
        edit->moveCursor(QTextCursor::EndOfBlock);
        QTest::keyClick(edit, Qt::Key_Space);
        QTRY_COMPARE(spansOf(edit, kComment + 1, colours), QString(comment).replace(u'C', u'R'));
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(spansOf(edit, kComment + 1, colours), comment);
        QCOMPARE(spansOf(edit, 2, colours), QString::fromLatin1(kLines[2][1]));
    }

    // Only the lines in view are coloured, as they come into view, with the
    // block's end worked out from the top. Colouring touches neither the text
    // nor its saved state: after a scroll through the whole file and a change
    // of palette, the file saves byte for byte as it was opened. A line too
    // long to read is left plain; the line after it is not.
    void onlyLinesInViewAndTextUntouched() {
        GuiFixture f;
        frmOutput &m = f.main();
        QByteArray bytes = Expected::wizardDefaultsFile(QStringLiteral("T")).toLatin1();
        for (int i = 0; i < 3000; ++i)
            bytes += "\r\nset v" + QByteArray::number(i) + " \"" + QByteArray::number(i) + "\"";
        bytes += "\r\nset long \"" + QByteArray(ServerFileHighlighter::kLongestColouredLine, 'x') +
                 "\"\r\nmap q2dm1\r\n";
        const QString path = m_dir.filePath(QStringLiteral("open.cfg"));
        FileBytes::put(path, bytes);
        FileDialog::scriptAnswer(path);
        m.mnuOpen->trigger();
        QCOMPARE(PublicVars::OutputText, QString::fromLatin1(bytes));
        QTRY_VERIFY(coloured(m.txtOutput, 0));
        const int last = m.txtOutput->document()->blockCount() - 2; // "map q2dm1"
        QVERIFY(!coloured(m.txtOutput, last) && !coloured(m.txtOutput, last / 2));
        QScrollBar *scroll = m.txtOutput->verticalScrollBar();
        scroll->setValue(scroll->maximum());
        QTRY_VERIFY(coloured(m.txtOutput, last));
        QVERIFY(!coloured(m.txtOutput, last - 1) && !coloured(m.txtOutput, last / 2));
        const QList<QColor> map = coloursOf(m.txtOutput, last);
        QVERIFY(map[0] != coloursOf(m.txtOutput, 0)[0] && map[4] != map[0]); // not raw code

        FileDialog::scriptAnswer(m_dir.filePath(QStringLiteral("first.cfg")));
        m.mnuSave->trigger();
        m.txtOutput->document()->setModified(false);
        for (int value = 0; value <= scroll->maximum(); value += 20) {
            scroll->setValue(value);
            QCoreApplication::processEvents();
        }
        QPalette dark = m.txtOutput->palette();
        dark.setColor(QPalette::Base, Qt::black);
        m.txtOutput->setPalette(dark);
        QCoreApplication::processEvents();
        QVERIFY(PublicVars::Saved);
        QVERIFY(!m.txtOutput->document()->isModified());
        QCOMPARE(PublicVars::OutputText, QString::fromLatin1(bytes));
    }
};

QTEST_MAIN(TestHighlighting)
#include "test_highlighting.moc"
