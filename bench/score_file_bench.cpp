// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading the score table: time (median of several reads) and peak memory for tables of
// 32,767 (the list's highest position), 1,000,000 and 10,000,000 records, and for a file
// past 4 GiB that is all one field but for a record at its end (sparse: a shared table
// whose start was lost); then saves as the player's "Ok" walks them: each goes on from
// the table read (or left by the save before), and its records are added to that table,
// as the score table screen does. Peak memory after the read and after the saves.
//
// Run without arguments: writes the files into a temporary folder, then walks each five
// times (the big file once), every walk in a process of its own, so that one walk's peak
// memory does not hide another's.

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

// One player's walk in a process of its own: the table read once, then five saves, each
// going on from the table read or left by the save before, its records added to that
// table as the score table screen does. Prints the read's time, the peak memory before,
// after the read and after the saves, the saves' median time and the records read.
int walk(const QString& path) {
    const double before = peakMemoryMiB();
    QElapsedTimer timer;
    timer.start();
    ScoreReadResult loaded = readScoreFile(path);
    const double read = timer.nsecsElapsed() / 1e6;
    if (loaded.errorOccurred()) {
        std::fprintf(stderr, "reading %s reported an error\n", qPrintable(path));
        return 1;
    }
    const double afterRead = peakMemoryMiB();
    std::vector<double> saves;
    for (int i = 0; i < 5; ++i) {
        timer.start();
        ScoreWriteResult saved =
            AppendScoreRecord(path, "Dido", "3", "7", "10", "5.3.2024", loaded.end);
        if (!saved.written || !saved.continuesLoaded) {
            std::fprintf(stderr, "saving into %s failed or read it whole\n", qPrintable(path));
            return 1;
        }
        loaded.table.append(saved.table);
        loaded.end = saved.end;
        saves.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(saves.begin(), saves.end());
    std::printf("%f %f %f %f %f %lld\n", read, before, afterRead, peakMemoryMiB(), saves[2],
                qlonglong(loaded.table.ScoreNames.size() - 5));
    return 0;
}

// Walks the file `runs` times and prints the row: median read, fastest, the highest peaks
// (and their share of the file's size, the process's own start-up memory left out) and
// the median of the saves' medians.
bool measure(const QString& program, const QString& path, int runs) {
    const double size = QFile(path).size();
    std::vector<double> reads, saves;
    double before = 0, afterRead = 0, afterSaves = 0;
    qlonglong records = 0;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(program, {path});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            return false;
        }
        const QList<QByteArray> numbers = child.readAllStandardOutput().trimmed().split(' ');
        reads.push_back(numbers[0].toDouble());
        before = std::max(before, numbers[1].toDouble());
        afterRead = std::max(afterRead, numbers[2].toDouble());
        afterSaves = std::max(afterSaves, numbers[3].toDouble());
        saves.push_back(numbers[4].toDouble());
        records = numbers[5].toLongLong();
    }
    std::sort(reads.begin(), reads.end());
    std::sort(saves.begin(), saves.end());
    const auto ofFile = [&](double mib) { return (mib - before) * (1 << 20) / size; };
    QTextStream(stdout) << QStringLiteral("| %1 | %2 MB | %3 ms | %4 ms | %5 MiB | %6 MiB (%7) "
                                          "| %8 ms | %9 MiB (%10) |\n")
                               .arg(records)
                               .arg(size / 1e6, 0, 'f', 1)
                               .arg(reads[reads.size() / 2], 0, 'f', 1)
                               .arg(reads.front(), 0, 'f', 1)
                               .arg(before, 0, 'f', 1)
                               .arg(afterRead, 0, 'f', 1)
                               .arg(ofFile(afterRead), 0, 'f', 2)
                               .arg(saves[saves.size() / 2], 0, 'f', 2)
                               .arg(afterSaves, 0, 'f', 1)
                               .arg(ofFile(afterSaves), 0, 'f', 2);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 2) {
        return walk(arguments[1]);
    }

    QTemporaryDir dir;
    QTextStream(stdout) << "| records | file | median read | fastest | memory before"
                        << " | peak after the read (growth, times the file) | median save"
                        << " | peak after five saves (growth, times the file) |\n"
                        << "|---|---|---|---|---|---|---|---|\n";
    for (const int records : {32767, 1000000, 10000000, 0}) {
        const QString path = dir.filePath(QStringLiteral("Data5-%1.dat").arg(records));
        const bool written = records > 0 ? writeTable(path, records)
                                         : writeSparse(path, (qint64(4) << 30) + (64 << 20));
        const bool measured =
            written && measure(app.applicationFilePath(), path, records > 0 ? 5 : 1);
        QFile::remove(path);
        if (!measured) {
            return 1;
        }
    }
    return 0;
}
