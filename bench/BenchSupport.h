// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <ctime>
#include <functional>

// This thread's CPU time so far, in ns: the part of a call's time spent computing rather
// than waiting, which other work on the machine changes far less than the wall time.
inline qint64 threadCpuNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Peak resident memory of this process so far (VmHWM), in KiB; -1 where it cannot be read.
inline long peakMemoryKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

// Writes a score file of `records` records as the game writes them (Windows-1250 bytes),
// record k under the name nameOf(k) with made-up counts and the given date.
inline bool writeScoreFile(const QString& path, int records,
                           const std::function<QByteArray(int)>& nameOf, const QByteArray& date) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QByteArray chunk;
    for (int k = 0; k < records; ++k) {
        const int hits = k % 97;
        const int misses = k % 13;
        chunk += nameOf(k) + ',' + QByteArray::number(misses) + ',' + QByteArray::number(hits) +
                 ',' + QByteArray::number(hits + misses) + ',' + date + "\r\n";
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    return file.write(chunk) == chunk.size();
}
