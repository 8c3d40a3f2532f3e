// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scores/ScoreTable.h"

#include <QByteArrayView>

// Reads the score file into a score table piece by piece, in pieces of any size: a record
// may straddle two pieces, and so may a field of gigabytes, which goes into the table
// without ever being held whole anywhere else. The fields follow the rules of the
// runtime's field input:
// - a comma or a line end ends a field; CR LF is one line end, a lone CR or LF is one too;
// - blanks (spaces, tabs) before a field are skipped, and so are line ends before the
//   first field of the file: a file of blanks and line ends holds no field at all;
// - a field that begins with a double quote runs to the next double quote (or the end of
//   the file); the quotes are not part of the value, and whatever follows the closing
//   quote up to the next delimiter is discarded;
// - two delimiters in a row give an empty field;
// - blanks at the end of an unquoted field are kept.
// A record is simply the next five fields, so line ends are not checked against record
// boundaries. The reader is small and copyable: a copy taken where the file ended goes on
// reading what is appended to it later, into the same table or a table of its own.
class ScoreRecordReader {
public:
    // Reads the next bytes of the file into the table's five columns.
    void read(QByteArrayView piece, ScoreTable& table);

    // How the last field read ended: at a comma, at a line end, at the end of the file, or
    // at the end of the file inside a quoted field whose closing quote never came.
    enum class FieldEnd { Comma, LineEnd, EndOfFile, OpenQuote };
    // How the bytes read so far end, were the file to end here.
    struct Ending {
        // The fields the last record lacks; none when the bytes end at a record's end.
        qsizetype missing = 0;
        FieldEnd lastEnd = FieldEnd::LineEnd;
        // Whether the end came before the last field read had its end: a field of blanks
        // only, a field other than the record's last unquoted up to the end, or one whose
        // closing quote never came. The end of the file ends an unquoted last field.
        bool lastFieldCut = false;
        // Whether the record the end cut into is what a save cut off leaves: a line begun
        // and never ended, after records that all ended their lines.
        bool onlyLastLineCut = false;
    };
    Ending ending() const;
    // Completes the table as an end of the file here leaves it: the field the end cut into
    // gets the cut mark, so that a record cut short never passes for a whole one, and the
    // missing fields are empty.
    void complete(ScoreTable& table) const;
    static constexpr char cutMark = '?';

    qint64 bytesRead() const { return m_bytesRead; }
    // The last byte read; there must be one.
    char lastByte() const { return m_lastByte; }

private:
    enum class State {
        FileStart,   // blanks and line ends before the first field are skipped
        RecordStart, // a record begins with the next byte
        FieldStart,  // a field begins with the next byte
        Blanks,      // blanks before a field's first character
        Unquoted,
        Quoted,
        AfterQuote, // what follows a closing quote up to the delimiter is discarded
        AfterCr,    // a line end's LF may follow, and is part of it
    };

    // Ends the current field at the delimiter `byte`.
    void endField(char byte);

    State m_state = State::FileStart;
    State m_afterCr = State::RecordStart;   // where AfterCr goes on
    qsizetype m_field = 0;                  // the field of the record being read
    FieldEnd m_lastEnd = FieldEnd::LineEnd; // the file begins a line
    bool m_recordHoldsLineEnd = false;
    bool m_recordsEndLines = true; // every record before this one ended at a line end
    qint64 m_bytesRead = 0;
    char m_lastByte = 0;
};
