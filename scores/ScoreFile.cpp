// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/ScoreFile.h"

#include "forms/Cp1250.h"
#include "scores/AppendFile.h"
#include "scores/FileKind.h"
#include "scores/ScoreRecordReader.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

// The score file is read this much at a time.
constexpr qsizetype pieceSize = 4 << 20;

bool isControl(QChar character) {
    const char16_t code = character.unicode();
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// Fields other than the name: they must not break the line or the quoting, and every
// character must have its byte in Windows-1250 (no '?' stands in for one).
bool isStorableField(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c != u'"' && !isControl(c) && isCp1250Encodable(c); });
}

// A field is quoted when it holds a comma. So are the counts and the date when they begin
// with a blank, which the reader would skip; a name keeps its rule: such blanks go.
enum class Blanks { Skipped, Kept };

void appendField(QByteArray& line, const QString& text, Blanks leading) {
    const bool blankFirst = !text.isEmpty() && text.front() == u' ';
    if (text.contains(u',') || (leading == Blanks::Kept && blankFirst)) {
        line += '"' + toCp1250(text) + '"';
    } else {
        line += toCp1250(text);
    }
}

ScoreWriteResult failure(const QString& path, const QString& reason) {
    ScoreWriteResult result;
    result.errorText = QStringLiteral("Skóre se nepodařilo uložit do souboru %1.\n%2")
                           .arg(QDir::toNativeSeparators(path), reason);
    return result;
}

// Ends the table as the end of the file leaves it, and says which fault that end is.
ScoreFault finish(const ScoreRecordReader& reader, ScoreTable& table) {
    const ScoreRecordReader::Ending end = reader.ending();
    reader.complete(table);
    if (end.missing == 0 && !end.lastFieldCut) {
        return ScoreFault::None;
    }
    // A save cut off leaves a line begun and never ended; anything else is a fault of the
    // file's earlier lines or of this one's shape.
    return end.onlyLastLineCut ? ScoreFault::LastRecordCut : ScoreFault::Broken;
}

// What must be written before a new record so that it reads back as a record of its own
// after what the reader read: nothing when the file ends at a record's end; a line end
// when only that is missing; and when the last record was cut short (a save killed
// mid-write, a hand edit), the mark of the field cut into, the closing quote it lacks,
// empty fields up to five and a line end. The records before are never changed, and the
// cut one reads as before: its cut field was read with the mark, its missing fields as
// empty.
QByteArray recordCompletion(const ScoreRecordReader& reader) {
    if (reader.bytesRead() == 0) {
        return {};
    }
    const ScoreRecordReader::Ending end = reader.ending();
    QByteArray completion;
    if (end.lastFieldCut) {
        completion += ScoreRecordReader::cutMark;
    }
    switch (end.lastEnd) {
    case ScoreRecordReader::FieldEnd::OpenQuote:
        completion += '"';
        [[fallthrough]];
    case ScoreRecordReader::FieldEnd::EndOfFile:
        // The last field is still open: the commas end it and the empty ones that follow.
        completion += QByteArray(end.missing, ',') + "\r\n";
        break;
    case ScoreRecordReader::FieldEnd::Comma:
    case ScoreRecordReader::FieldEnd::LineEnd:
        if (reader.lastByte() == '\r') {
            completion += '\n'; // a line end torn between CR and LF is made whole
        }
        // A field has begun after the delimiter: the line end ends the last empty one.
        if (end.missing > 0) {
            completion += QByteArray(end.missing - 1, ',') + "\r\n";
        }
        break;
    }
    return completion;
}

} // namespace

ScoreReadResult readScoreRecords(QByteArrayView bytes) {
    ScoreReadResult result;
    ScoreRecordReader reader;
    reader.read(bytes, result.table);
    result.fault = finish(reader, result.table);
    return result;
}

