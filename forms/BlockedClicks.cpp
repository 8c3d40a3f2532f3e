// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/BlockedClicks.h"

#include "forms/Form.h"
#include "forms/X11Connection.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#if defined(OMVAR_HAVE_XCB)
#include <cstring>
#include <optional>
#include <private/qguiapplication_p.h>

namespace {

struct Press {
    xcb_window_t window;
    xcb_timestamp_t time;
};

// The window a pointer button was pressed on and when, if the event is such a press: a core
// event, or an XInput 2 device event, all of which hold them at the same places.
std::optional<Press> pressOf(const xcb_generic_event_t* event, int inputOpcode) {
    constexpr uint16_t XIButtonPress = 4;
    constexpr size_t XITimeOffset = 12;        // after type, length, event type and device
    constexpr size_t XIEventWindowOffset = 24; // after time, detail and root
    const uint8_t type = event->response_type & ~0x80;
    if (type == XCB_BUTTON_PRESS) {
        const auto* press = reinterpret_cast<const xcb_button_press_event_t*>(event);
        return Press{press->event, press->time};
    }
    const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if (type != XCB_GE_GENERIC || generic->extension != inputOpcode ||
        generic->event_type != XIButtonPress) {
        return std::nullopt;
    }
    Press press{};
    std::memcpy(&press.window, reinterpret_cast<const char*>(event) + XIEventWindowOffset,
                sizeof press.window);
    std::memcpy(&press.time, reinterpret_cast<const char*>(event) + XITimeOffset,
                sizeof press.time);
    return press;
}

// Asks the window manager to activate `window` for the player's press at `time`. Qt would ask
// with the time of the last event it took, from before the dropped press, and a window
// manager that prevents focus stealing (mutter) refuses a request older than the click that
// activated the window behind.
void requestActivation(xcb_connection_t* connection, QWindow* window, const Press& press) {
    const xcb_atom_t activeWindow = x11Atom(connection, "_NET_ACTIVE_WINDOW");
    if (activeWindow == XCB_ATOM_NONE) {
        return;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window->winId());
    message.type = activeWindow;
    message.data.data32[0] = 1; // from an application
    message.data.data32[1] = press.time;
    message.data.data32[2] = press.window;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

} // namespace
#endif

BlockedClicks::BlockedClicks() {
    // After the forms runtime's own filter, and so before it: that one drops the keys.
    QCoreApplication::instance()->installEventFilter(this);
#if defined(OMVAR_HAVE_XCB)
    if (xcb_connection_t* connection = x11Connection()) {
        static const char name[] = "XInputExtension";
        xcb_query_extension_reply_t* reply = xcb_query_extension_reply(
            connection, xcb_query_extension(connection, sizeof name - 1, name), nullptr);
        if (reply != nullptr && reply->present) {
            m_inputOpcode = reply->major_opcode;
        }
        free(reply);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
#endif
}

BlockedClicks::~BlockedClicks() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool BlockedClicks::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#if defined(OMVAR_HAVE_XCB)
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const std::optional<Press> press =
        pressOf(static_cast<const xcb_generic_event_t*>(message), m_inputOpcode);
    QWindow* window = press ? topLevelWindowOf(press->window) : nullptr;
    if (window == nullptr) {
        return false;
    }
    const Form* form = Form::of(window);
    QWindow* front = nullptr;
    if (form != nullptr && !form->Enabled()) {
        QWidget* owned = form->ownedWindow();
        front = owned != nullptr ? owned->windowHandle() : nullptr;
    } else if (QGuiApplicationPrivate::instance()->isWindowBlocked(window)) {
        front = QGuiApplication::modalWindow();
    } else {
        return false;
    }
    if (front != nullptr) {
        requestActivation(x11Connection(), front, *press);
    }
    return true;
#else
    (void)eventType;
    (void)message;
    return false;
#endif
}

bool BlockedClicks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return false;
    }
    auto* window = qobject_cast<QWindow*>(watched);
    const Form* form = window != nullptr ? Form::of(window) : nullptr;
    QWidget* owned = form != nullptr && !form->Enabled() ? form->ownedWindow() : nullptr;
    if (owned == nullptr) {
        return false;
    }
    QWidget* focus = owned->focusWidget() != nullptr ? owned->focusWidget() : owned;
    QCoreApplication::sendEvent(focus, event);
    return true;
}
