// Reading the score table: time (median of several reads) and peak memory for a table at
// the list's highest position, 32,767 records, and for 1,000,000 records; and the time of
// one save after them, which reads the whole file to find where its last record ends.
//
// Run without arguments: writes the two files into a temporary folder, then measures each
// in a process of its own, so that one size's peak memory does not hide the other's.

#include "BenchSupport.h"
#include "scores/ScoreFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int runs = 5;

// Peak resident memory of this process so far, in MiB.
double peakMemoryMiB() {
    return peakMemoryKiB() / 1024.0;
}

// Records like the game writes them, with a few Czech names and a quoted one among them.
bool writeTable(const QString& path, int records) {
    static const char* const names[] = {"Dido", "Ji\xf8\xed Nov\xe1k", "\"Nov\xe1k, Jan\"",
                                        "Nezn\xe1m\xfd hr\xe1\xe8", "Eli\x9aka \x8atastn\xe1 1234"};
    return writeScoreFile(
        path, records, [](int k) { return QByteArray(names[k % 5]); }, "5.3.2024");
}

int measure(const QString& path) {
    const double before = peakMemoryMiB();
    std::vector<double> times;
    qsizetype records = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const ScoreReadResult result = readScoreFile(path);
        times.push_back(timer.nsecsElapsed() / 1e6);
        records = result.table.ScoreNames.size();
        if (result.errorOccurred()) {
            std::fprintf(stderr, "reading %s reported an error\n", qPrintable(path));
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    std::vector<double> saves;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!AppendScoreRecord(path, "Dido", "3", "7", "10", "5.3.2024").written) {
            std::fprintf(stderr, "saving into %s failed\n", qPrintable(path));
            return 1;
        }
        saves.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(saves.begin(), saves.end());
    QTextStream(stdout) << QStringLiteral(
                               "| %1 | %2 MB | %3 ms | %4 ms | %5 MiB | %6 MiB | %7 ms |\n")
                               .arg(records)
                               .arg(QFile(path).size() / 1e6, 0, 'f', 1)
                               .arg(times[runs / 2], 0, 'f', 1)
                               .arg(times.front(), 0, 'f', 1)
                               .arg(before, 0, 'f', 1)
                               .arg(peakMemoryMiB(), 0, 'f', 1)
                               .arg(saves[runs / 2], 0, 'f', 1);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 2) {
        return measure(arguments[1]);
    }

    QTemporaryDir dir;
    QTextStream(stdout) << "| records | file | median of " << runs
                        << " | fastest | peak memory before | peak memory after | one save after"
                        << " them, median |\n"
                        << "|---|---|---|---|---|---|---|\n";
    for (const int records : {32767, 1000000}) {
        const QString path = dir.filePath(QStringLiteral("Data5-%1.dat").arg(records));
        if (!writeTable(path, records)) {
            return 1;
        }
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(app.applicationFilePath(), {path});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            return 1;
        }
    }
    return 0;
}
