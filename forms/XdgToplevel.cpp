// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/XdgToplevel.h"

#if defined(OMVAR_HAVE_WAYLAND)
#include <QGuiApplication>
#include <qpa/qplatformnativeinterface.h>

wl_proxy* xdgToplevel(QWindow* window) {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return nullptr;
    }
    return static_cast<wl_proxy*>(
        QGuiApplication::platformNativeInterface()->nativeResourceForWindow("xdg_toplevel",
                                                                            window));
}
#endif
