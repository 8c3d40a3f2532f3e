// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scores/FileKind.h"
#include "scores/ScoreRecordReader.h"
#include "scores/ScoreTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QDate>
#include <QString>

// The score file: one line per saved game, "name,misses,hits,shots,date" and CR LF, in
// Windows-1250, only ever appended to.

// Which step of the reading failed, if any. Whatever could be read is in the table.
enum class ScoreFault {
    None,
    // The file could not be opened or read: it is missing, say.
    NotRead,
    // Something other than a file lies at the path (a folder, a pipe, a device, a socket,
    // or a link to one). It is never opened, so nothing blocks and nothing is read.
    NotAFile,
    // The file ends inside its last record, on the line where that record began, and every
    // record before it ends its line: what a save cut off half-way leaves. The next save
    // completes that record, so saving stays possible.
    LastRecordCut,
    // A record cut short by the end of the file where more than the end is at fault: a
    // line with too few or too many fields, or a quote left open across lines.
    Broken,
};

// Where a read of the score file ended, so that a save can go on from there and read only
// what was appended since: known only when the file was read whole without a fault and
// ended at a delimiter, so that it ended at a record's end and not inside its last field.
struct ScoreFileEnd {
    std::optional<FileIdentity> file;
    ScoreRecordReader reader;
};

struct ScoreReadResult {
    ScoreTable table;
    ScoreFault fault = ScoreFault::None;
    ScoreFileEnd end = {};
    bool errorOccurred() const { return fault != ScoreFault::None; }
};

// Reads records until the end of the bytes: each record is the next five fields (see
// ScoreRecordReader). A record cut short keeps the fields read so far, the one the end of
// the bytes cut into with a '?' after it, the missing ones stay empty, and the fault is
// given. The five arrays always have the same length.
ScoreReadResult readScoreRecords(QByteArrayView bytes);

// The same for a file, which is never opened when it is no ordinary file. It is read in
// pieces, so that memory holds little more than the table.
ScoreReadResult readScoreFile(const QString& path);

// Whether a player name may hold this character: Windows-1250 must be able to store it,
// and it must be neither a control character nor a double quote, which the reader would
// take as the start or end of a quoted field. The name box refuses anything else.
bool isStorableNameCharacter(QChar character);
bool isStorableName(const QString& name);

// The bytes one record is stored as, CR LF included. A field holding a comma is put in
// double quotes, so that it reads back whole, and so are the counts and the date when
// they begin with a blank; every other field is written as it is.
QByteArray formatScoreRecord(const QString& name, const QString& misses, const QString& hits,
                             const QString& shots, const QString& date);

// The date as the score file stores it: the text shown when Windows-1250 holds it; digits
// of other scripts as Latin digits, direction marks dropped; and when even that cannot be
// stored, the date in ISO form (2026-12-08).
QString dateForScoreFile(const QString& shown, QDate date);

struct ScoreWriteResult {
    bool written = false;
    QString errorText; // why not, in Czech, for a message box; empty when written
    // The records as the file holds them after the save (read under its lock, the new one
    // added), so that the table can be shown again without reading the file once more:
    // when the save went on from where the table was read, only the records after it.
    ScoreTable table;
    bool continuesLoaded = false;
    ScoreFileEnd end; // where the file ends after the save, for the next one
};

// Appends one record to the score file, creating the file when it is missing: read and
// written under the file's lock, the record in a single write together with whatever
// completes a last record cut short (its cut field marked). The records before are never
// changed. A save that fails, or whose name or fields the file cannot hold, writes nothing
// and says why. Every record written reads back as written, except that blanks at the
// start of a name without a comma are skipped. When `loaded` tells where the table shown
// was read to, and the file there is still that one and not shorter, only what was
// appended since is read; otherwise the whole file.
ScoreWriteResult AppendScoreRecord(const QString& path, const QString& name, const QString& misses,
                                   const QString& hits, const QString& shots, const QString& date,
                                   const ScoreFileEnd& loaded = {});
