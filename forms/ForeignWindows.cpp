// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/ForeignWindows.h"

#include "forms/X11Connection.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#if defined(OMVAR_HAVE_XCB)
#include <qpa/qwindowsysteminterface.h>

namespace {

// Unmaps a top-level window the way ICCCM asks a client to withdraw it, as Qt hides one: the
// real unmap and a synthetic UnmapNotify for the window manager.
void withdraw(xcb_connection_t* connection, xcb_window_t window) {
    xcb_unmap_window(connection, window);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_unmap_notify_event_t event = {};
    event.response_type = XCB_UNMAP_NOTIFY;
    event.event = root;
    event.window = window;
    // xcb_send_event copies 32 bytes, more than the event's own size.
    char padded[32] = {};
    std::copy_n(reinterpret_cast<const char*>(&event), sizeof event, padded);
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   padded);
    xcb_flush(connection);
}

// The window system keeps the shown windows that `owner` owns in front of its new native
// window: Qt names the owner to it only when it shows them.
void keepOwnedInFront(xcb_connection_t* connection, QWindow* owner) {
    const auto ownerId = xcb_window_t(owner->winId());
    for (QWindow* owned : QGuiApplication::topLevelWindows()) {
        if (owned != owner && owned->isVisible() && owned->handle() != nullptr &&
            owned->transientParent() == owner) {
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(owned->winId()),
                                XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &ownerId);
            owned->raise();
            owned->requestActivate();
        }
    }
    xcb_flush(connection);
}

// The window that Qt made inside `window` to hold the time of the player's last input there,
// where the window manager asks for one, or none.
xcb_window_t userTimeWindowOf(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t atom) {
    xcb_generic_error_t* error = nullptr; // the window may be gone already: nothing to say then
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, atom, XCB_ATOM_WINDOW, 0, 1), &error);
    xcb_window_t inner = XCB_WINDOW_NONE;
    if (reply != nullptr && reply->format == 32 && xcb_get_property_value_length(reply) == 4) {
        inner = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
    }
    free(reply);
    free(error);
    return inner;
}

} // namespace
#endif

ForeignWindowEvents::ForeignWindowEvents(std::function<void(QWidget*)> showAgain)
    : m_showAgain(std::move(showAgain)) {
#if defined(OMVAR_HAVE_XCB)
    if (xcb_connection_t* connection = x11Connection()) {
        m_userTimeAtom = x11Atom(connection, "_NET_WM_USER_TIME_WINDOW");
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
#endif
}

ForeignWindowEvents::~ForeignWindowEvents() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool ForeignWindowEvents::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#if defined(OMVAR_HAVE_XCB)
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & ~0x80) {
    case 0: { // an error
        const auto* error = reinterpret_cast<const xcb_generic_error_t*>(event);
        // Once a window was destroyed from outside, Qt may still draw its last picture with
        // the graphics context of the backing store it is replacing.
        return ((error->error_code == XCB_WINDOW || error->error_code == XCB_DRAWABLE) &&
                std::find(m_destroyed.begin(), m_destroyed.end(), error->resource_id) !=
                    m_destroyed.end()) ||
               (error->error_code == XCB_G_CONTEXT && !m_destroyed.empty());
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (notify->atom == m_userTimeAtom && notify->state == XCB_PROPERTY_NEW_VALUE &&
            topLevelWindowOf(notify->window) != nullptr) {
            std::erase_if(m_userTimeWindows,
                          [notify](const auto& pair) { return pair.first == notify->window; });
            m_userTimeWindows.emplace_back(
                notify->window, userTimeWindowOf(x11Connection(), notify->window, m_userTimeAtom));
        }
        return false;
    }
    case XCB_DESTROY_NOTIFY: {
        const xcb_window_t id = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window;
        const auto inner = std::find_if(m_userTimeWindows.begin(), m_userTimeWindows.end(),
                                        [id](const auto& pair) { return pair.first == id; });
        // Qt's own windows are gone from it when it destroys them.
        if (QWindow* window = topLevelWindowOf(id)) {
            m_destroyed.push_back(id);
            if (inner != m_userTimeWindows.end() && inner->second != XCB_WINDOW_NONE) {
                m_destroyed.push_back(inner->second); // destroyed with it
            }
            // Closed as the window manager closes it, in its place among the input: a click
            // right after it goes where the close leaves the keyboard.
            if (window->isVisible()) {
                QWindowSystemInterface::handleCloseEvent(window);
            }
            QMetaObject::invokeMethod(
                window, [this, window, id] { lost(window, id); }, Qt::QueuedConnection);
        }
        if (inner != m_userTimeWindows.end()) {
            m_userTimeWindows.erase(inner);
        }
        return false;
    }
    case XCB_MAP_NOTIFY: {
        const xcb_window_t id = reinterpret_cast<const xcb_map_notify_event_t*>(event)->window;
        QWindow* window = topLevelWindowOf(id);
        if (window == nullptr || window->isVisible()) {
            return false;
        }
        withdraw(x11Connection(), id);
        return true; // Qt never learns of the mapping: to it the window stays unmapped
    }
    default:
        return false;
    }
#else
    (void)eventType;
    (void)message;
    return false;
#endif
}

void ForeignWindowEvents::lost(QWindow* window, unsigned id) {
#if defined(OMVAR_HAVE_XCB)
    const QPointer<QWindow> guard(window);
    QWindowSystemInterface::flushWindowSystemEvents(); // the close
    // Unless the close did away with the window, or it already has a new native window.
    if (guard.isNull() || window->handle() == nullptr || window->winId() != id) {
        return;
    }
    const bool shown = window->isVisible();
    QWidget* widget = nullptr;
    for (QWidget* candidate : QApplication::topLevelWidgets()) {
        if (candidate->windowHandle() == window) {
            widget = candidate;
        }
    }
    // Hidden first: a widget whose native window alone is destroyed still counts as shown, and
    // showing it again would do nothing.
    if (widget != nullptr) {
        widget->hide();
    }
    window->destroy();
    if (shown && widget != nullptr) {
        m_showAgain(widget);
        keepOwnedInFront(x11Connection(), window);
    }
#else
    (void)window;
    (void)id;
#endif
}
