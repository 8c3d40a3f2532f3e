// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/WindowSystem.h"

#include <QProcessEnvironment>

QByteArray preferredPlatform(const QProcessEnvironment& environment) {
    if (!environment.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty() ||
        environment.value(QStringLiteral("XDG_SESSION_TYPE")) != QLatin1String("wayland") ||
        environment.value(QStringLiteral("DISPLAY")).isEmpty()) {
        return {};
    }
    // Distributions name their GNOME sessions after themselves, "ubuntu:GNOME" and the like.
    for (const char* name : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP"}) {
        if (environment.value(QLatin1String(name))
                .contains(QLatin1String("gnome"), Qt::CaseInsensitive)) {
            return QByteArrayLiteral("xcb;wayland");
        }
    }
    return {};
}

void choosePlatform() {
    const QByteArray platform = preferredPlatform(QProcessEnvironment::systemEnvironment());
    if (!platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", platform);
    }
}
