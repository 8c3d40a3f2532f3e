#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

// Reads the score file as one stream of fields, by the rules of the runtime's field input:
// - a comma or a line end ends a field; CR LF is one line end, a lone CR or LF is one too;
// - blanks (spaces, tabs) before a field are skipped;
// - a field that begins with a double quote runs to the next double quote (or the end of
//   the file); the quotes are not part of the value, and whatever follows the closing
//   quote up to the next delimiter is discarded;
// - two delimiters in a row give an empty field;
// - blanks at the end of an unquoted field are kept.
// Fields are decoded from Windows-1250. Records are not known here: a record is simply the
// next five fields, so line ends are not checked against record boundaries.
// The bytes must outlive the reader.
class ScoreFieldReader {
public:
    explicit ScoreFieldReader(QByteArrayView bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }

    // The next field. Nothing when the end of the file was reached before this read, which
    // is the runtime's "input past end of file" error. A read that starts before the end
    // always yields a field, possibly empty (blanks only up to the end, say).
    std::optional<QString> readField();
    // Moves past the next field as readField does, without decoding it; false at the end.
    bool skipField();

    // How the last field read ended: at its delimiter, at the end of the file, or at the
    // end of the file inside a quoted field whose closing quote never came.
    enum class FieldEnd { Delimiter, EndOfFile, OpenQuote };
    FieldEnd lastFieldEnd() const { return m_lastEnd; }

private:
    struct Span {
        qsizetype begin;
        qsizetype end;
    };
    // Finds the next field's bytes and moves past it and its delimiter.
    std::optional<Span> nextField();
    // Moves past the delimiter at m_pos, if any: a comma, CR LF, a lone CR or a lone LF.
    void skipDelimiter();
    QString decode(qsizetype begin, qsizetype end);

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    FieldEnd m_lastEnd = FieldEnd::Delimiter;
    // Score files repeat the same short texts (counts, dates, names of regular players):
    // such fields share one string, which spares most allocations and memory. An open
    // addressing table keyed by the field's bytes, filled up to half its slots.
    struct Known {
        std::string_view bytes;
        QString text;
        bool used = false;
    };
    std::vector<Known> m_known;
    std::size_t m_knownCount = 0;
};
