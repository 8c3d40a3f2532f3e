// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/ScoreRecordReader.h"

namespace {

constexpr qsizetype fieldsPerRecord = qsizetype(scoreColumns.size());

bool isBlank(char byte) {
    return byte == ' ' || byte == '\t';
}

bool isLineEnd(char byte) {
    return byte == '\r' || byte == '\n';
}

bool isDelimiter(char byte) {
    return byte == ',' || isLineEnd(byte);
}

// Where the first byte from `from` on that `stop` holds lies; the piece's size if none.
template <class Stop> qsizetype findFrom(QByteArrayView piece, qsizetype from, Stop stop) {
    while (from < piece.size() && !stop(piece[from])) {
        ++from;
    }
    return from;
}

} // namespace

void ScoreRecordReader::read(QByteArrayView piece, ScoreTable& table) {
    if (piece.isEmpty()) {
        return;
    }
    m_bytesRead += piece.size();
    m_lastByte = piece.back();
    qsizetype pos = 0;
    while (pos < piece.size()) {
        const char byte = piece[pos];
        switch (m_state) {
        case State::FileStart:
            if (isBlank(byte) || isLineEnd(byte)) {
                ++pos;
                break;
            }
            [[fallthrough]];
        case State::RecordStart:
            m_field = 0;
            m_recordHoldsLineEnd = false;
            m_state = State::FieldStart;
            break;
        case State::FieldStart:
            (table.*scoreColumns[std::size_t(m_field)]).appendCp1250({});
            m_state = State::Blanks;
            break;
        case State::Blanks:
            if (isBlank(byte)) {
                ++pos;
            } else if (byte == '"') {
                ++pos;
                m_state = State::Quoted;
            } else {
                m_state = State::Unquoted;
            }
            break;
        case State::Unquoted:
        case State::Quoted: {
            const bool quoted = m_state == State::Quoted;
            const qsizetype end = quoted ? findFrom(piece, pos, [](char c) { return c == '"'; })
                                         : findFrom(piece, pos, isDelimiter);
            const QByteArrayView text = piece.sliced(pos, end - pos);
            (table.*scoreColumns[std::size_t(m_field)]).extendLast(text);
            m_recordHoldsLineEnd =
                m_recordHoldsLineEnd || (quoted && findFrom(text, 0, isLineEnd) < text.size());
            pos = end;
            if (pos < piece.size()) {
                if (quoted) {
                    ++pos;
                    m_state = State::AfterQuote;
                } else {
                    endField(piece[pos++]);
                }
            }
            break;
        }
        case State::AfterQuote:
            pos = findFrom(piece, pos, isDelimiter);
            if (pos < piece.size()) {
                endField(piece[pos++]);
            }
            break;
        case State::AfterCr:
            pos += byte == '\n' ? 1 : 0;
            m_state = m_afterCr;
            break;
        }
    }
}

void ScoreRecordReader::endField(char byte) {
    m_lastEnd = byte == ',' ? FieldEnd::Comma : FieldEnd::LineEnd;
    m_recordHoldsLineEnd = m_recordHoldsLineEnd || isLineEnd(byte);
    ++m_field;
    State next = State::FieldStart;
    if (m_field == fieldsPerRecord) {
        m_recordsEndLines = m_recordsEndLines && m_lastEnd == FieldEnd::LineEnd;
        next = State::RecordStart;
    }
    m_state = byte == '\r' ? State::AfterCr : next;
    m_afterCr = next;
}

ScoreRecordReader::Ending ScoreRecordReader::ending() const {
    const State state = m_state == State::AfterCr ? m_afterCr : m_state;
    Ending ending;
    ending.lastEnd = m_lastEnd;
    switch (state) {
    case State::FileStart:
    case State::RecordStart:
        return ending;
    case State::FieldStart:
        ending.missing = fieldsPerRecord - m_field;
        break;
    case State::Blanks:
    case State::Unquoted:
    case State::Quoted:
    case State::AfterQuote:
        ending.missing = fieldsPerRecord - m_field - 1;
        ending.lastEnd = state == State::Quoted ? FieldEnd::OpenQuote : FieldEnd::EndOfFile;
        // A line of five fields is whole without its line end: the end of the file ends
        // its unquoted last field as a line end would, and a date cut short cannot be told
        // from a short one. Any earlier field the end ran into is cut, and so is a field of
        // blanks only or one whose closing quote never came.
        ending.lastFieldCut = state == State::Blanks || state == State::Quoted ||
                              (state == State::Unquoted && ending.missing > 0);
        break;
    case State::AfterCr:
        Q_UNREACHABLE();
    }
    ending.onlyLastLineCut = m_recordsEndLines && !m_recordHoldsLineEnd;
    return ending;
}

void ScoreRecordReader::complete(ScoreTable& table) const {
    const Ending end = ending();
    if (end.lastFieldCut) {
        (table.*scoreColumns[std::size_t(m_field)]).extendLast(QByteArrayView(&cutMark, 1));
    }
    for (qsizetype field = fieldsPerRecord - end.missing; field < fieldsPerRecord; ++field) {
        (table.*scoreColumns[std::size_t(field)]).appendCp1250({});
    }
}
