#include "scores/ScoreFields.h"

namespace {

bool isBlank(char byte) {
    return byte == ' ' || byte == '\t';
}

bool isLineEnd(char byte) {
    return byte == '\r' || byte == '\n';
}

bool isDelimiter(char byte) {
    return byte == ',' || isLineEnd(byte);
}

} // namespace

ScoreFieldReader::ScoreFieldReader(QByteArrayView bytes) : m_bytes(bytes) {
    while (!atEnd() && (isBlank(m_bytes[m_pos]) || isLineEnd(m_bytes[m_pos]))) {
        ++m_pos;
    }
}

ScoreFieldReader::FieldEnd ScoreFieldReader::endHere() const {
    if (atEnd()) {
        return FieldEnd::EndOfFile;
    }
    return m_bytes[m_pos] == ',' ? FieldEnd::Comma : FieldEnd::LineEnd;
}

void ScoreFieldReader::skipDelimiter() {
    if (atEnd()) {
        return;
    }
    if (m_bytes[m_pos] == '\r' && m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == '\n') {
        m_pos += 2;
    } else {
        ++m_pos; // a comma, a lone CR or a lone LF
    }
}

std::optional<QByteArrayView> ScoreFieldReader::readField() {
    if (atEnd()) {
        return std::nullopt;
    }
    const qsizetype size = m_bytes.size();
    while (m_pos < size && isBlank(m_bytes[m_pos])) {
        ++m_pos;
    }
    if (m_pos < size && m_bytes[m_pos] == '"') {
        const qsizetype begin = m_pos + 1;
        qsizetype end = begin;
        while (end < size && m_bytes[end] != '"') {
            ++end;
        }
        m_pos = end < size ? end + 1 : end;
        // Text between the closing quote and the delimiter is not part of any field.
        while (m_pos < size && !isDelimiter(m_bytes[m_pos])) {
            ++m_pos;
        }
        m_lastEnd = end == size ? FieldEnd::OpenQuote : endHere();
        m_lastCut = end == size;
        skipDelimiter();
        return m_bytes.sliced(begin, end - begin);
    }
    const qsizetype begin = m_pos;
    while (m_pos < size && !isDelimiter(m_bytes[m_pos])) {
        ++m_pos;
    }
    const qsizetype end = m_pos;
    m_lastEnd = endHere();
    m_lastCut = m_lastEnd == FieldEnd::EndOfFile;
    skipDelimiter();
    return m_bytes.sliced(begin, end - begin);
}
