#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileReader.h"
#include "support/ExpectedFiles.h"

#include <QTest>

class TestReader : public QObject {
    Q_OBJECT

    static QByteArray generated() {
        return Expected::wizardDefaultsFile(QStringLiteral("T")).toLatin1();
    }

private slots:
    void readsGeneratedFile() {
        const auto read = readServerFile(generated());
        QVERIFY(read);
        QCOMPARE(read->rawValues, RawCode::values(Expected::wizardDefaults()));
        QCOMPARE(read->text.toLatin1(), generated());
    }

    void refusesForeignFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray file = generated();
        const QByteArray rest = file.mid(file.indexOf("\r\n"));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("trailing blank")
            << "// Begining of Raw-Code - Do Not Alter The Following! " + rest;
        QTest::newRow("other case")
            << "// Begining of raw-code - Do Not Alter The Following!" + rest;
        QTest::newRow("spelling corrected")
            << "// Beginning of Raw-Code - Do Not Alter The Following!" + rest;
        QTest::newRow("blank before")
            << " // Begining of Raw-Code - Do Not Alter The Following!" + rest;
        QTest::newRow("marker alone") << QByteArray("// Begining of Raw-Code - Do Not Alter The "
                                                    "Following!\r\n");
        // 24 value lines only: the file ends before line 26.
        QByteArray shortFile = "// Begining of Raw-Code - Do Not Alter The Following!";
        for (int i = 0; i < 24; ++i)
            shortFile += "\r\n//x";
        QTest::newRow("ends before line 26") << shortFile;
        QTest::newRow("ends before line 26, final line end") << shortFile + "\r\n";
        QByteArray shortLine = file;
        shortLine.replace("\r\n//Sunny San Diego\r\n", "\r\n/\r\n");
        QTest::newRow("raw-code line of one character") << shortLine;
        QByteArray emptyLine = file;
        emptyLine.replace("\r\n//Sunny San Diego\r\n", "\r\n\r\n");
        QTest::newRow("empty raw-code line") << emptyLine;
        QTest::newRow("UTF-8 byte-order mark") << "\xEF\xBB\xBF" + file;
    }
    void refusesForeignFiles() {
        QFETCH(QByteArray, bytes);
        QVERIFY(!readServerFile(bytes));
    }

    void acceptsOtherLineEnds_data() {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("bare LF") << QByteArray("\n");
        QTest::newRow("bare CR") << QByteArray("\r");
    }
    void acceptsOtherLineEnds() {
        QFETCH(QByteArray, lineEnd);
        QByteArray bytes = generated();
        bytes.replace("\r\n", lineEnd);
        const auto read = readServerFile(bytes);
        QVERIFY(read);
        QCOMPARE(read->rawValues, RawCode::values(Expected::wizardDefaults()));
        QCOMPARE(read->text.toLatin1(), bytes); // shown byte for byte
    }

    // A value is its line less the first two characters; nothing is trimmed.
    void keepsWhatFollowsTheTwoCharacters() {
        QByteArray bytes = generated();
        bytes.replace("\r\n//Sunny San Diego\r\n", "\r\n// Sunny San Diego \r\n");
        bytes.replace("\r\n//Your Name Here\r\n", "\r\nxxYour Name Here\r\n");
        const auto read = readServerFile(bytes);
        QVERIFY(read);
        QCOMPARE(read->rawValues[2], QStringLiteral(" Sunny San Diego "));
        QCOMPARE(read->rawValues[3], QStringLiteral("Your Name Here"));
    }

    // Of the commands, only what the raw-code block lacks is read: the weapon
    // or the randomizer and the high scorer, the last line of each counting.
    void readsWhatTheBlockLacksFromTheCommands() {
        const auto read = readServerFile(generated());
        QVERIFY(read && read->weapon && read->highScorer);
        QVERIFY(!read->weapon->randomizer);
        QCOMPARE(read->weapon->code, QStringLiteral("0"));
        QCOMPARE(*read->highScorer, QStringLiteral("0"));

        QByteArray bytes = generated();
        bytes += "\r\nset randomize_weapon 2\r\nset highscorer 1\r\n//set default_weapon 5";
        const auto later = readServerFile(bytes);
        QVERIFY(later->weapon->randomizer);
        QCOMPARE(later->weapon->code, QStringLiteral("2"));
        QCOMPARE(*later->highScorer, QStringLiteral("1"));

        const QByteArray marker = generated().left(generated().indexOf("\r\n// End of Raw-Code"));
        const auto bare = readServerFile(marker);
        QVERIFY(bare && !bare->weapon && !bare->highScorer);
    }

    // Beyond those, the commands are never parsed; the raw-code block counts.
    void ignoresEverythingAfterLine26() {
        QByteArray bytes = generated();
        bytes.replace("set hostname", "set hostname \"hand edited\"\r\n// a comment\r\nset x");
        bytes.append("\r\n\0\xff trailing bytes", 19);
        const auto read = readServerFile(bytes);
        QVERIFY(read);
        QCOMPARE(read->rawValues[8], QStringLiteral("[[  Kestrune Server  ]]"));
        QCOMPARE(read->text.toLatin1(), bytes);
    }

    // Exactly 26 lines, the last without a line end, is enough.
    void acceptsTheShortestFile() {
        QByteArray bytes = "// Begining of Raw-Code - Do Not Alter The Following!";
        for (int i = 0; i < 25; ++i)
            bytes += "\r\n//" + QByteArray::number(i);
        const auto read = readServerFile(bytes);
        QVERIFY(read);
        QCOMPARE(read->rawValues.last(), QStringLiteral("24"));
    }
};

QTEST_APPLESS_MAIN(TestReader)
#include "test_reader.moc"
