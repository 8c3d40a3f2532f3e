// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/Files.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QtEndian>
#include <cmath>

namespace {

// The figure boxes of the game screen, in pixels of the 800 x 600 house picture.
const QRect figureBoxes[] = {{240, 280, 49, 49},
                             {376, 288, 49, 49},
                             {512, 280, 49, 49},
                             {512, 424, 49, 49},
                             {240, 424, 49, 49}};
const char* const figureBoxNames[] = {"upper left", "upper middle", "upper right", "ground right",
                                      "ground left"};

quint16 u16(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 u32(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// The window panes' navy, allowing for JPEG noise.
bool isNavy(QRgb pixel) {
    return qRed(pixel) < 40 && qGreen(pixel) < 40 && qBlue(pixel) >= 15 && qBlue(pixel) < 60;
}

// Share of navy pixels in `rect`, leaving out `hole`.
double navyShare(const QImage& image, const QRect& rect, const QRect& hole = {}) {
    int navy = 0;
    int all = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (hole.contains(x, y))
                continue;
            ++all;
            navy += isNavy(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return double(navy) / all;
}

// Separate runs of opaque pixels met on the diagonal from the centre to the top-left corner.
int opaqueRunsOnDiagonal(const QImage& icon) {
    int runs = 0;
    bool inside = false;
    for (int i = icon.width() / 2; i >= 0; --i) {
        const bool opaque = qAlpha(icon.pixel(i, i)) == 255;
        runs += opaque && !inside ? 1 : 0;
        inside = opaque;
    }
    return runs;
}

struct Wave {
    quint16 format = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint16 bits = 0;
    QVector<qint16> samples;
};

// Walks the RIFF chunks; an unreadable file gives an empty Wave.
Wave parseWave(const QByteArray& bytes) {
    Wave wave;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return wave;
    for (int at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const int size = int(u32(bytes, at + 4));
        const int body = at + 8;
        if (size < 0 || body + size > bytes.size())
            return {};
        if (id == "fmt " && size >= 16) {
            wave.format = u16(bytes, body);
            wave.channels = u16(bytes, body + 2);
            wave.rate = u32(bytes, body + 4);
            wave.bits = u16(bytes, body + 14);
        } else if (id == "data") {
            for (int i = 0; i + 1 < size; i += 2)
                wave.samples.append(qint16(u16(bytes, body + i)));
        }
        at = body + size + (size & 1);
    }
    return wave;
}

} // namespace

class AssetsTest : public QObject {
    Q_OBJECT

private slots:
    void picturesLoadFromResources_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("size");
        const auto row = [](const char* path, const char* format, QSize size) {
            QTest::newRow(path) << QString(":/assets/") + path << QByteArray(format) << size;
        };
        row("house.jpg", "jpeg", {800, 600});
        row("house@2x.jpg", "jpeg", {1600, 1200});
        row("figure.jpg", "jpeg", {51, 50});
        row("figure@2x.png", "png", {102, 100});
        row("menu.bmp", "bmp", {650, 400});
        row("menu@2x.png", "png", {1300, 800});
        row("omvar.ico", "ico", {32, 32});
        row("omvar.png", "png", {32, 32});
        row("sight_green.ico", "ico", {32, 32});
        row("cross.ico", "ico", {32, 32});
        row("omvar@2x.png", "png", {64, 64});
        row("sight_green@2x.png", "png", {64, 64});
        row("cross@2x.png", "png", {64, 64});
        row("omvar-64.png", "png", {64, 64});
        row("omvar-128.png", "png", {128, 128});
        row("omvar-256.png", "png", {256, 256});
    }

    // The resources come with omvar_core: a test linking only that library finds them.
    void picturesLoadFromResources() {
        QFETCH(QString, path);
        QFETCH(QByteArray, format);
        QFETCH(QSize, size);
        QImageReader reader(path);
        QCOMPARE(reader.format(), format);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), size);
    }

