// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Copies of a saving program at once, and a saving program killed at random moments:
// the score file must keep every record whole. The helper score_saver saves through
// AppendScoreRecord; with a pause it puts each save out in two writes, as a network file
// system may, which only the lock keeps together.

#include "scores/ScoreFile.h"
#include "support/Files.h"
#include "support/TestRegistry.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

namespace {

const QRegularExpression wholeRecord(R"(^(\w+|"[\w, ]+"),(\d+),7,10,5\.3\.2024$)");

// The beginning of a record as score_saver writes it, or all of it.
bool isStartOfRecord(const QString& text) {
    const QRegularExpressionMatch match =
        wholeRecord.match(text, 0, QRegularExpression::PartialPreferCompleteMatch);
    return match.hasMatch() || match.hasPartialMatch();
}

// A record cut short and then completed by the next save: its beginning, the mark of a
// field the cut ran into, then the commas that make it five fields.
bool isMendedRecord(const QString& line) {
    qsizetype end = line.size();
    while (end > 0 && line[end - 1] == u',') {
        --end;
    }
    end -= end > 0 && line[end - 1] == u'?' ? 1 : 0;
    const ScoreReadResult read = readScoreRecords((line + "\r\n").toLatin1());
    return isStartOfRecord(line.first(end)) && !read.errorOccurred() &&
           read.table.ScoreNames.size() == 1;
}

std::unique_ptr<QProcess> startSaver(const QString& path, const QString& name, int count,
                                     int pauseMicroseconds) {
    auto saver = std::make_unique<QProcess>();
    saver->start(QStringLiteral(OMVAR_SCORE_SAVER),
                 {path, name, QString::number(count), QString::number(pauseMicroseconds)});
    return saver;
}

} // namespace

class ScoreFileProcessesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath("Data5.dat");
    }

    void fourCopiesSavingAtOnceKeepEveryRecordOnce_data() {
        QTest::addColumn<int>("perCopy");
        QTest::addColumn<int>("pauseMicroseconds");
        QTest::newRow("each save one write") << 1000 << 0;
        QTest::newRow("each save two writes with a pause") << 150 << 300;
    }

    void fourCopiesSavingAtOnceKeepEveryRecordOnce() {
        QFETCH(int, perCopy);
        QFETCH(int, pauseMicroseconds);
#ifdef Q_OS_WIN
        if (pauseMicroseconds > 0) {
            QSKIP("score_saver cannot split a write in two on Windows");
        }
#endif
        const QStringList names = {"Prvni", "Druhy, s carkou", "Treti", "Ctvrty"};
        std::vector<std::unique_ptr<QProcess>> savers;
        for (const QString& name : names) {
            savers.push_back(startSaver(m_path, name, perCopy, pauseMicroseconds));
        }
        for (auto& saver : savers) {
            QVERIFY(saver->waitForFinished(120000));
            QCOMPARE(saver->exitStatus(), QProcess::NormalExit);
            QVERIFY2(saver->exitCode() == 0, saver->readAllStandardError().constData());
        }

        const QStringList lines = QString::fromLatin1(readFile(m_path)).split("\r\n");
        QCOMPARE(lines.size(), names.size() * perCopy + 1);
        QCOMPARE(lines.last(), QString());
        // Each copy's records arrive whole, each once, in the order it saved them.
        QHash<QString, int> next;
        QString previous;
        int turns = 0; // runs of lines from one copy: 4 if they had saved one after another
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            const QRegularExpressionMatch match = wholeRecord.match(lines[i]);
            QVERIFY2(match.hasMatch(),
                     qPrintable(QStringLiteral("line %1: %2").arg(i).arg(lines[i])));
            QString name = match.captured(1);
            name.remove(u'"');
            QCOMPARE(match.captured(2).toInt(), next[name]++);
            turns += name != previous ? 1 : 0;
            previous = name;
        }
        for (const QString& name : names) {
            QCOMPARE(next.value(name), perCopy);
        }
        QVERIFY2(turns > names.size(), "the copies did not save at the same time");
        const ScoreReadResult read = readScoreFile(m_path);
        QVERIFY(!read.errorOccurred());
        QCOMPARE(read.table.ScoreNames.size(), names.size() * perCopy);
    }

    // Each round starts a copy that saves without end, kills it at a random moment and
    // looks at the file: what was there before is untouched, every line is a whole record
    // or one that a later save completed, and only the last line may be cut short.
    void killedMidSaveLosesNoRecordBeforeIt() {
#ifdef Q_OS_WIN
        QSKIP("score_saver cannot split a write in two on Windows, so few kills would cut one");
#endif
        constexpr int kills = 500;
        QRandomGenerator random(11);
        int cut = 0;
        for (int round = 0; round < kills; ++round) {
            const QByteArray before = readFile(m_path);
            std::unique_ptr<QProcess> saver =
                startSaver(m_path, QStringLiteral("K%1").arg(round), 1000000, 1000);
            QVERIFY(saver->waitForReadyRead(10000));
            QThread::usleep(random.bounded(4000));
            saver->kill();
            QVERIFY(saver->waitForFinished(10000));

            const QByteArray after = readFile(m_path);
            QVERIFY2(after.startsWith(before), qPrintable(QStringLiteral("round %1").arg(round)));
            const QStringList lines = QString::fromLatin1(after).split("\r\n");
            for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
                QVERIFY2(wholeRecord.match(lines[i]).hasMatch() || isMendedRecord(lines[i]),
                         qPrintable(QStringLiteral("round %1: %2").arg(round).arg(lines[i])));
            }
            QVERIFY2(lines.last().isEmpty() || isStartOfRecord(lines.last()),
                     qPrintable(lines.last()));
            cut += lines.last().isEmpty() ? 0 : 1;
        }
        // Most kills land between the two halves of a save, or the test proves nothing.
        qInfo("%d of %d kills left a record cut short", cut, kills);
        QVERIFY2(cut > kills / 4, qPrintable(QString::number(cut)));

        // The next save completes a record left cut short, and its own record reads whole.
        const qsizetype records = readScoreRecords(readFile(m_path)).table.ScoreNames.size();
        std::unique_ptr<QProcess> last = startSaver(m_path, QStringLiteral("Last"), 1, 0);
        QVERIFY(last->waitForFinished(10000));
        QCOMPARE(last->exitCode(), 0);
        const ScoreReadResult read = readScoreFile(m_path);
        QVERIFY(!read.errorOccurred());
        QCOMPARE(read.table.ScoreNames.size(), records + 1);
        QCOMPARE(read.table.ScoreNames.last(), QStringLiteral("Last"));
        QCOMPARE(read.table.ScoreMisses.last(), QStringLiteral("0"));
        QCOMPARE(read.table.ScoreDates.last(), QStringLiteral("5.3.2024"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

static const RegisteredTest<ScoreFileProcessesTest> registered;
#include "ScoreFileProcessesTest.moc"
