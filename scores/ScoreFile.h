#pragma once

#include "scores/ScoreTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QDate>
#include <QString>

// The score file: one line per saved game, "name,misses,hits,shots,date" and CR LF, in
// Windows-1250, only ever appended to.

struct ScoreReadResult {
    ScoreTable table;
    // Some step of the reading failed: the file could not be opened or read, or a record
    // was cut short by the end of the file. Whatever could be read is in `table`.
    bool errorOccurred = false;
};

// Reads records until the end of the bytes: each record is the next five fields (see
// ScoreFieldReader). A record cut short keeps the fields read so far, the missing ones
// stay empty, and the error is flagged. The five arrays always have the same length.
ScoreReadResult readScoreRecords(QByteArrayView bytes);

// The same for a file. A file that cannot be opened gives no records and an error.
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

// What must be written before a new record so that it reads back as a record of its own
// after `existing`: nothing when the file ends at a record's end; a line end when only
// that is missing; and when the last record was cut short (a save killed mid-write, a
// hand edit), the closing quote it lacks, empty fields up to five and a line end. The
// records before are never changed.
QByteArray recordCompletion(QByteArrayView existing);

// The date as the score file stores it: the text shown when Windows-1250 holds it; digits
// of other scripts as Latin digits, direction marks dropped; and when even that cannot be
// stored, the date in ISO form (2026-12-08).
QString dateForScoreFile(const QString& shown, QDate date);

struct ScoreWriteResult {
    bool written = false;
    QString errorText; // why not, in Czech, for a message box; empty when written
};

// Appends one record to the score file, creating the file when it is missing. The file
// is locked against other copies of the program while it is read and the line written in
// a single write, so copies saving at once do not mix their lines; recordCompletion is
// written first, in the same write. A save that fails writes nothing and says why. A name
// that isStorableName refuses, or in another field a control character, a double quote or
// a character Windows-1250 lacks, is not written. Every record written reads back as
// written, except that blanks at the start of a name without a comma are skipped.
ScoreWriteResult AppendScoreRecord(const QString& path, const QString& name, const QString& misses,
                                   const QString& hits, const QString& shots, const QString& date);
