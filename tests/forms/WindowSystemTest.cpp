// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/WindowSystem.h"
#include "support/TestRegistry.h"

#include <QProcessEnvironment>
#include <QTest>

class WindowSystemTest : public QObject {
    Q_OBJECT

private slots:
    // Variables as "NAME=value" pairs; the platform chosen, or empty for Qt's own choice.
    void onlyGnomesWaylandSessionsStartOnItsXServer_data() {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QByteArray>("platform");
        const QStringList gnome = {"XDG_SESSION_TYPE=wayland", "XDG_CURRENT_DESKTOP=GNOME",
                                   "DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0"};
        QTest::newRow("GNOME on Wayland") << gnome << QByteArray("xcb;wayland");
        QTest::newRow("a distribution's GNOME")
            << QStringList{"XDG_SESSION_TYPE=wayland", "XDG_CURRENT_DESKTOP=ubuntu:GNOME",
                           "DISPLAY=:0"}
            << QByteArray("xcb;wayland");
        QTest::newRow("GNOME named by the session only")
            << QStringList{"XDG_SESSION_TYPE=wayland", "XDG_SESSION_DESKTOP=gnome", "DISPLAY=:0"}
            << QByteArray("xcb;wayland");
        QTest::newRow("the player asked for Wayland")
            << gnome + QStringList{"QT_QPA_PLATFORM=wayland"} << QByteArray();
        QTest::newRow("an empty request counts as none")
            << gnome + QStringList{"QT_QPA_PLATFORM="} << QByteArray("xcb;wayland");
        QTest::newRow("GNOME without an X server")
            << QStringList{"XDG_SESSION_TYPE=wayland", "XDG_CURRENT_DESKTOP=GNOME"} << QByteArray();
        QTest::newRow("GNOME on X11")
            << QStringList{"XDG_SESSION_TYPE=x11", "XDG_CURRENT_DESKTOP=GNOME", "DISPLAY=:0"}
            << QByteArray();
        QTest::newRow("KDE on Wayland")
            << QStringList{"XDG_SESSION_TYPE=wayland", "XDG_CURRENT_DESKTOP=KDE", "DISPLAY=:0"}
            << QByteArray();
        QTest::newRow("no session") << QStringList{"DISPLAY=:0"} << QByteArray();
    }
    void onlyGnomesWaylandSessionsStartOnItsXServer() {
        QFETCH(QStringList, variables);
        QFETCH(QByteArray, platform);
        QProcessEnvironment environment;
        for (const QString& variable : variables) {
            environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
        }
        QCOMPARE(preferredPlatform(environment), platform);
    }
};

static const RegisteredTest<WindowSystemTest> registered;
#include "WindowSystemTest.moc"
