#include "scores/ScoreFields.h"

#include "scores/Cp1250.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

// Fields of up to longestShared bytes are looked up among the texts met before. The table
// holds at most mostShared texts (fewer for a small file), so a file of distinct names
// costs no more than a small table.
constexpr qsizetype longestShared = 24;
constexpr qsizetype minimumShared = 16;
constexpr qsizetype mostShared = 4096;

// FNV-1a: quick for the few bytes of a field.
std::size_t hashOf(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037u;
    for (const char byte : bytes) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211u;
    }
    return std::size_t(hash ^ (hash >> 32));
}

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

QString ScoreFieldReader::decode(qsizetype begin, qsizetype end) {
    const QByteArrayView field = m_bytes.sliced(begin, end - begin);
    if (field.size() > longestShared) {
        return fromCp1250(field);
    }
    if (m_known.empty()) {
        // Small files get a small table; it never fills beyond half its slots.
        m_known.resize(std::bit_ceil(
            std::size_t(std::clamp<qsizetype>(m_bytes.size(), 2 * minimumShared, 2 * mostShared))));
    }
    const std::string_view bytes(field.data(), std::size_t(field.size()));
    std::size_t slot = hashOf(bytes);
    for (;; ++slot) {
        Known& known = m_known[slot & (m_known.size() - 1)];
        if (!known.used) {
            QString text = fromCp1250(field);
            if (2 * m_knownCount < m_known.size()) {
                known = {bytes, text, true};
                ++m_knownCount;
            }
            return text;
        }
        if (known.bytes == bytes) {
            return known.text;
        }
    }
}

std::optional<QString> ScoreFieldReader::readField() {
    const std::optional<Span> field = nextField();
    if (!field) {
        return std::nullopt;
    }
    return decode(field->begin, field->end);
}

bool ScoreFieldReader::skipField() {
    return nextField().has_value();
}

std::optional<ScoreFieldReader::Span> ScoreFieldReader::nextField() {
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
        m_lastEnd = end == size ? FieldEnd::OpenQuote
                    : atEnd()   ? FieldEnd::EndOfFile
                                : FieldEnd::Delimiter;
        skipDelimiter();
        return Span{begin, end};
    }
    const qsizetype begin = m_pos;
    while (m_pos < size && !isDelimiter(m_bytes[m_pos])) {
        ++m_pos;
    }
    const qsizetype end = m_pos;
    m_lastEnd = atEnd() ? FieldEnd::EndOfFile : FieldEnd::Delimiter;
    skipDelimiter();
    return Span{begin, end};
}
