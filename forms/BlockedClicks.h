#pragma once

#include <QAbstractNativeEventFilter>

// Keeps the keyboard with a modal window when the player clicks a window it blocks (X11
// only). Qt takes the click for a request to activate the clicked window and, as that window
// owns the modal one, gives it the input focus itself, past the window manager, before
// handing the focus back to the modal window with a request to the window manager. A
// window manager that has already activated the modal window for the click (KWin) takes
// that request for one it has carried out, then sees the blocked window take the focus and
// leaves it there. The click is of no use to a blocked window, as Qt drops it anyway, so it
// stops here and the focus stays where the window manager put it.
class BlockedClicks : public QAbstractNativeEventFilter {
public:
    BlockedClicks();
    ~BlockedClicks() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    int m_inputOpcode = -1; // the XInput extension's, whose events carry Qt's clicks
};
