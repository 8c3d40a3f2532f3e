// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "VersionResource.h"

#include <QStringList>
#include <QtEndian>

namespace VersionResource {

namespace {

constexpr int align4(int at) {
    return (at + 3) & ~3;
}

// Little-endian reads that fail past the end instead of reading beyond it.
class Reader {
public:
    explicit Reader(const QByteArray& bytes, int begin = 0, int end = -1)
        : m_bytes(bytes), m_at(begin), m_end(end < 0 ? int(bytes.size()) : end) {}

    bool ok() const { return m_ok; }
    int at() const { return m_at; }
    int end() const { return m_end; }
    void seek(int at) {
        if (check(at <= m_end)) {
            m_at = at;
        }
    }

    quint16 word() { return check(m_at + 2 <= m_end) ? read<quint16>() : 0; }
    quint32 dword() { return check(m_at + 4 <= m_end) ? read<quint32>() : 0; }
    QByteArray bytes(int count) {
        if (!check(count >= 0 && m_at + count <= m_end)) {
            return {};
        }
        const QByteArray out = m_bytes.mid(m_at, count);
        m_at += count;
        return out;
    }
    // A NUL-terminated UTF-16 string.
    QString text() {
        QString out;
        for (quint16 unit = word(); m_ok && unit != 0; unit = word()) {
            out += QChar(unit);
        }
        return out;
    }
    // A resource type or name: 0xFFFF and a number, or a string (reported as -1).
    int idOrName() {
        if (check(m_at + 2 <= m_end) &&
            qFromLittleEndian<quint16>(m_bytes.constData() + m_at) == 0xFFFF) {
            word();
            return word();
        }
        text();
        return -1;
    }

private:
    bool check(bool condition) {
        m_ok = m_ok && condition;
        return m_ok;
    }
    template <class T> T read() {
        const T value = qFromLittleEndian<T>(m_bytes.constData() + m_at);
        m_at += int(sizeof(T));
        return value;
    }

    const QByteArray& m_bytes;
    int m_at;
    int m_end;
    bool m_ok = true;
};

// A block: wLength, wValueLength, wType (1 text, 0 binary), the key, padding, the value,
// padding, then child blocks up to wLength.
std::optional<Block> readBlock(const QByteArray& data, int begin, int limit) {
    Reader header(data, begin, limit);
    const int length = header.word();
    const int valueLength = header.word();
    const int type = header.word();
    if (!header.ok() || length < 6 || begin + length > limit) {
        return std::nullopt;
    }
    Reader in(data, header.at(), begin + length);
    Block block;
    block.key = in.text();
    in.seek(align4(in.at()));
    block.isText = type == 1;
    if (block.isText) {
        // The length counts UTF-16 units, the terminating NUL included.
        Reader value(data, in.at(), in.at() + 2 * valueLength);
        block.text = value.text();
        in.seek(in.at() + 2 * valueLength);
    } else {
        block.bytes = in.bytes(valueLength);
    }
    while (in.ok() && align4(in.at()) < in.end()) {
        in.seek(align4(in.at()));
        std::optional<Block> child = readBlock(data, in.at(), in.end());
        if (!child) {
            return std::nullopt;
        }
        Reader childHeader(data, in.at());
        in.seek(in.at() + childHeader.word());
        block.children.push_back(std::move(*child));
    }
    if (!in.ok()) {
        return std::nullopt;
    }
    return block;
}

} // namespace

std::optional<std::vector<Resource>> readResources(const QByteArray& file) {
    std::vector<Resource> resources;
    Reader in(file);
    while (in.ok() && in.at() < in.end()) {
        const int start = in.at();
        const int dataSize = int(in.dword());
        const int headerSize = int(in.dword());
        Resource resource;
        resource.type = in.idOrName();
        resource.id = in.idOrName();
        in.seek(start + headerSize);
        resource.data = in.bytes(dataSize);
        in.seek(align4(in.at()) > in.end() ? in.end() : align4(in.at()));
        // The file opens with an empty resource that only marks the format.
        if (in.ok() && !(resource.type == 0 && resource.id == 0 && dataSize == 0)) {
            resources.push_back(std::move(resource));
        }
    }
    if (!in.ok()) {
        return std::nullopt;
    }
    return resources;
}

std::optional<Block> readVersionInfo(const QByteArray& data) {
    return readBlock(data, 0, int(data.size()));
}

const Block* Block::find(const QString& path) const {
    const Block* block = this;
    for (const QString& key : path.split(u'/')) {
        const Block* next = nullptr;
        for (const Block& child : block->children) {
            if (child.key == key) {
                next = &child;
                break;
            }
        }
        if (!next) {
            return nullptr;
        }
        block = next;
    }
    return block;
}

} // namespace VersionResource
