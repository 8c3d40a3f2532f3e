#pragma once

#include "scores/ScoreTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
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
// double quotes, so that it reads back whole; every other field is written as it is.
QByteArray formatScoreRecord(const QString& name, const QString& misses, const QString& hits,
                             const QString& shots, const QString& date);

struct ScoreWriteResult {
    bool written = false;
    QString errorText; // why not, in Czech, for a message box; empty when written
};

// Appends one record to the score file, creating the file when it is missing. The line
// goes out in a single write, so two copies of the program saving at once do not mix
// their lines; if the file's last line lacks its line end, that line end is written
// first. A save that fails writes nothing and says why. A name that isStorableName
// refuses, or a control character or double quote in another field, is not written.
// Every record written reads back as written, except that blanks at the start of an
// unquoted name are skipped by the reader.
ScoreWriteResult AppendScoreRecord(const QString& path, const QString& name, const QString& misses,
                                   const QString& hits, const QString& shots, const QString& date);
