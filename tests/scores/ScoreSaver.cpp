// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Saves score records in a loop through the name entry dialog's save, AppendScoreRecord,
// for the tests that run several copies of it at once or kill one mid-save.
//   score_saver <file> <name> <count> [pause in microseconds]
// Record i (from 0) is "<name>,<i>,7,10,5.3.2024". With a pause, every write to a regular
// file goes out in two halves with the pause between, as on a network file system whose
// appends are not atomic (not on Windows, whose WriteFile this program cannot stand in
// for). Prints "saving" before the first save; a failed save ends the program with status
// 1 and the reason.

#include "scores/ScoreFile.h"

#include <QDate>

#include <cstdio>
#include <cstdlib>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

useconds_t splitPause = 0;

} // namespace

// Stands in for the C library's write() in this program only: the save's single write
// reaches the file in two parts when a pause is set.
extern "C" ssize_t write(int fd, const void* data, size_t size) {
    struct stat status;
    if (splitPause == 0 || size < 2 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        return ::syscall(SYS_write, fd, data, size);
    }
    const size_t half = size / 2;
    const ssize_t first = ::syscall(SYS_write, fd, data, half);
    if (first != ssize_t(half)) {
        return first;
    }
    ::usleep(splitPause);
    const ssize_t second =
        ::syscall(SYS_write, fd, static_cast<const char*>(data) + half, size - half);
    return second < 0 ? first : first + second;
}
#endif

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: score_saver <file> <name> <count> [pause in microseconds]\n", stderr);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    const long count = std::atol(argv[3]);
#ifndef Q_OS_WIN
    splitPause = argc > 4 ? useconds_t(std::atol(argv[4])) : 0;
#endif

    std::puts("saving");
    std::fflush(stdout);
    for (long i = 0; i < count; ++i) {
        const ScoreWriteResult saved =
            AppendScoreRecord(path, name, QString::number(i), QStringLiteral("7"),
                              QStringLiteral("10"), QStringLiteral("5.3.2024"));
        if (!saved.written) {
            std::fprintf(stderr, "%s\n", qPrintable(saved.errorText));
            return 1;
        }
    }
    return 0;
}
