// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/Cp1250.h"

#include <QByteArray>
#include <QFile>
#include <QTest>

// A whole file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a whole file, failing the test when it cannot.
inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Bytes of the score file as the text they hold.
inline QString fromCp1250(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    decodeCp1250(bytes, text.data());
    return text;
}
