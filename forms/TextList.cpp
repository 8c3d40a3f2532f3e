#include "forms/TextList.h"

#include <QDebug>

#include <algorithm>

TextList::TextList(std::initializer_list<QStringView> texts) {
    reserve(qsizetype(texts.size()));
    for (QStringView text : texts) {
        append(text);
    }
}

void TextList::append(QStringView text) {
    const qsizetype begin = m_text.size();
    m_text.append(text);
    appendEnd(begin);
}

void TextList::clear() {
    m_text.clear();
    m_ends.clear();
    m_wraps.clear();
}

qsizetype TextList::end(qsizetype i) const {
    const qsizetype high =
        m_wraps.isEmpty() ? 0
                          : std::upper_bound(m_wraps.begin(), m_wraps.end(), i) - m_wraps.begin();
    return (high << 32) | m_ends.at(i);
}

void TextList::appendEnd(qsizetype begin) {
    const qsizetype end = m_text.size();
    const qsizetype index = m_ends.size();
    for (qsizetype passed = (end >> 32) - (begin >> 32); passed > 0; --passed) {
        m_wraps.append(index);
    }
    m_ends.append(quint32(end));
}

QStringList TextList::toStringList() const {
    QStringList texts;
    texts.reserve(size());
    for (qsizetype i = 0; i < size(); ++i) {
        texts.append(at(i));
    }
    return texts;
}

bool operator==(const TextList& list, const QStringList& texts) {
    if (list.size() != texts.size()) {
        return false;
    }
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.view(i) != texts.at(i)) {
            return false;
        }
    }
    return true;
}

QDebug operator<<(QDebug debug, const TextList& list) {
    return debug << list.toStringList();
}
