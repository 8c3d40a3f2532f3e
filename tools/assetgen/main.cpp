// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the game's pictures, icons and sounds into the folder named on the command line.
// The output is the same byte for byte on every run; the results are checked in under
// assets/, so building the game does not need this tool.

#include "FigurePicture.h"
#include "HousePicture.h"
#include "IcoFile.h"
#include "MenuPicture.h"
#include "Pointers.h"
#include "Sounds.h"
#include "WaveFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

namespace {

bool writeBytes(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        QTextStream(stderr) << "cannot write " << file.fileName() << ": " << file.errorString()
                            << '\n';
        return false;
    }
    QTextStream(stdout) << name << ' ' << bytes.size() << '\n';
    return true;
}

bool writeImage(const QDir& folder, const QString& name, const QImage& image, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QFileInfo(name).suffix().toLatin1());
    writer.setQuality(quality);
    if (!writer.write(image)) {
        QTextStream(stderr) << "cannot encode " << name << ": " << writer.errorString() << '\n';
        return false;
    }
    return writeBytes(folder, name, bytes);
}

bool writeSight(const QDir& folder, const QString& name, QColor colour) {
    return writeBytes(folder, name + ".ico", icoFile(sightImage(32, colour))) &&
           writeImage(folder, name + "@2x.png", sightImage(64, colour));
}

} // namespace

int main(int argc, char* argv[]) {
    // No display is needed, and none may change how text is drawn.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: omvar_assetgen <output folder>\n";
        return 2;
    }
    QDir folder(arguments[1]);
    if (!folder.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "cannot create " << arguments[1] << '\n';
        return 1;
    }

    const QColor red(255, 0, 0);
    const bool written = writeImage(folder, "menu.bmp", menuPicture(1)) &&
                         writeImage(folder, "menu@2x.png", menuPicture(2)) &&
                         writeImage(folder, "house.jpg", housePicture(1), 90) &&
                         writeImage(folder, "house@2x.jpg", housePicture(2), 88) &&
                         writeImage(folder, "figure.jpg", figurePicture(1), 95) &&
                         writeImage(folder, "figure@2x.png", figurePicture(2)) &&
                         writeSight(folder, "omvar", red) &&
                         writeImage(folder, "omvar.png", toIconColours(sightImage(32, red))) &&
                         writeSight(folder, "sight_green", QColor(0, 255, 0)) &&
                         writeBytes(folder, "cross.ico", icoFile(crossImage(32))) &&
                         writeImage(folder, "cross@2x.png", crossImage(64)) &&
                         writeImage(folder, "omvar-64.png", sightImage(64, red)) &&
                         writeImage(folder, "omvar-128.png", sightImage(128, red)) &&
                         writeImage(folder, "omvar-256.png", sightImage(256, red)) &&
                         writeBytes(folder, "Data1.dat", waveFile(hitSound(), soundRate)) &&
                         writeBytes(folder, "Data2.dat", waveFile(alertSound(), soundRate)) &&
                         writeBytes(folder, "Data3.dat", waveFile(missSound(), soundRate)) &&
                         writeBytes(folder, "Data4.dat", waveFile(buttonSound(), soundRate));
    return written ? 0 : 1;
}
