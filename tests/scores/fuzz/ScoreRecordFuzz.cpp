// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target for saving: whatever the score file held before, a record saved by
// AppendScoreRecord reads back as the last record with the five fields given, and every
// record before it reads as it did before the save.
//
// The input is six parts separated by NUL bytes: the file's bytes before the save, then,
// in UTF-8, the name as typed, the misses, the hits, the shots and the date as shown. The
// name keeps what the name box lets through (its characters, 18 of them at most), the date
// goes through the conversion the name entry dialog applies.

#include "scores/ScoreFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

QString typedIntoTheNameBox(const QString& typed) {
    QString name;
    for (const QChar c : typed) {
        if (name.size() < 18 && isStorableNameCharacter(c)) {
            name += c;
        }
    }
    return name;
}

// The reader skips blanks before a field unless it is quoted, as a name with a comma is.
QString nameReadBack(const QString& name) {
    if (name.contains(u',')) {
        return name;
    }
    const auto first = std::find_if(name.begin(), name.end(), [](QChar c) { return c != u' '; });
    return QString(first, name.end() - first);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0');
    auto part = [&](qsizetype i) { return QString::fromUtf8(parts.value(i)); };
    const QByteArray before = parts.value(0);
    const QString name = typedIntoTheNameBox(part(1));
    const QString misses = part(2), hits = part(3), shots = part(4);
    const QString date = dateForScoreFile(part(5), QDate(2026, 12, 8));

    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Data5.dat"));
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(before) == before.size());
    file.close();

    const ScoreWriteResult saved = AppendScoreRecord(path, name, misses, hits, shots, date);
    require(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    file.close();
    if (!saved.written) {
        // Only counts the file cannot hold are refused (a quote, a control character, a
        // character outside Windows-1250); then nothing is written.
        require(after == before);
        require(!(misses + hits + shots).isEmpty());
        return 0;
    }

    const ScoreTable old = readScoreRecords(before).table;
    const ScoreReadResult now = readScoreRecords(after);
    require(!now.errorOccurred());
    require(saved.table == now.table); // the table shown after the save, without reading again
    require(after.startsWith(before));
    const qsizetype n = old.ScoreNames.size();
    require(now.table.ScoreNames.size() == n + 1);
    const std::array oldColumns = {&old.ScoreNames, &old.ScoreMisses, &old.ScoreHits,
                                   &old.ScoreShots, &old.ScoreDates};
    const std::array newColumns = {&now.table.ScoreNames, &now.table.ScoreMisses,
                                   &now.table.ScoreHits, &now.table.ScoreShots,
                                   &now.table.ScoreDates};
    for (std::size_t column = 0; column < oldColumns.size(); ++column) {
        for (qsizetype i = 0; i < n; ++i) {
            require(newColumns[column]->at(i) == oldColumns[column]->at(i));
        }
    }
    require(now.table.ScoreNames.at(n) == nameReadBack(name));
    require(now.table.ScoreMisses.at(n) == misses);
    require(now.table.ScoreHits.at(n) == hits);
    require(now.table.ScoreShots.at(n) == shots);
    require(now.table.ScoreDates.at(n) == date);
    return 0;
}
