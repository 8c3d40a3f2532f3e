// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Pictures, icons and pointers stay sharp on dense screens: run under QT_SCALE_FACTOR, the
// program takes the double-resolution renders and keeps every layout size. The menu's
// pictures come at every density without an image format plugin.
#include "screens/Pictures.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QFile>
#include <QTest>

class HighDpiTest : public QObject {
    Q_OBJECT

private slots:
    // First, before another test has loaded a plugin. Left to find out a picture's format
    // itself, Qt loads every image format plugin, and the menu would wait for them. The
    // house is a JPEG, which needs its plugin: that shows the check sees one.
    void theMenusPicturesNeedNoImageFormatPlugin() {
#ifdef Q_OS_LINUX
        const auto pluginLoaded = [] {
            QFile maps(QStringLiteral("/proc/self/maps"));
            return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
        };
        QVERIFY(!pluginLoaded());
        QVERIFY(!Pictures::programIcon().isNull());
        QVERIFY(!Pictures::menu().isNull());
        QVERIFY(!pluginLoaded());
        QVERIFY(!Pictures::house().isNull());
        QVERIFY(pluginLoaded());
#else
        QSKIP("reads the process's memory map, which Linux shows");
#endif
    }

    void picturesKeepTheirLayoutSizeInTheSharpestRender_data() {
        QTest::addColumn<QPixmap>("picture");
        QTest::addColumn<QSize>("layoutSize");
        QTest::newRow("menu") << Pictures::menu() << QSize(650, 400);
        QTest::newRow("house") << Pictures::house() << QSize(800, 600);
        QTest::newRow("figure") << Pictures::figure() << QSize(51, 50);
    }

    void picturesKeepTheirLayoutSizeInTheSharpestRender() {
        QFETCH(QPixmap, picture);
        QFETCH(QSize, layoutSize);
        const qreal wanted = qApp->devicePixelRatio() > 1.0 ? 2.0 : 1.0;
        QCOMPARE(picture.devicePixelRatio(), wanted);
        QCOMPARE(picture.size(), layoutSize * wanted);
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(layoutSize));
    }

    // A pointer image is shown pixel for pixel, so it is made at the screen's density.
    void pointersAreMadeAtTheScreensDensity_data() {
        QTest::addColumn<QCursor>("pointer");
        QTest::newRow("red sight") << Pictures::sightRed();
        QTest::newRow("green sight") << Pictures::sightGreen();
        QTest::newRow("blue cross") << Pictures::blueCross();
    }

    void pointersAreMadeAtTheScreensDensity() {
        QFETCH(QCursor, pointer);
        const qreal ratio = qApp->devicePixelRatio();
        const int side = qRound(32 * ratio);
        QCOMPARE(pointer.shape(), Qt::BitmapCursor);
        QCOMPARE(pointer.pixmap().size(), QSize(side, side));
        QCOMPARE(pointer.pixmap().devicePixelRatio(), ratio);
        // Any platform but X11 takes the hot spot in layout pixels: the icon's centre.
        QCOMPARE(pointer.hotSpot(), QPoint(16, 16));
    }

    void theProgramIconHasAnImageForEachDensity_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("96 dpi") << 1.0;
        QTest::newRow("200 %") << 2.0;
    }

    void theProgramIconHasAnImageForEachDensity() {
        QFETCH(qreal, ratio);
        const QPixmap image = Pictures::programIcon().pixmap(QSize(32, 32), ratio);
        QCOMPARE(image.size(), QSize(32, 32) * ratio);
    }
};

static const RegisteredTest<HighDpiTest> registered;
#include "HighDpiTest.moc"
