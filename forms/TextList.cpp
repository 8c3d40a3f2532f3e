// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/TextList.h"

#include "forms/Cp1250.h"

#include <QDebug>

#include <algorithm>
#include <cstring>

namespace {

// Makes room for `added` more characters at the end of the buffer, growing it by half. Qt's
// own growth on append allocates anew and copies, holding the old and the new buffer at
// once: a table of gigabytes would take twice its size. A reserve grows the block in place
// where the allocator can.
template <class Buffer> void makeRoom(Buffer& buffer, qsizetype added) {
    if (buffer.capacity() - buffer.size() < added) {
        buffer.reserve(std::max(2 * buffer.capacity(), buffer.size() + added));
    }
}

} // namespace

TextList::TextList(std::initializer_list<QStringView> texts) {
    reserve(qsizetype(texts.size()));
    for (QStringView text : texts) {
        append(text);
    }
}

qsizetype TextList::length(qsizetype i) const {
    const quint8 length = m_lengths.at(i);
    if (length < longLength) {
        return length;
    }
    const auto entry = std::lower_bound(m_longEntries.begin(), m_longEntries.end(), i);
    return m_longLengths.at(entry - m_longEntries.begin());
}

qsizetype TextList::begin(qsizetype i) const {
    qsizetype begin = m_starts.at(i / startEvery);
    for (qsizetype j = i - i % startEvery; j < i; ++j) {
        begin += length(j);
    }
    return begin;
}

QString TextList::first(qsizetype i, qsizetype count) const {
    const qsizetype from = begin(i);
    const qsizetype size = std::min(count, length(i));
    if (m_wide) {
        return m_text.sliced(from, size);
    }
    QString text(size, Qt::Uninitialized);
    decodeCp1250(QByteArrayView(m_bytes).sliced(from, size), text.data());
    return text;
}

void TextList::append(QStringView text) {
    startEntry();
    if (!m_wide && std::all_of(text.begin(), text.end(), isCp1250Encodable)) {
        makeRoom(m_bytes, text.size());
        m_bytes += toCp1250(text);
    } else {
        widen();
        makeRoom(m_text, text.size());
        m_text += text;
    }
    growLast(text.size());
}

void TextList::append(const TextList& other) {
    if (isEmpty()) {
        *this = other;
        return;
    }
    for (qsizetype j = 0; j < other.size(); ++j) {
        const qsizetype from = other.begin(j);
        if (other.m_wide) {
            append(QStringView(other.m_text).sliced(from, other.length(j)));
        } else {
            appendCp1250(QByteArrayView(other.m_bytes).sliced(from, other.length(j)));
        }
    }
}

void TextList::appendCp1250(QByteArrayView bytes) {
    startEntry();
    extendLast(bytes);
}

void TextList::extendLast(QByteArrayView cp1250) {
    if (cp1250.isEmpty()) {
        return;
    }
    if (m_wide) {
        const qsizetype from = m_text.size();
        makeRoom(m_text, cp1250.size());
        m_text.resize(from + cp1250.size());
        decodeCp1250(cp1250, m_text.data() + from);
    } else {
        const qsizetype from = m_bytes.size();
        makeRoom(m_bytes, cp1250.size());
        m_bytes.resize(from + cp1250.size());
        std::memcpy(m_bytes.data() + from, cp1250.data(), std::size_t(cp1250.size()));
    }
    growLast(cp1250.size());
}

void TextList::clear() {
    *this = TextList();
}

void TextList::widen() {
    if (m_wide) {
        return;
    }
    m_text.resize(m_bytes.size());
    decodeCp1250(m_bytes, m_text.data());
    m_bytes = QByteArray();
    m_wide = true;
}

void TextList::startEntry() {
    if (size() % startEvery == 0) {
        m_starts.append(characters());
    }
    m_lengths.append(0);
}

void TextList::growLast(qsizetype added) {
    if (added == 0) {
        return;
    }
    quint8& length = m_lengths.last();
    if (length == longLength) {
        m_longLengths.last() += added;
    } else if (length + added < longLength) {
        length = quint8(length + added);
    } else {
        m_longEntries.append(size() - 1);
        m_longLengths.append(length + added);
        length = longLength;
    }
}

QStringList TextList::toStringList() const {
    QStringList texts;
    texts.reserve(size());
    for (qsizetype i = 0; i < size(); ++i) {
        texts.append(at(i));
    }
    return texts;
}

bool operator==(const TextList& a, const TextList& b) {
    if (a.m_wide == b.m_wide) {
        return a.m_lengths == b.m_lengths && a.m_longLengths == b.m_longLengths &&
               a.m_bytes == b.m_bytes && a.m_text == b.m_text;
    }
    return a == b.toStringList();
}

bool operator==(const TextList& list, const QStringList& texts) {
    if (list.size() != texts.size()) {
        return false;
    }
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i) != texts.at(i)) {
            return false;
        }
    }
    return true;
}

QDebug operator<<(QDebug debug, const TextList& list) {
    return debug << list.toStringList();
}
