#include "scores/ScoreFile.h"

#include "scores/AppendFile.h"
#include "scores/Cp1250.h"
#include "scores/FileKind.h"
#include "scores/ScoreFields.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>

namespace {

constexpr qsizetype fieldsPerRecord = 5;

// Ends a field that the end of the file cut into, in memory and when a save completes it,
// so that a cut count or date never passes for a whole one. No save writes it in a count
// or a date.
constexpr char cutMark = '?';

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
    return {false,
            QStringLiteral("Skóre se nepodařilo uložit do souboru %1.\n%2")
                .arg(QDir::toNativeSeparators(path), reason),
            {}};
}

bool holdsLineEnd(QByteArrayView bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return c == '\r' || c == '\n'; });
}

// The records, and how the bytes end: the fields the last record lacks (none when the
// bytes end at a record's end), how its last field ended and whether the end cut into it.
struct Parsed {
    ScoreReadResult read;
    qsizetype missing = 0;
    ScoreFieldReader::FieldEnd lastEnd = ScoreFieldReader::FieldEnd::LineEnd;
    bool lastFieldCut = false;
};

Parsed parseRecords(QByteArrayView bytes) {
    Parsed parsed;
    ScoreTable& table = parsed.read.table;
    const std::array columns = {&table.ScoreNames, &table.ScoreMisses, &table.ScoreHits,
                                &table.ScoreShots, &table.ScoreDates};
    // A record takes at least five bytes (four commas and a line end). Room the file does
    // not use is never touched, so it costs address space, not memory.
    for (TextList* column : columns) {
        column->reserve(bytes.size() / 5 + 1);
    }

    ScoreFieldReader reader(bytes);
    bool recordsEndLines = true; // so far every record ended at a line end
    while (!reader.atEnd()) {
        const qsizetype recordStart = reader.position();
        for (TextList* column : columns) {
            const std::optional<QByteArrayView> field = reader.readField();
            parsed.missing += field ? 0 : 1; // read past the end: the entry stays empty
            const QByteArrayView value = field.value_or(QByteArrayView());
            const bool cut = field && reader.lastFieldCut();
            column->appendWith(value.size() + (cut ? 1 : 0), [value, cut](QChar* out) {
                decodeCp1250(value, out);
                if (cut) {
                    out[value.size()] = QChar(cutMark);
                }
            });
            parsed.lastFieldCut = parsed.lastFieldCut || cut;
        }
        if (parsed.missing > 0 || parsed.lastFieldCut) {
            // A save cut off leaves a line begun and never ended; anything else is a fault
            // of the file's earlier lines or of this one's shape.
            parsed.read.fault = recordsEndLines && !holdsLineEnd(bytes.sliced(recordStart))
                                    ? ScoreFault::LastRecordCut
                                    : ScoreFault::Broken;
        }
        recordsEndLines =
            recordsEndLines && reader.lastFieldEnd() == ScoreFieldReader::FieldEnd::LineEnd;
    }
    parsed.lastEnd = reader.lastFieldEnd();
    return parsed;
}

// What must be written before a new record so that it reads back as a record of its own
// after `existing`: nothing when the file ends at a record's end; a line end when only
// that is missing; and when the last record was cut short (a save killed mid-write, a
// hand edit), the mark of the field cut into, the closing quote it lacks, empty fields up
// to five and a line end. The records before are never changed, and the cut one reads as
// before: its cut field was read with the mark, its missing fields as empty.
QByteArray recordCompletion(QByteArrayView existing, const Parsed& parsed) {
    if (existing.isEmpty()) {
        return {};
    }
    const qsizetype missing = parsed.missing;
    QByteArray completion;
    if (parsed.lastFieldCut) {
        completion += cutMark;
    }
    switch (parsed.lastEnd) {
    case ScoreFieldReader::FieldEnd::OpenQuote:
        completion += '"';
        [[fallthrough]];
    case ScoreFieldReader::FieldEnd::EndOfFile:
        // The last field is still open: the commas end it and the empty ones that follow.
        completion += QByteArray(missing, ',') + "\r\n";
        break;
    case ScoreFieldReader::FieldEnd::Comma:
    case ScoreFieldReader::FieldEnd::LineEnd:
        if (existing.back() == '\r') {
            completion += '\n'; // a line end torn between CR and LF is made whole
        }
        // A field has begun after the delimiter: the line end ends the last empty one.
        if (missing > 0) {
            completion += QByteArray(missing - 1, ',') + "\r\n";
        }
        break;
    }
    return completion;
}

} // namespace

ScoreReadResult readScoreRecords(QByteArrayView bytes) {
    return parseRecords(bytes).read;
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
    const QByteArray bytes = file.readAll();
    ScoreReadResult result = readScoreRecords(bytes);
    if (file.error() != QFileDevice::NoError) {
        result.fault = ScoreFault::NotRead;
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
                                   const QString& hits, const QString& shots, const QString& date) {
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
    const std::optional<QByteArray> existing = file.contents();
    if (!existing) {
        return failure(path, file.errorText());
    }
    // The file is read once: the records parsed here are also the table the save leaves.
    Parsed parsed = parseRecords(*existing);
    const QByteArray record = formatScoreRecord(name, misses, hits, shots, date);
    // One write still: whatever mends the last record goes out with the new one.
    if (!file.append(recordCompletion(*existing, parsed) + record) || !file.close()) {
        return failure(path, file.errorText());
    }
    ScoreTable& table = parsed.read.table;
    const ScoreTable added = readScoreRecords(record).table;
    for (const auto column :
         {&ScoreTable::ScoreNames, &ScoreTable::ScoreMisses, &ScoreTable::ScoreHits,
          &ScoreTable::ScoreShots, &ScoreTable::ScoreDates}) {
        (table.*column).append((added.*column).view(0));
    }
    return {true, {}, std::move(table)};
}
