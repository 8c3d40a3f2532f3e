#include "scores/ScoreFile.h"
#include "support/Files.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <thread>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class ScoreWriterTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath("Data5.dat");
    }

    void ordinaryRecordIsOneCommaSeparatedCrLfLine() {
        QVERIFY(AppendScoreRecord(m_path, "Dido", "3", "7", "10", "5.3.2024").written);
        QVERIFY(AppendScoreRecord(m_path, "Neznámý hráč", "0", "0", "0", "6.3.2024").written);
        QCOMPARE(contentsOf(m_path),
                 QByteArray("Dido,3,7,10,5.3.2024\r\nNezn\xe1m\xfd hr\xe1\xe8,0,0,0,6.3.2024\r\n"));
    }

    // Names and dates the name box and the system can produce must read back as written;
    // only blanks before an unquoted name are lost, as the reader skips them.
    void hostileTextReadsBackThroughTheFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("nameReadBack");
        QTest::newRow("comma in the name") << "Novák, Jan"
                                           << "5.3.2024"
                                           << "Novák, Jan";
        QTest::newRow("name that is a comma") << ","
                                              << "5.3.2024"
                                              << ",";
        QTest::newRow("comma in the date") << "Dido"
                                           << "Mar 5, 2024"
                                           << "Dido";
        QTest::newRow("leading blanks are dropped") << "  Jan"
                                                    << "5.3.2024"
                                                    << "Jan";
        QTest::newRow("leading blanks kept inside quotes") << " a,b"
                                                           << "5.3.2024"
                                                           << " a,b";
        QTest::newRow("trailing blanks survive") << "Jan  "
                                                 << "5.3.2024"
                                                 << "Jan  ";
        QTest::newRow("name of blanks only") << "    "
                                             << "5.3.2024"
                                             << "";
        QTest::newRow("Czech diacritics") << "Řeřicha Šťastný"
                                          << "5.3.2024"
                                          << "Řeřicha Šťastný";
        QTest::newRow("18 characters") << "Příliš žluťoučký k"
                                       << "5.3.2024"
                                       << "Příliš žluťoučký k";
        QTest::newRow("empty name") << ""
                                    << "5.3.2024"
                                    << "";
        QTest::newRow("apostrophe and symbols") << "O'Neil §€"
                                                << "5.3.2024"
                                                << "O'Neil §€";
    }

    void hostileTextReadsBackThroughTheFile() {
        QFETCH(QString, name);
        QFETCH(QString, date);
        QFETCH(QString, nameReadBack);
        QCOMPARE(name.size() <= 18, true);

        QVERIFY(AppendScoreRecord(m_path, name, "3", "7", "10", date).written);
        QVERIFY(AppendScoreRecord(m_path, "Dido", "1", "2", "3", "6.3.2024").written);
        const ScoreReadResult result = readScoreFile(m_path);
        QVERIFY(!result.errorOccurred);
        QCOMPARE(result.table.ScoreNames, (QStringList{nameReadBack, "Dido"}));
        QCOMPARE(result.table.ScoreMisses, (QStringList{"3", "1"}));
        QCOMPARE(result.table.ScoreHits, (QStringList{"7", "2"}));
        QCOMPARE(result.table.ScoreShots, (QStringList{"10", "3"}));
        QCOMPARE(result.table.ScoreDates, (QStringList{date, "6.3.2024"}));
    }

    void nameFilterRefusesWhatTheFileCannotHold_data() {
        QTest::addColumn<QChar>("character");
        QTest::addColumn<bool>("storable");
        QTest::newRow("letter") << QChar(u'a') << true;
        QTest::newRow("r with caron") << QChar(u'ř') << true;
        QTest::newRow("comma, stored quoted") << QChar(u',') << true;
        QTest::newRow("blank") << QChar(u' ') << true;
        QTest::newRow("double quote") << QChar(u'"') << false;
        QTest::newRow("tab") << QChar(u'\t') << false;
        QTest::newRow("line feed") << QChar(u'\n') << false;
        QTest::newRow("C1 control") << QChar(char16_t(0x81)) << false;
        QTest::newRow("not in Windows-1250") << QChar(u'ñ') << false;
    }

    void nameFilterRefusesWhatTheFileCannotHold() {
        QFETCH(QChar, character);
        QFETCH(bool, storable);
        QCOMPARE(isStorableNameCharacter(character), storable);
        QCOMPARE(isStorableName(QStringLiteral("Jan") + character), storable);
    }

    void unstorableRecordIsRefusedAndNothingWritten_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("date");
        QTest::newRow("quote in the name") << "\"Jan"
                                           << "5.3.2024";
        QTest::newRow("line end in the name") << "Jan\r\nx"
                                              << "5.3.2024";
        QTest::newRow("line end in the date") << "Jan"
                                              << "5.3.\n2024";
    }

    void unstorableRecordIsRefusedAndNothingWritten() {
        QFETCH(QString, name);
        QFETCH(QString, date);
        const ScoreWriteResult result = AppendScoreRecord(m_path, name, "1", "2", "3", date);
        QVERIFY(!result.written);
        QVERIFY(result.errorText.contains("nelze uložit"));
        QVERIFY(!QFile::exists(m_path));
    }

    void unwritableTargetReportsWhyInCzech_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("the path is a folder") << QString() << "složka";
        QTest::newRow("the folder is missing") << "gone/Data5.dat"
                                               << "neexistuje";
