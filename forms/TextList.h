#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class QDebug;

// A list of texts kept in one buffer: the characters of every entry in one string and where
// each entry ends in one array, two allocations in all where a QStringList makes one per
// entry and spends 24 bytes on each. A million short entries take a tenth of the memory.
// Copies share both buffers until one of them changes, so the score table and the list of
// players hold the names once.
class TextList {
public:
    TextList() = default;
    TextList(std::initializer_list<QStringView> texts);

    qsizetype size() const { return m_ends.size(); }
    bool isEmpty() const { return m_ends.isEmpty(); }

    // Entry i; it must exist. The view lives as long as the list is not changed.
    QStringView view(qsizetype i) const {
        const qsizetype begin = i == 0 ? 0 : end(i - 1);
        return QStringView(m_text).sliced(begin, end(i) - begin);
    }
    QString at(qsizetype i) const { return view(i).toString(); }
    QString operator[](qsizetype i) const { return at(i); }
    // The last entry; there must be one.
    QString last() const { return at(size() - 1); }
    // Entry i, or empty text when there is no such entry.
    QString value(qsizetype i) const { return i >= 0 && i < size() ? at(i) : QString(); }

    void append(QStringView text);
    // Appends an entry of `length` characters, which fill(QChar* out) writes in place: text
    // decoded from another form goes straight into the buffer.
    template <class Fill> void appendWith(qsizetype length, Fill fill) {
        const qsizetype begin = m_text.size();
        m_text.resize(begin + length);
        fill(m_text.data() + begin);
        appendEnd(begin);
    }
    // Room for this many entries, so that filling the list does not copy the array of ends.
    void reserve(qsizetype entries) { m_ends.reserve(entries); }
    void clear();

    QStringList toStringList() const;

    friend bool operator==(const TextList& a, const TextList& b) {
        return a.m_ends == b.m_ends && a.m_wraps == b.m_wraps && a.m_text == b.m_text;
    }
    friend bool operator==(const TextList& list, const QStringList& texts);

private:
    // Where entry i ends in m_text.
    qsizetype end(qsizetype i) const;
    // Records the end of an entry just written to m_text from `begin` on.
    void appendEnd(qsizetype begin);

    QString m_text;
    // Where each entry ends, kept in 32 bits: half the memory of a full position. The
    // positions above 2^32 - 1, which only texts of gigabytes reach, get their high part
    // from m_wraps: the entries at which the end passed a multiple of 2^32, an entry once
    // for each multiple it passed.
    QList<quint32> m_ends;
    QList<qsizetype> m_wraps;
};

QDebug operator<<(QDebug debug, const TextList& list);
