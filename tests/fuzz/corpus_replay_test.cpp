// Replays the saved fuzzing corpus through the fuzz target in the ordinary build, so the
// cases the fuzzer once found stay covered without clang or libFuzzer.

#include <QDir>
#include <QFile>
#include <QTest>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

class CorpusReplayTest : public QObject {
    Q_OBJECT

private slots:
    void corpusInputKeepsTheReaderSound_data() {
        QTest::addColumn<QString>("path");
        const QDir corpus(QStringLiteral(OMVAR_FUZZ_CORPUS));
        const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
        QVERIFY(!names.isEmpty());
        for (const QString& name : names) {
            QTest::newRow(qPrintable(name)) << corpus.filePath(name);
        }
    }

    void corpusInputKeepsTheReaderSound() {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // The target aborts on a broken invariant; reaching the end is the pass.
        QCOMPARE(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                        std::size_t(bytes.size())),
                 0);
    }
};

QTEST_APPLESS_MAIN(CorpusReplayTest)
#include "corpus_replay_test.moc"
