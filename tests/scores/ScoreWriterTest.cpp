// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/ScoreFile.h"
#include "support/Files.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

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
        QVERIFY(!result.errorOccurred());
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
        QTest::newRow("date the file cannot hold") << "Jan"
                                                   << "۸/۱۲/۲۶";
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
        // Never written into: a device takes a save without keeping it, or never ends.
        QTest::newRow("the path is a device") << "/dev/full"
                                              << "zařízení";
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

    // Whatever the file ends with (a save killed mid-write, a torn line end, a hand edit),
    // the new record reads back as a record of its own and the records before stay as
    // they read before.
    // The save goes on from where the table shown was read (`loaded`; the file as it is
    // when empty) while the file is that one, however others added to it since.
    void newRecordNeverMergesIntoTheLastOne_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("added");
        QTest::addColumn<QByteArray>("loaded");
        QTest::addColumn<bool>("replaced"); // by another file since the load
        const QByteArray jan("Jan,1,2,3,d\r\n");
        const QByteArray dido("Dido,3,7,10,c\r\n");
        QTest::newRow("records appended since the load") << dido + "Eva,1,2,3,d\r\n"
                                                         << jan << dido << false;
        QTest::newRow("a cut record appended since the load") << dido + "Eva,1,2"
                                                              << "?,,\r\n" + jan << dido << false;
        QTest::newRow("the LF of a line end appended since the load")
            << dido + "Eva,1,2,3,d\r\nBob\r\n"
            << ",,,\r\n" + jan << dido.chopped(1) << false;
        QTest::newRow("shortened since the load") << dido << jan << dido + dido << false;
        QTest::newRow("replaced by a shorter file") << dido << jan << dido + dido << true;
        QTest::newRow("replaced by a longer file") << dido + "Eva,1,2,3,d\r\n"
                                                   << jan << dido << true;
        QTest::newRow("empty file") << QByteArray() << jan << QByteArray() << false;
        QTest::newRow("whole line")
            << QByteArray("Dido,3,7,10,c\r\n") << jan << QByteArray() << false;
        QTest::newRow("lone LF") << QByteArray("Dido,3,7,10,c\n") << jan << QByteArray() << false;
        QTest::newRow("line end torn after CR")
            << QByteArray("Dido,3,7,10,c\r") << "\n" + jan << QByteArray() << false;
        QTest::newRow("a date continued since the load") << dido.chopped(2) + "2\r\n"
                                                         << jan << dido.chopped(2) << false;
        QTest::newRow("no line end")
            << QByteArray("Dido,3,7,10,c") << "\r\n" + jan << QByteArray() << false;
        QTest::newRow("cut in the third field")
            << QByteArray("Dido,3,7") << "?,,\r\n" + jan << QByteArray() << false;
        QTest::newRow("cut in the shots count")
            << QByteArray("R1,0,7,1") << "?,\r\n" + jan << QByteArray() << false;
        QTest::newRow("cut after a comma")
            << QByteArray("Dido,3,") << ",,\r\n" + jan << QByteArray() << false;
        QTest::newRow("cut in the name")
            << QByteArray("Di") << "?,,,,\r\n" + jan << QByteArray() << false;
        QTest::newRow("short line with its line end")
            << QByteArray("Bob,1\r\n") << ",,\r\n" + jan << QByteArray() << false;
        QTest::newRow("cut inside a quoted name")
            << QByteArray("\"Novák, J") << "?\",,,,\r\n" + jan << QByteArray() << false;
        QTest::newRow("open quote over a line end") << QByteArray("Eva,1,2,3,d\r\n\"Bob\r\n")
                                                    << "?\",,,,\r\n" + jan << QByteArray() << false;
        QTest::newRow("sixth field begun by a comma")
            << QByteArray("Eva,1,2,3,d,") << jan << QByteArray() << false;
        QTest::newRow("blanks only") << QByteArray("   ") << jan << QByteArray() << false;
        QTest::newRow("blanks and line ends only")
            << QByteArray(" \r\n\r\n\t") << jan << QByteArray() << false;
        QTest::newRow("a line end torn after CR only")
            << QByteArray("\r") << "\n" + jan << QByteArray() << false;
    }

    void newRecordNeverMergesIntoTheLastOne() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, added);
        QFETCH(QByteArray, loaded);
        QFETCH(bool, replaced);
        writeFile(m_path, loaded.isNull() ? before : loaded);
        const ScoreReadResult load = readScoreFile(m_path);
        const QString path = replaced ? m_path + ".new" : m_path;
        writeFile(path, before);
        if (replaced) {
            QVERIFY(QFile::remove(m_path) && QFile::rename(path, m_path));
        }
        const ScoreWriteResult saved =
            AppendScoreRecord(m_path, "Jan", "1", "2", "3", "d", load.end);
        QVERIFY(saved.written);
        QCOMPARE(contentsOf(m_path), before + added);

        const ScoreTable old = readScoreRecords(before).table;
        const ScoreReadResult now = readScoreFile(m_path);
        QVERIFY(!now.errorOccurred());
        ScoreTable shown = saved.continuesLoaded ? load.table : ScoreTable();
        shown.append(saved.table);
        QVERIFY(shown == now.table); // what the screen shows after the save
        QCOMPARE(now.table.ScoreNames, old.ScoreNames.toStringList() + QStringList{"Jan"});
        QCOMPARE(now.table.ScoreMisses, old.ScoreMisses.toStringList() + QStringList{"1"});
        QCOMPARE(now.table.ScoreDates, old.ScoreDates.toStringList() + QStringList{"d"});
    }

    // A date the system writes in digits or marks Windows-1250 lacks is stored readable,
    // never as question marks; names keep their own rule and are refused instead.
    void dateIsStoredInAFormTheFileHolds_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        const QDate date(2026, 12, 8);
        auto shortDate = [&](const char* locale) {
            return QLocale(QString::fromLatin1(locale)).toString(date, QLocale::ShortFormat);
        };
        QTest::newRow("Czech") << shortDate("cs_CZ") << "08.12.26";
        QTest::newRow("Persian digits") << shortDate("fa_IR") << "2026/12/8";
        QTest::newRow("Arabic digits and direction marks") << shortDate("ar_EG") << "8/12/2026";
        QTest::newRow("Devanagari digits") << shortDate("mr_IN") << "8/12/26";
        QTest::newRow("Bengali digits") << shortDate("bn_BD") << "8/12/26";
        QTest::newRow("letters the file lacks") << "2026年12月8日"
                                                << "2026-12-08";
        QTest::newRow("a double quote") << "8.\"12\".2026"
                                        << "2026-12-08";
    }

    void dateIsStoredInAFormTheFileHolds() {
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        const QString date = dateForScoreFile(shown, QDate(2026, 12, 8));
        QCOMPARE(date, stored);
        QVERIFY(AppendScoreRecord(m_path, "Dido", "3", "7", "10", date).written);
        QCOMPARE(readScoreFile(m_path).table.ScoreDates, QStringList{stored});
        QVERIFY(!contentsOf(m_path).contains('?'));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

static const RegisteredTest<ScoreWriterTest> registered;
#include "ScoreWriterTest.moc"
