// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

// Keeps the keyboard with the window in front when the player clicks a window behind it
// that takes no input: one that a modal message box blocks, or a disabled form (X11 only).
// Qt takes the click for a request to activate the clicked window and, as that window owns
// the one in front, gives it the input focus itself, past the window manager; the focus is
// then handed back with a request to the window manager. A window manager that has already
// activated the modal window for the click (KWin) takes that request for one it has carried
// out, then sees the blocked window take the focus and leaves it there; xfwm4 now and then
// leaves a disabled form active the same way. Such a window drops the click anyway, so it
// stops here, and the window in front is asked of the window manager with the click's time:
// asked with Qt's, from before the click, a window manager that prevents focus stealing
// (mutter) refuses it. The window manager's own activation of the clicked window, if any,
// is handed on as before.
// Where the window system keeps the keyboard with a disabled form all the same (GNOME's
// Wayland compositor after a click on it: it refuses the activation Qt asks for the window
// in front), the keys that reach the form go to the window in front, to its focus.
class BlockedClicks : public QObject, public QAbstractNativeEventFilter {
public:
    BlockedClicks();
    ~BlockedClicks() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The XInput extension's, whose events carry Qt's clicks (X11 only).
    [[maybe_unused]] int m_inputOpcode = -1;
};
