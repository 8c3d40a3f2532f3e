#pragma once

#include <QByteArrayView>

#include <optional>

// Reads the score file as one stream of fields, by the rules of the runtime's field input:
// - a comma or a line end ends a field; CR LF is one line end, a lone CR or LF is one too;
// - blanks (spaces, tabs) before a field are skipped, and so are line ends before the
//   first field of the file: a file of blanks and line ends holds no field at all;
// - a field that begins with a double quote runs to the next double quote (or the end of
//   the file); the quotes are not part of the value, and whatever follows the closing
//   quote up to the next delimiter is discarded;
// - two delimiters in a row give an empty field;
// - blanks at the end of an unquoted field are kept.
// Fields are given as their bytes, still in Windows-1250. Records are not known here: a
// record is simply the next five fields, so line ends are not checked against record
// boundaries.
// The bytes must outlive the reader.
class ScoreFieldReader {
public:
    explicit ScoreFieldReader(QByteArrayView bytes);

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    // Where the next field begins (or its leading blanks), as an offset into the bytes.
    qsizetype position() const { return m_pos; }

    // The next field's bytes, quotes and delimiter left out. Nothing when the end of the
    // file was reached before this read, which is the runtime's "input past end of file"
    // error. A read that starts before the end always yields a field, possibly empty
    // (blanks only up to the end, say).
    std::optional<QByteArrayView> readField();

    // How the last field read ended: at a comma, at a line end, at the end of the file, or
    // at the end of the file inside a quoted field whose closing quote never came.
    enum class FieldEnd { Comma, LineEnd, EndOfFile, OpenQuote };
    FieldEnd lastFieldEnd() const { return m_lastEnd; }
    // Whether the end of the bytes came before the last field read had its end: a field
    // unquoted up to the end, or one whose closing quote never came.
    bool lastFieldCut() const { return m_lastCut; }

private:
    // How a field that stops at m_pos ends.
    FieldEnd endHere() const;
    // Moves past the delimiter at m_pos, if any: a comma, CR LF, a lone CR or a lone LF.
    void skipDelimiter();

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    FieldEnd m_lastEnd = FieldEnd::LineEnd; // the file begins a line
    bool m_lastCut = false;
};
