// Reading the score table: time (median of several reads) and peak memory for tables of
// 32,767 (the list's highest position), 1,000,000 and 10,000,000 records, and for a file
// past 4 GiB that is all one field but for a record at its end (sparse: a shared table
// whose start was lost); and the time of one save after them.
//
// Run without arguments: writes the files into a temporary folder, then measures each in
// a process of its own, so that one size's peak memory does not hide the other's. The
// big file is read and saved to once.

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

// A sparse file of `size` bytes: zeros, then one record.
bool writeSparse(const QString& path, qint64 size) {
    const QByteArray record("Dido,3,7,10,5.3.2024\r\n");
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(size - record.size()) &&
           file.seek(size - record.size()) && file.write(record) == record.size();
}

int measure(const QString& path, int runs) {
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
                               .arg(times[times.size() / 2], 0, 'f', 1)
                               .arg(times.front(), 0, 'f', 1)
                               .arg(before, 0, 'f', 1)
                               .arg(peakMemoryMiB(), 0, 'f', 1)
                               .arg(saves[saves.size() / 2], 0, 'f', 1);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3) {
        return measure(arguments[1], arguments[2].toInt());
    }

    QTemporaryDir dir;
    QTextStream(stdout) << "| records | file | median read | fastest | peak memory before"
                        << " | peak memory after | one save after them, median |\n"
                        << "|---|---|---|---|---|---|---|\n";
    for (const int records : {32767, 1000000, 10000000, 0}) {
        const QString path = dir.filePath(QStringLiteral("Data5-%1.dat").arg(records));
        const bool written = records > 0 ? writeTable(path, records)
                                         : writeSparse(path, (qint64(4) << 30) + (64 << 20));
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(app.applicationFilePath(), {path, QString::number(records > 0 ? 5 : 1)});
        const bool measured = written && child.waitForFinished(-1) && child.exitCode() == 0;
        QFile::remove(path);
        if (!measured) {
            return 1;
        }
    }
    return 0;
}
