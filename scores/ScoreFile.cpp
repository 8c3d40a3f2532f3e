#include "scores/ScoreFile.h"

#include "scores/AppendFile.h"
#include "scores/Cp1250.h"
#include "scores/ScoreFields.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>

namespace {

bool isControl(QChar character) {
    const char16_t code = character.unicode();
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// Fields other than the name: they must not break the line or the quoting.
bool isStorableField(const QString& text) {
    return std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c == u'"' || isControl(c); });
}

void appendField(QByteArray& line, const QString& text) {
    if (text.contains(u',')) {
        line += '"' + toCp1250(text) + '"';
    } else {
        line += toCp1250(text);
    }
}

ScoreWriteResult failure(const QString& path, const QString& reason) {
    return {false, QStringLiteral("Skóre se nepodařilo uložit do souboru %1.\n%2")
                       .arg(QDir::toNativeSeparators(path), reason)};
}

} // namespace

ScoreReadResult readScoreRecords(QByteArrayView bytes) {
    ScoreReadResult result;
    ScoreTable& table = result.table;
    const std::array columns = {&table.ScoreNames, &table.ScoreMisses, &table.ScoreHits,
                                &table.ScoreShots, &table.ScoreDates};
    // A record takes at least five bytes (four commas and a line end). Room the file does
    // not use is never touched, so it costs address space, not memory.
    for (TextList* column : columns) {
        column->reserve(bytes.size() / 5 + 1);
    }

    ScoreFieldReader reader(bytes);
    while (!reader.atEnd()) {
        for (TextList* column : columns) {
            const std::optional<QByteArrayView> field = reader.readField();
            if (!field) {
                result.errorOccurred = true; // read past the end: the entry stays empty
            }
            const QByteArrayView bytes = field.value_or(QByteArrayView());
            column->appendWith(bytes.size(), [bytes](QChar* out) { decodeCp1250(bytes, out); });
        }
    }
    return result;
}

ScoreReadResult readScoreFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {{}, true};
    }
    const QByteArray bytes = file.readAll();
    ScoreReadResult result = readScoreRecords(bytes);
    result.errorOccurred = result.errorOccurred || file.error() != QFileDevice::NoError;
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
    appendField(line, name);
    for (const QString* field : {&misses, &hits, &shots, &date}) {
        line += ',';
        appendField(line, *field);
    }
    line += "\r\n";
    return line;
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
    QByteArray line = formatScoreRecord(name, misses, hits, shots, date);
    if (file.lacksFinalLineEnd()) {
        line.prepend("\r\n"); // one write still: the line end and the record go out together
    }
    if (!file.append(line) || !file.close()) {
        return failure(path, file.errorText());
    }
    return {true, {}};
}
