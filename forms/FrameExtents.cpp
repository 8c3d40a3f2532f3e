// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/FrameExtents.h"

#include "forms/X11Connection.h"

#include <QCoreApplication>
#include <QWindow>

std::optional<QMargins> frameExtents(QWindow* window) {
#if defined(OMVAR_HAVE_XCB)
    if (xcb_connection_t* connection = x11Connection()) {
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(connection, 0, xcb_window_t(window->winId()),
                             x11Atom(connection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
        std::optional<QMargins> extents;
        if (reply != nullptr && reply->format == 32 && xcb_get_property_value_length(reply) == 16) {
            const auto* value = static_cast<const uint32_t*>(xcb_get_property_value(reply));
            // left, right, top, bottom
            extents = QMargins(int(value[0]), int(value[2]), int(value[1]), int(value[3]));
        }
        free(reply);
        return extents;
    }
#endif
    return window->frameMargins();
}

FrameExtentsWatch::FrameExtentsWatch(std::function<void(QWindow*)> changed)
    : m_changed(std::move(changed)) {
#if defined(OMVAR_HAVE_XCB)
    if (xcb_connection_t* connection = x11Connection()) {
        m_atom = x11Atom(connection, "_NET_FRAME_EXTENTS");
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
#endif
}

FrameExtentsWatch::~FrameExtentsWatch() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool FrameExtentsWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#if defined(OMVAR_HAVE_XCB)
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (eventType != "xcb_generic_event_t" ||
        (event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY) {
        return false;
    }
    const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    if (notify->atom != m_atom) {
        return false;
    }
    if (QWindow* window = topLevelWindowOf(notify->window)) {
        // Handled once Qt is done with the event, as a window is moved from there.
        QMetaObject::invokeMethod(
            window, [this, window] { m_changed(window); }, Qt::QueuedConnection);
    }
#else
    (void)eventType;
    (void)message;
#endif
    return false;
}
