// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/ScoreFile.h"
#include "support/Files.h"
#include "support/TestRegistry.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Expected records in a compact form: one string per record, fields joined by '|'.
using Records = QStringList;

Records recordsOf(const ScoreTable& table) {
    Records records;
    for (qsizetype k = 0; k < table.ScoreNames.size(); ++k) {
        records << QStringList{table.ScoreNames[k], table.ScoreMisses[k], table.ScoreHits[k],
                               table.ScoreShots[k], table.ScoreDates[k]}
                       .join(u'|');
    }
    return records;
}

bool arraysAgreeInLength(const ScoreTable& table) {
    const qsizetype n = table.ScoreNames.size();
    return table.ScoreMisses.size() == n && table.ScoreHits.size() == n &&
           table.ScoreShots.size() == n && table.ScoreDates.size() == n;
}

} // namespace

class ScoreReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsFiveFieldsPerRecord_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Records>("records");
        QTest::addColumn<int>("fault"); // ScoreFault
        const int none = int(ScoreFault::None);
        const int cut = int(ScoreFault::LastRecordCut);
        const int broken = int(ScoreFault::Broken);

        QTest::newRow("empty file") << QByteArray() << Records{} << none;
        QTest::newRow("one record")
            << QByteArray("Dido,3,7,10,5.3.2024\r\n") << Records{"Dido|3|7|10|5.3.2024"} << none;
        QTest::newRow("two records in file order")
            << QByteArray("Dido,3,7,10,5.3.2024\r\nEda,0,0,0,6.3.2024\r\n")
            << Records{"Dido|3|7|10|5.3.2024", "Eda|0|0|0|6.3.2024"} << none;
        QTest::newRow("LF line ends")
            << QByteArray("a,1,2,3,d\nb,4,5,6,e\n") << Records{"a|1|2|3|d", "b|4|5|6|e"} << none;
        QTest::newRow("lone CR line ends")
            << QByteArray("a,1,2,3,d\rb,4,5,6,e\r") << Records{"a|1|2|3|d", "b|4|5|6|e"} << none;
        QTest::newRow("missing final line end")
            << QByteArray("a,1,2,3,d\r\nb,4,5,6,e") << Records{"a|1|2|3|d", "b|4|5|6|e"} << none;
        QTest::newRow("blanks before fields are skipped, trailing blanks kept")
            << QByteArray("  Dido, 3,\t7 ,10 ,  d\r\n") << Records{"Dido|3|7 |10 |d"} << none;
        QTest::newRow("name of blanks reads as empty")
            << QByteArray("   ,1,2,3,d\r\n") << Records{"|1|2|3|d"} << none;
        QTest::newRow("quoted field holds commas")
            << QByteArray("\"Nov\xe1k, Jan\",1,2,3,\"Mar 5, 2024\"\r\n")
            << Records{"Novák, Jan|1|2|3|Mar 5, 2024"} << none;
        QTest::newRow("quoted field keeps its leading blanks")
            << QByteArray("\"  Jan\",1,2,3,d\r\n") << Records{"  Jan|1|2|3|d"} << none;
        QTest::newRow("text after the closing quote is dropped")
            << QByteArray("\"Jan\" junk,1,2,3,d\r\n") << Records{"Jan|1|2|3|d"} << none;
        QTest::newRow("empty quoted field")
            << QByteArray("\"\",1,2,3,d\r\n") << Records{"|1|2|3|d"} << none;
        QTest::newRow("unclosed quote runs to the end of the file")
            << QByteArray("\"Jan,1,2\r\n") << Records{"Jan,1,2\r\n?||||"} << broken;
        QTest::newRow("empty fields between delimiters")
            << QByteArray(",,,,\r\n") << Records{"||||"} << none;
        QTest::newRow("record cut short by the end")
            << QByteArray("a,1,2,3,d\r\nDido,3,7\r\n") << Records{"a|1|2|3|d", "Dido|3|7||"}
            << broken;
        QTest::newRow("trailing blank line is one more, broken record")
            << QByteArray("a,1,2,3,d\r\n\r\n") << Records{"a|1|2|3|d", "||||"} << broken;
        QTest::newRow("trailing blanks are a record cut short")
            << QByteArray("a,1,2,3,d\r\n   ") << Records{"a|1|2|3|d", "?||||"} << cut;
        QTest::newRow("a sixth field spills into the next record")
            << QByteArray("a,1,2,3,d,x\r\nb,4,5,6,e\r\n")
            << Records{"a|1|2|3|d", "x|b|4|5|6", "e||||"} << broken;
        QTest::newRow("a save cut off in a field")
            << QByteArray("Anna,1,2,3,d\r\nBert,4,5,6,e\r\nCut,1,2")
            << Records{"Anna|1|2|3|d", "Bert|4|5|6|e", "Cut|1|2?||"} << cut;
        QTest::newRow("a save cut off in the name")
            << QByteArray("a,1,2,3,d\r\nCu") << Records{"a|1|2|3|d", "Cu?||||"} << cut;
        QTest::newRow("a save cut off inside the quotes")
            << QByteArray("a,1,2,3,d\r\n\"Nov\xe1k, J") << Records{"a|1|2|3|d", "Novák, J?||||"}
            << cut;
        QTest::newRow("a cut after a fault on an earlier line")
            << QByteArray("a,1,2,3,d,x\r\nb,4,5,6\r\nCut")
            << Records{"a|1|2|3|d", "x|b|4|5|6", "Cut?||||"} << broken;
        QTest::newRow("blank lines before the first record hold nothing")
            << QByteArray(" \r\n\r\nDido,3,7,10,d\r\n") << Records{"Dido|3|7|10|d"} << none;
        QTest::newRow("blanks and line ends only hold no record")
            << QByteArray("\r\n \t\r\n ") << Records{} << none;
        QTest::newRow("line ends do not bound records")
            << QByteArray("a,1\r\n2,3\r\nd\r\n") << Records{"a|1|2|3|d"} << none;
        QTest::newRow("comma before the line end is an empty field")
            << QByteArray("a,1,2,3,\r\n") << Records{"a|1|2|3|"} << none;
        QTest::newRow("Windows-1250 is decoded")
            << QByteArray("\x8elu\x9dou\xe8k\xfd k\xf9\xf2,1,2,3,d\r\n")
            << Records{"Žluťoučký kůň|1|2|3|d"} << none;
        QTest::newRow("undefined code page byte decodes harmlessly")
            << QByteArray("a\x81,1,2,3,d\r\n") << Records{"a\u0081|1|2|3|d"} << none;
        // The file is read 4 MiB at a time: records and line ends across the pieces.
        const QByteArray filler(4 * 1024 * 1024 - 10, 'x');
        QTest::newRow("CR and LF in two pieces")
            << filler + ",3,7,10,d\r\nBob,1,1,2,e\r\n"
            << Records{QString(filler) + "|3|7|10|d", "Bob|1|1|2|e"} << none;
        QTest::newRow("a quoted comma in the next piece")
            << "\"" + filler + "ab,c\",1,2,3,d\r\n"
            << Records{QString(filler) + "ab,c|1|2|3|d"} << none;
        QTest::newRow("NUL byte is an ordinary character")
            << QByteArray("a\0b,1,2,3,d\r\n", 13)
            << Records{QStringLiteral("a") + QChar(0) + QStringLiteral("b|1|2|3|d")} << none;
    }

    void readsFiveFieldsPerRecord() {
        QFETCH(QByteArray, file);
        QFETCH(Records, records);
        QFETCH(int, fault);

        QTemporaryDir dir;
        writeFile(dir.filePath("Data5.dat"), file);
        for (const ScoreReadResult& result :
             {readScoreRecords(file), readScoreFile(dir.filePath("Data5.dat"))}) {
            QVERIFY(arraysAgreeInLength(result.table));
            QCOMPARE(recordsOf(result.table), records);
            QCOMPARE(int(result.fault), fault);
        }
    }

    void fileThatCannotBeOpenedGivesNoRecordsAndAnError_data() {
        QTest::addColumn<QString>("relativePath");
        QTest::newRow("missing file") << QStringLiteral("Data5.dat");
        QTest::newRow("missing folder") << QStringLiteral("gone/Data5.dat");
        QTest::newRow("a folder") << QString();
    }

    void fileThatCannotBeOpenedGivesNoRecordsAndAnError() {
        QFETCH(QString, relativePath);
        QTemporaryDir dir;
        const QString path = relativePath.isEmpty() ? dir.path() : dir.filePath(relativePath);
        const ScoreReadResult result = readScoreFile(path);
        QVERIFY(result.errorOccurred());
        QVERIFY(result.table.ScoreNames.isEmpty());
        QVERIFY(arraysAgreeInLength(result.table));
    }

    void readsTheFileFromDisk() {
        QTemporaryDir dir;
        QFile file(dir.filePath("Data5.dat"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Dido,3,7,10,5.3.2024\r\n\"Nov\xe1k, Jan\",0,1,1,6.3.2024\r\n");
        file.close();

        const ScoreReadResult result = readScoreFile(file.fileName());
        QCOMPARE(recordsOf(result.table),
                 (Records{"Dido|3|7|10|5.3.2024", "Novák, Jan|0|1|1|6.3.2024"}));
        QVERIFY(!result.errorOccurred());
    }
};

static const RegisteredTest<ScoreReaderTest> registered;
#include "ScoreReaderTest.moc"