ScoreReadResult readScoreFile(const QString& path) {
    if (const FileKind kind = fileKindAt(path); kind != FileKind::File) {
        return {{}, kind == FileKind::Missing ? ScoreFault::NotRead : ScoreFault::NotAFile};
    }
    QFile file;
    switch (openFileForReading(file, path)) {
    case FileKind::File:
        break;
    case FileKind::Missing:
        return {{}, ScoreFault::NotRead};
    default:
        return {{}, ScoreFault::NotAFile}; // swapped for something else since it was looked at
    }
    ScoreReadResult result;
    ScoreRecordReader reader;
    QByteArray piece(pieceSize, Qt::Uninitialized);
    qint64 read;
    while ((read = file.read(piece.data(), piece.size())) > 0) {
        reader.read(QByteArrayView(piece.constData(), read), result.table);
    }
    // A failing read keeps what was read before it, its last record completed.
    const ScoreFault end = finish(reader, result.table);
    result.fault = read < 0 ? ScoreFault::NotRead : end;
    // A save goes on from here only after a delimiter: what is appended to a date the end
    // of the file left open belongs to a record the save's own table does not hold.
    using FieldEnd = ScoreRecordReader::FieldEnd;
    const FieldEnd lastEnd = reader.ending().lastEnd;
    if (result.fault == ScoreFault::None &&
        (lastEnd == FieldEnd::Comma || lastEnd == FieldEnd::LineEnd)) {
        result.end = {identityOf(file), reader};
    }
    return result;
}

bool isStorableNameCharacter(QChar character) {
    return character != u'"' && !isControl(character) && isCp1250Encodable(character);
}

bool isStorableName(const QString& name) {
    return std::all_of(name.begin(), name.end(), isStorableNameCharacter);
}

QByteArray formatScoreRecord(const QString& name, const QString& misses, const QString& hits,
                             const QString& shots, const QString& date) {
    QByteArray line;
    line.reserve(name.size() + misses.size() + hits.size() + shots.size() + date.size() + 16);
    appendField(line, name, Blanks::Skipped);
    for (const QString* field : {&misses, &hits, &shots, &date}) {
        line += ',';
        appendField(line, *field, Blanks::Kept);
    }
    line += "\r\n";
    return line;
}

QString dateForScoreFile(const QString& shown, QDate date) {
    QString stored;
    stored.reserve(shown.size());
    for (const QChar c : shown) {
        if (isCp1250Encodable(c) && !isControl(c)) {
            stored += c;
        } else if (c.digitValue() >= 0) {
            stored += QChar(u'0' + c.digitValue());
        } else if (c.category() != QChar::Other_Format) { // direction marks are dropped
            return date.toString(Qt::ISODate);
        }
    }
    return isStorableField(stored) ? stored : date.toString(Qt::ISODate);
}

ScoreWriteResult AppendScoreRecord(const QString& path, const QString& name, const QString& misses,
                                   const QString& hits, const QString& shots, const QString& date,
                                   const ScoreFileEnd& loaded) {
    if (!isStorableName(name)) {
        return failure(path, QStringLiteral("Jméno obsahuje znak, který nelze uložit."));
    }
    if (!isStorableField(misses) || !isStorableField(hits) || !isStorableField(shots) ||
        !isStorableField(date)) {
        return failure(path, QStringLiteral("Záznam obsahuje znak, který nelze uložit."));
    }
    AppendFile file(path);
    if (!file.isOpen()) {
        return failure(path, file.errorText());
    }
    // A file the system cannot identify is read whole.
    const std::optional<FileIdentity> identity = file.identity();
    const std::optional<qint64> size = file.size();
    if (!size) {
        return failure(path, file.errorText());
    }
    // The file is read once, and only as far as the table shown was not read from it: the
    // records parsed here and the ones written are the table the save leaves.
    const bool continues =
        loaded.file && loaded.file == identity && *size >= loaded.reader.bytesRead();
    ScoreRecordReader reader = continues ? loaded.reader : ScoreRecordReader();
    ScoreTable table;
    for (;;) {
        const std::optional<QByteArray> piece = file.readAt(reader.bytesRead(), pieceSize);
        if (!piece) {
            return failure(path, file.errorText());
        }
        if (piece->isEmpty()) {
            break;
        }
        reader.read(*piece, table);
    }
    // One write still: whatever mends the last record goes out with the new one.
    const QByteArray written =
        recordCompletion(reader) + formatScoreRecord(name, misses, hits, shots, date);
    if (!file.append(written) || !file.close()) {
        return failure(path, file.errorText());
    }
    reader.read(written, table);
    return {true, {}, std::move(table), continues, {identity, reader}};
}
