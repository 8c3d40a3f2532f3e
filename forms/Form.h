// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/FormsRuntime.h"

#include <QColor>
#include <QIcon>
#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class QWidget;
class QWindow;
class FormWindow;
class Timer;

enum class FormBorder {
    FixedSingle,  // title bar with caption, icon and close box; not resizable
    FixedNoTitle, // a thin fixed frame only, drawn by the form: no caption, no window buttons
    None,         // no frame at all
};

struct FormSpec {
    QString caption = {};
    QSize clientSize = {}; // pixels at 96 dpi
    FormBorder border = FormBorder::FixedSingle;
    QColor background = {}; // invalid: the system's button face
    QIcon icon = {};
    QString accessibleName = {}; // for a form without a caption
};

// A form: one window with its controls and the handlers of its events. Forms are created
// by their owner on first reference and destroyed by FormsRuntime::unload.
class Form : public QObject {
    Q_OBJECT

public:
    Form(FormsRuntime& runtime, int slot, const FormSpec& settings);
    ~Form() override;

    int slot() const { return m_slot; }

    // Shows the form, centred on the screen whenever it was hidden, frame and title bar
    // included.
    // An owner keeps the form in front of it, and while the owner is disabled a click on it
    // leaves the keyboard with the form. A form being unloaded is not shown again.
    void Show(Form* owner = nullptr);
    void Hide();
    bool Visible() const;
    void setVisible(bool visible);
    // A disabled form takes no mouse or keyboard input, its controls included.
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    // The form's top-level window: the client area with the frame the form draws itself.
    QWidget* window() const;
    // The client area the controls lie on; the window itself unless the form draws a frame.
    QWidget* client() const;
    // The form whose window holds `widget`, if any.
    static Form* of(const QWidget* widget);
    // The form whose top-level window is `window`, if any.
    static Form* of(const QWindow* window);
    // The visible window that this form's window owns (a dialog shown over it), if any.
    QWidget* ownedWindow() const;

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    // A close requested through the system; setting `cancel` keeps the form loaded.
    virtual void Form_QueryUnload(bool& cancel) { (void)cancel; }

    FormsRuntime& runtime() const { return m_runtime; }

    // A handler of this form, wrapped in the runtime's error boundary, for a control's event.
    template <class F> std::function<void()> handler(void (F::*method)()) {
        return [this, method] {
            m_runtime.run([this, method] { (static_cast<F*>(this)->*method)(); });
        };
    }

    // Timers of this form; they stop for good when the form is unloaded.
    Timer* addTimer(int intervalMs);

private:
    friend class FormsRuntime;
    friend class FormWindow;
    void requestClose();
    void stopTimers();
    // The window manager has stated the window's frame.
    void frameChanged();

    FormsRuntime& m_runtime;
    const int m_slot;
    std::unique_ptr<FormWindow> m_window;
    std::vector<Timer*> m_timers;
    bool m_enabled = true;
    bool m_unloading = false;
    bool m_shownBefore = false; // the installed faces are chosen at the first show
};
