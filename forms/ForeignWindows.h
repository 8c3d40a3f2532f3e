// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <functional>
#include <utility>
#include <vector>

class QWidget;
class QWindow;

// What other programs do to the program's top-level windows (X11 only: elsewhere no other
// client can reach them).
// A window another client destroys is closed as a close through the window manager closes
// it; Qt still holds the dead window, so it gets a new one, and one that refused the close
// (a disabled form, a window behind a modal message box) is shown again in it, with the
// windows it owns still in front. The errors that requests to the dead window bring are
// dropped. A hidden window that another client maps is unmapped again at once, as Qt hides
// a window, so that the window manager withdraws it and Qt still takes it for unmapped.
class ForeignWindowEvents : public QAbstractNativeEventFilter {
public:
    // `showAgain` shows a window again that stayed shown when its native window was lost.
    explicit ForeignWindowEvents(std::function<void(QWidget*)> showAgain);
    ~ForeignWindowEvents() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void lost(QWindow* window, unsigned id);

    std::function<void(QWidget*)> m_showAgain;
    unsigned m_userTimeAtom = 0;
    // Each window and the one inside it that Qt keeps the player's last input time in: the
    // window manager reads it there, and it goes with the window.
    std::vector<std::pair<unsigned, unsigned>> m_userTimeWindows;
    std::vector<unsigned> m_destroyed; // X windows destroyed under Qt
};
