// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/Pictures.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

namespace {

// A picture compiled into the program, read by the decoder its name ends in. Detecting the
// format would load every image format plugin and ask each whether it can read the file,
// and the ICO plugin would claim a PNG and convert its colours: start-up work the menu
// does not need.
QPixmap decode(const QString& path) {
    QFile file(path);
    QImageReader reader(&file, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// The 1x picture, or its @2x render (with the pixel ratio that keeps its layout size)
// where the screen is denser than 96 dpi.
QPixmap load(const QString& normal, const QString& doubled) {
    if (qApp->devicePixelRatio() > 1.0) {
        QPixmap pixmap = decode(doubled);
        if (!pixmap.isNull()) {
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    return decode(normal);
}

// Pointers have their hot spot at the centre of the 32 x 32 icon. On a denser screen the
// @2x render is scaled to the pointer's size in device pixels, since a pointer image is
// shown pixel for pixel. The X11 platform takes the hot spot in those device pixels; the
// others take it in layout pixels and scale it themselves.
QCursor pointer(const QString& name) {
    const qreal ratio = qApp->devicePixelRatio();
    const QPixmap doubled =
        ratio > 1.0 ? decode(QStringLiteral(":/assets/%1@2x.png").arg(name)) : QPixmap();
    if (doubled.isNull()) {
        return QCursor(decode(QStringLiteral(":/assets/%1.ico").arg(name)), 16, 16);
    }
    const int side = qRound(32 * ratio);
    QPixmap pixmap = doubled.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    pixmap.setDevicePixelRatio(ratio);
    const int hotSpot = QGuiApplication::platformName() == QLatin1String("xcb") ? side / 2 : 16;
    return QCursor(pixmap, hotSpot, hotSpot);
}

} // namespace

namespace Pictures {

QPixmap menu() {
    return load(QStringLiteral(":/assets/menu.bmp"), QStringLiteral(":/assets/menu@2x.png"));
}

QPixmap house() {
    return load(QStringLiteral(":/assets/house.jpg"), QStringLiteral(":/assets/house@2x.jpg"));
}

QPixmap figure() {
    return load(QStringLiteral(":/assets/figure.jpg"), QStringLiteral(":/assets/figure@2x.png"));
}

QIcon programIcon() {
    // Decoded once, on the first call, and shared by the application and every window, so
    // that no window decodes both renders again. The 1x render is the icon file's pixels as
    // a PNG, which Qt's own decoder reads; the icon file would need the ICO plugin. Released
    // while the application is being destroyed, as pixmaps must not outlive it.
    static QIcon icon;
    if (icon.isNull()) {
        icon.addPixmap(decode(QStringLiteral(":/assets/omvar.png")));
        icon.addPixmap(decode(QStringLiteral(":/assets/omvar@2x.png")));
        qAddPostRoutine([] { icon = QIcon(); });
    }
    return icon;
}

QCursor sightRed() {
    return pointer(QStringLiteral("omvar"));
}
QCursor sightGreen() {
    return pointer(QStringLiteral("sight_green"));
}
QCursor blueCross() {
    return pointer(QStringLiteral("cross"));
}

} // namespace Pictures
