// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// A compiled Windows resource file (.res), read back: its resources and, within the
// version record, the tree of VS_VERSIONINFO blocks.
namespace VersionResource {

struct Resource {
    int type; // numeric types only; named ones are -1
    int id;   // numeric ids only; named ones are -1
    QByteArray data;
};

// The resources of a .res file, in file order, or nothing when the bytes do not parse.
std::optional<std::vector<Resource>> readResources(const QByteArray& file);

// One block of a version record: its key, its value (text for string values, bytes for
// binary ones) and its children.
struct Block {
    QString key;
    bool isText = false;
    QString text;
    QByteArray bytes;
    std::vector<Block> children;

    // The child block at a path of keys ("StringFileInfo/040904B0/ProductName").
    const Block* find(const QString& path) const;
};

// The version record's root block (VS_VERSION_INFO), or nothing when it does not parse.
std::optional<Block> readVersionInfo(const QByteArray& data);

} // namespace VersionResource
