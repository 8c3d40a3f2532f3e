// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class QDebug;

// A list of texts kept in one buffer. The characters of every entry sit in one array, one
// byte each in Windows-1250 as long as every character has a byte there (the score file
// holds nothing else), and two bytes each from the first one that has none. Each entry's
// length takes a byte (longer entries are listed apart), and every 64th entry's start is
// kept whole, so that a million short entries take little more than their characters.
// Copies share the buffers until one of them changes, so the score table and the list of
// players hold the names once.
class TextList {
public:
    TextList() = default;
    TextList(std::initializer_list<QStringView> texts);

    qsizetype size() const { return m_lengths.size(); }
    bool isEmpty() const { return m_lengths.isEmpty(); }

    // Entry i; it must exist.
    QString at(qsizetype i) const { return first(i, length(i)); }
    QString operator[](qsizetype i) const { return at(i); }
    // The last entry; there must be one.
    QString last() const { return at(size() - 1); }
    // Entry i, or empty text when there is no such entry.
    QString value(qsizetype i) const { return i >= 0 && i < size() ? at(i) : QString(); }
    // The length of entry i and its first `count` characters (at most its length); it must
    // exist. Neither touches the rest of the entry.
    qsizetype length(qsizetype i) const;
    QString first(qsizetype i, qsizetype count) const;

    void append(QStringView text);
    // Appends every entry of `other`; into an empty list, by sharing its buffers.
    void append(const TextList& other);
    // Appends an entry of Windows-1250 bytes, and adds more of them to the last entry.
    void appendCp1250(QByteArrayView bytes);
    void extendLast(QByteArrayView cp1250);
    // Room for this many entries, so that filling the list does not copy the lengths.
    void reserve(qsizetype entries) { m_lengths.reserve(entries); }
    void clear();

    QStringList toStringList() const;

    friend bool operator==(const TextList& a, const TextList& b);
    friend bool operator==(const TextList& list, const QStringList& texts);

private:
    // Where entry i begins, in characters.
    qsizetype begin(qsizetype i) const;
    // The characters in the buffer so far.
    qsizetype characters() const { return m_wide ? m_text.size() : m_bytes.size(); }
    // Keeps the characters two bytes each from now on.
    void widen();
    // Starts an entry after the characters there, and grows the last one by `added`.
    void startEntry();
    void growLast(qsizetype added);

    bool m_wide = false;
    QByteArray m_bytes; // the characters in Windows-1250 while not wide
    QString m_text;     // the characters once wide
    // Each entry's length; lengths from longLength on are in m_longLengths, with the
    // entry's position in m_longEntries (both ascending).
    static constexpr quint8 longLength = 255;
    QList<quint8> m_lengths;
    QList<qsizetype> m_longEntries;
    QList<qsizetype> m_longLengths;
    // Where entry k * startEvery begins.
    static constexpr qsizetype startEvery = 64;
    QList<qsizetype> m_starts;
};

QDebug operator<<(QDebug debug, const TextList& list);
