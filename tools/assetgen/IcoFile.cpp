// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "IcoFile.h"

#include <QDataStream>
#include <QIODevice>
#include <array>
#include <limits>

namespace {

constexpr int iconSize = 32;

const std::array<QRgb, 16> palette{
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};

int nearestIndex(QRgb colour) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < int(palette.size()); ++i) {
        const int dr = qRed(colour) - qRed(palette[i]);
        const int dg = qGreen(colour) - qGreen(palette[i]);
        const int db = qBlue(colour) - qBlue(palette[i]);
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

bool opaque(QRgb pixel) {
    return qAlpha(pixel) >= 128;
}

} // namespace

QImage toIconColours(const QImage& image) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            line[x] = opaque(line[x]) ? palette[nearestIndex(line[x])] : qRgba(0, 0, 0, 0);
    }
    return result;
}

QByteArray icoFile(const QImage& image) {
    Q_ASSERT(image.width() == iconSize && image.height() == iconSize);
    const QImage pixels = toIconColours(image);
    constexpr quint32 xorBytes = iconSize * iconSize / 2;
    constexpr quint32 andBytes = iconSize * 4; // rows of 32 bits
    constexpr quint32 imageBytes = 40 + 16 * 4 + xorBytes + andBytes;
    static_assert(imageBytes == 744);

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // ICONDIR and its one ICONDIRENTRY.
    out << quint16(0) << quint16(1) << quint16(1);
    out << quint8(iconSize) << quint8(iconSize) << quint8(16) << quint8(0);
    out << quint16(1) << quint16(4) << imageBytes << quint32(6 + 16);
    // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
    out << quint32(40) << qint32(iconSize) << qint32(2 * iconSize) << quint16(1) << quint16(4)
        << quint32(0) << quint32(xorBytes + andBytes) << qint32(0) << qint32(0) << quint32(16)
        << quint32(0);
    for (QRgb colour : palette)
        out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour)) << quint8(0);
    // Rows run bottom-up; the left pixel takes the high nibble. Transparent pixels are
    // black in the colour bits and set in the mask.
    for (int y = iconSize - 1; y >= 0; --y) {
        for (int x = 0; x < iconSize; x += 2) {
            const QRgb left = pixels.pixel(x, y);
            const QRgb right = pixels.pixel(x + 1, y);
            const int high = opaque(left) ? nearestIndex(left) : 0;
            const int low = opaque(right) ? nearestIndex(right) : 0;
            out << quint8(high << 4 | low);
        }
    }
    for (int y = iconSize - 1; y >= 0; --y) {
        quint32 row = 0;
        for (int x = 0; x < iconSize; ++x)
            if (!opaque(pixels.pixel(x, y)))
                row |= 1u << (31 - x);
        out << quint8(row >> 24) << quint8(row >> 16) << quint8(row >> 8) << quint8(row);
    }
    return bytes;
}
