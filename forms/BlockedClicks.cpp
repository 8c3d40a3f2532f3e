// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/BlockedClicks.h"

#include "forms/Form.h"
#include "forms/X11Connection.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#if defined(OMVAR_HAVE_XCB)
#include <cstring>
#include <optional>
#include <private/qguiapplication_p.h>

namespace {

// The window a pointer button was pressed on, if the event is such a press: a core event, or
// an XInput 2 device event, all of which hold that window at the same place.
std::optional<xcb_window_t> pressedWindow(const xcb_generic_event_t* event, int inputOpcode) {
    constexpr uint16_t XIButtonPress = 4;
    constexpr size_t XIEventWindowOffset = 24; // after type, device, time, detail and root
    const uint8_t type = event->response_type & ~0x80;
    if (type == XCB_BUTTON_PRESS) {
        return reinterpret_cast<const xcb_button_press_event_t*>(event)->event;
    }
    const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if (type != XCB_GE_GENERIC || generic->extension != inputOpcode ||
        generic->event_type != XIButtonPress) {
        return std::nullopt;
    }
    xcb_window_t window = 0;
    std::memcpy(&window, reinterpret_cast<const char*>(event) + XIEventWindowOffset, sizeof window);
    return window;
}

} // namespace
#endif

BlockedClicks::BlockedClicks() {
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
    const std::optional<xcb_window_t> pressed =
        pressedWindow(static_cast<const xcb_generic_event_t*>(message), m_inputOpcode);
    QWindow* window = pressed ? topLevelWindowOf(*pressed) : nullptr;
    if (window == nullptr) {
        return false;
    }
    const Form* form = Form::of(window);
    return (form != nullptr && !form->Enabled()) ||
           QGuiApplicationPrivate::instance()->isWindowBlocked(window);
#else
    (void)eventType;
    (void)message;
    return false;
#endif
}