#ifdef Q_OS_LINUX
        QTest::newRow("the disk is full") << "/dev/full"
                                          << "není dost místa";
#endif
    }

    void unwritableTargetReportsWhyInCzech() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        if (path.isEmpty()) {
            path = m_dir->path();
        } else if (!path.startsWith(u'/')) {
            path = m_dir->filePath(path);
        }
        const ScoreWriteResult result = AppendScoreRecord(path, "Dido", "3", "7", "10", "d");
        QVERIFY(!result.written);
        QVERIFY2(result.errorText.startsWith("Skóre se nepodařilo uložit"),
                 qPrintable(result.errorText));
        QVERIFY2(result.errorText.contains(reason), qPrintable(result.errorText));
    }

#ifdef Q_OS_LINUX
    // A write that comes up short must not leave half a line behind: the next record would
    // be glued to it. The file size limit cuts the write short even for root.
    void shortWriteLeavesTheFileAsItWas() {
        const QByteArray before("Dido,3,7,10,5.3.2024\r\n");
        writeFile(m_path, before);

        rlimit saved;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit limited = saved;
        limited.rlim_cur = rlim_t(before.size() + 5);
        const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const ScoreWriteResult result = AppendScoreRecord(m_path, "Jan", "1", "2", "3", "6.3.2024");
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);

        QVERIFY(!result.written);
        QVERIFY2(result.errorText.contains("není dost místa"), qPrintable(result.errorText));
        QCOMPARE(contentsOf(m_path), before);
    }
#endif

    void lastLineWithoutLineEndIsEndedFirst_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray added("Jan,1,2,3,d\r\n");
        QTest::newRow("no line end")
            << QByteArray("Dido,3,7,10,c") << QByteArray("Dido,3,7,10,c\r\n") + added;
        QTest::newRow("CR LF") << QByteArray("Dido,3,7,10,c\r\n")
                               << QByteArray("Dido,3,7,10,c\r\n") + added;
        QTest::newRow("lone LF") << QByteArray("Dido,3,7,10,c\n")
                                 << QByteArray("Dido,3,7,10,c\n") + added;
        QTest::newRow("lone CR") << QByteArray("Dido,3,7,10,c\r")
                                 << QByteArray("Dido,3,7,10,c\r") + added;
        QTest::newRow("empty file") << QByteArray() << added;
    }

    void lastLineWithoutLineEndIsEndedFirst() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        writeFile(m_path, before);
        QVERIFY(AppendScoreRecord(m_path, "Jan", "1", "2", "3", "d").written);
        QCOMPARE(contentsOf(m_path), after);
        QVERIFY(!readScoreFile(m_path).errorOccurred);
    }

    // Each save opens the file on its own, as a second copy of the program would, so two
    // writers at once stand for two programs. Every line must arrive whole and in order.
    void simultaneousSavesNeverMixTheirLines() {
        constexpr int perWriter = 400;
        auto writer = [this](const QString& name) {
            for (int i = 0; i < perWriter; ++i) {
                if (!AppendScoreRecord(m_path, name, QString::number(i), "7", "10", "5.3.2024")
                         .written) {
                    return;
                }
            }
        };
        std::thread first(writer, QStringLiteral("Prvni hrac s dlouhym"));
        std::thread second(writer, QStringLiteral("Druhy, s carkou"));
        first.join();
        second.join();

        const QStringList lines = QString::fromLatin1(contentsOf(m_path)).split("\r\n");
        QCOMPARE(lines.size(), 2 * perWriter + 1);
        QCOMPARE(lines.last(), QString());
        const QRegularExpression wholeLine(
            R"(^(Prvni hrac s dlouhym|"Druhy, s carkou"),\d+,7,10,5\.3\.2024$)");
        int next[2] = {0, 0};
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            const QRegularExpressionMatch match = wholeLine.match(lines[i]);
            QVERIFY2(match.hasMatch(), qPrintable(lines[i]));
            const int writerIndex = lines[i].startsWith(u'P') ? 0 : 1;
            QCOMPARE(lines[i].section(u',', -4, -4).toInt(), next[writerIndex]++);
        }
        QCOMPARE(readScoreFile(m_path).table.ScoreNames.size(), 2 * perWriter);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_APPLESS_MAIN(ScoreWriterTest)
#include "score_writer_test.moc"
