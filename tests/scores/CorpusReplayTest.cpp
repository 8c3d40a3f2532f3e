// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Replays the saved fuzzing corpora through the fuzz targets in the ordinary build, so the
// cases the fuzzers once found stay covered without clang or libFuzzer.
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cstddef>
#include <cstdint>

// The two libFuzzer entry points, renamed by the build so that one program holds both.
extern "C" int fuzzScoreReader(const std::uint8_t* data, std::size_t size);
extern "C" int fuzzScoreRecord(const std::uint8_t* data, std::size_t size);
using FuzzTarget = int (*)(const std::uint8_t* data, std::size_t size);
Q_DECLARE_METATYPE(FuzzTarget)

class CorpusReplayTest : public QObject {
    Q_OBJECT

private slots:
    void corpusInputKeepsTheReaderSound_data() {
        QTest::addColumn<FuzzTarget>("target");
        QTest::addColumn<QString>("path");
        const std::pair<const char*, FuzzTarget> corpora[] = {{"corpus", fuzzScoreReader},
                                                              {"record-corpus", fuzzScoreRecord}};
        for (const auto& [folder, target] : corpora) {
            const QDir corpus(QStringLiteral(OMVAR_FUZZ_DIR "/") + QLatin1String(folder));
            const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
            QVERIFY(!names.isEmpty());
            for (const QString& name : names) {
                QTest::addRow("%s/%s", folder, qPrintable(name)) << target << corpus.filePath(name);
            }
        }
    }

    void corpusInputKeepsTheReaderSound() {
        QFETCH(FuzzTarget, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // The target aborts on a broken invariant; reaching the end is the pass.
        QCOMPARE(target(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                        std::size_t(bytes.size())),
                 0);
    }
};

static const RegisteredTest<CorpusReplayTest> registered;
#include "CorpusReplayTest.moc"