    void iconsAre16ColourCursors_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("runsOnDiagonal");
        QTest::addColumn<bool>("centreOpaque");
        QTest::newRow("program icon: red sight, two rings")
            << ":/assets/omvar.ico" << QColor(255, 0, 0) << 2 << false;
        QTest::newRow("green sight, two rings")
            << ":/assets/sight_green.ico" << QColor(0, 255, 0) << 2 << false;
        QTest::newRow("blue cross, one arm")
            << ":/assets/cross.ico" << QColor(0, 0, 255) << 1 << true;
    }

    void iconsAre16ColourCursors() {
        QFETCH(QString, path);
        QFETCH(QColor, colour);
        QFETCH(int, runsOnDiagonal);
        QFETCH(bool, centreOpaque);

        const QByteArray bytes = readFile(path);
        QCOMPARE(bytes.size(), 6 + 16 + 744);
        QCOMPARE(u16(bytes, 2), 1); // an icon, not a cursor file
        QCOMPARE(u16(bytes, 4), 1); // one image
        QCOMPARE(quint8(bytes[6]), 32);
        QCOMPARE(quint8(bytes[7]), 32);
        QCOMPARE(quint8(bytes[8]), 16);
        QCOMPARE(u32(bytes, 14), 744u);
        const int header = int(u32(bytes, 18));
        QCOMPARE(u32(bytes, header), 40u);
        QCOMPARE(u32(bytes, header + 8), 64u); // colour rows and mask rows
        QCOMPARE(u16(bytes, header + 14), 4);

        const QImage icon = QImage(path).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(icon.size(), QSize(32, 32));
        for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
            QCOMPARE(qAlpha(icon.pixel(corner)), 0);
        QCOMPARE(qAlpha(icon.pixel(16, 16)) == 255, centreOpaque);
        QCOMPARE(opaqueRunsOnDiagonal(icon), runsOnDiagonal);
        int inColour = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                inColour += icon.pixel(x, y) == colour.rgba() ? 1 : 0;
        QVERIFY2(inColour >= 60, qPrintable(QString::number(inColour)));
    }

    // The program's windows show the PNG; Windows shows the icon file. They must not drift.
    void programIconPngHasTheIconFilesPixels() {
        const QImage png(QStringLiteral(":/assets/omvar.png"));
        const QImage ico(QStringLiteral(":/assets/omvar.ico"));
        QCOMPARE(png.convertToFormat(QImage::Format_ARGB32),
                 ico.convertToFormat(QImage::Format_ARGB32));
    }

    void menuBitmapIsGreyWithTheWordInTheCorner_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("scale");
        QTest::newRow("1x") << ":/assets/menu.bmp" << 1;
        QTest::newRow("2x") << ":/assets/menu@2x.png" << 2;
    }

    // Only the top-left 545 x 345 pixels are shown: the lettering must lie well inside.
    void menuBitmapIsGreyWithTheWordInTheCorner() {
        QFETCH(QString, path);
        QFETCH(int, scale);
        if (scale == 1) {
            const QByteArray bytes = readFile(path);
            QCOMPARE(bytes.size(), 780854);
            QCOMPARE(u16(bytes, 28), 24); // bits per pixel
        }
        const QImage image(path);
        const QRgb grey = qRgb(198, 198, 198);
        QRect drawn;
        int red = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (pixel == grey)
                    continue;
                drawn |= QRect(x, y, 1, 1);
                red += qRed(pixel) > 150 && qGreen(pixel) < 60 ? 1 : 0;
            }
        }
        QVERIFY(QRect(10, 10, 160, 66)
                    .contains(QRect(drawn.topLeft() / scale, drawn.bottomRight() / scale)));
        QVERIFY(drawn.width() > 120 * scale && drawn.height() > 40 * scale);
        QVERIFY(red > 1500 * scale * scale);
    }

    void figureIsATargetOnNavy_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("scale");
        QTest::newRow("1x") << ":/assets/figure.jpg" << 1;
        QTest::newRow("2x") << ":/assets/figure@2x.png" << 2;
    }

    // The box shows the top-left 49 x 49: the disc is centred there, navy in the corners.
    void figureIsATargetOnNavy() {
        QFETCH(QString, path);
        QFETCH(int, scale);
        const QImage image(path);
        const auto at = [&](int x, int y) { return QColor(image.pixel(x * scale, y * scale)); };
        for (const QPoint corner : {QPoint(1, 1), QPoint(47, 1), QPoint(1, 47), QPoint(47, 47)})
            QVERIFY(isNavy(at(corner.x(), corner.y()).rgb()));
        QVERIFY(at(24, 24).lightness() < 50);  // black centre
        QVERIFY(at(24, 13).lightness() > 150); // light grey inner ring
        QVERIFY(at(24, 13).lightness() < 220);
        QVERIFY(at(24, 7).lightness() > 220); // white outer ring
    }

    void houseWindowsLieBehindTheFigureBoxes_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QRect>("box");
        for (int i = 0; i < 5; ++i) {
            QTest::addRow("1x %s", figureBoxNames[i])
                << ":/assets/house.jpg" << 1 << figureBoxes[i];
            QTest::addRow("2x %s", figureBoxNames[i])
                << ":/assets/house@2x.jpg" << 2 << figureBoxes[i];
        }
    }

    // A hidden figure leaves the pane showing, and a shown one blends into the navy glass
    // around it.
    void houseWindowsLieBehindTheFigureBoxes() {
        QFETCH(QString, path);
        QFETCH(int, scale);
        QFETCH(QRect, box);
        const QImage image(path);
        const QRect scaled(box.topLeft() * scale, box.size() * scale);
        QVERIFY(navyShare(image, scaled) > 0.97);
        const double around =
            navyShare(image, scaled.adjusted(-4 * scale, -4 * scale, 4 * scale, 4 * scale), scaled);
        QVERIFY2(around > 0.9, qPrintable(QString::number(around)));
    }

    // The green clock is drawn straight on the sky; it stays readable only on dark sky.
    void skyBehindTheClockIsDark() {
        const QImage image(":/assets/house.jpg");
        for (int y = 8; y < 41; ++y)
            for (int x = 392; x < 489; ++x)
                QVERIFY(QColor(image.pixel(x, y)).lightness() < 70);
    }

    void soundsStartAtOnceAndStayShort_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("maxSeconds");
        QTest::newRow("hit") << "Data1.dat" << 0.5;
        QTest::newRow("alert") << "Data2.dat" << 1.2;
        QTest::newRow("miss") << "Data3.dat" << 0.5;
        QTest::newRow("button") << "Data4.dat" << 0.5;
    }

    // The build copies the sounds into the program folder; read them there.
    void soundsStartAtOnceAndStayShort() {
        QFETCH(QString, file);
        QFETCH(double, maxSeconds);
        const Wave wave = parseWave(readFile(QStringLiteral(OMVAR_PROGRAM_DIR "/") + file));
        QCOMPARE(wave.format, 1); // PCM
        QCOMPARE(wave.channels, 1);
        QVERIFY(wave.rate == 22050 || wave.rate == 44100);
        QCOMPARE(wave.bits, 16);
        QVERIFY(!wave.samples.isEmpty());
        QVERIFY(wave.samples.size() <= maxSeconds * wave.rate);

        int peak = 0;
        int firstAudible = -1;
        for (int i = 0; i < wave.samples.size(); ++i) {
            const int level = std::abs(int(wave.samples[i]));
            peak = std::max(peak, level);
            if (firstAudible < 0 && level >= 328) // -40 dBFS
                firstAudible = i;
        }
        QVERIFY(firstAudible >= 0 && firstAudible <= int(wave.rate) / 500); // within 2 ms
        const double peakDb = 20 * std::log10(peak / 32768.0);
        QVERIFY2(peakDb > -4.5 && peakDb < -1.5, qPrintable(QString::number(peakDb)));
        QVERIFY(std::abs(int(wave.samples.last())) < 64); // faded out, no click
    }
};

static const RegisteredTest<AssetsTest> registered;
#include "AssetsTest.moc"
