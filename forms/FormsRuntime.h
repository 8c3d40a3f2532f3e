// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/Services.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class BlockedClicks;
class ForeignWindowEvents;
class Form;
class FrameExtentsWatch;

// The forms runtime: the loaded forms (one slot each, created on first reference by their
// owner), the error boundary around every handler, input to disabled forms, and the
// program's lifetime, which ends when the last form is unloaded or a handler fails.
class FormsRuntime : public QObject {
    Q_OBJECT

public:
    FormsRuntime(Services services, QString title, int slotCount);
    ~FormsRuntime() override;

    Form* loaded(int slot) const;
    // Registers a newly created form in its slot and runs its Form_Load.
    void load(Form* form);
    // Runs the form's Form_Unload, hides and destroys it. A form that is not loaded, or is
    // already being unloaded, is left alone and nothing is loaded.
    void unload(int slot);

    // Runs one event handler. A failure shows the error and ends the program. Handlers
    // raised from inside another (a list's Click set from code, a form's Form_Load) run as
    // part of it, so a failure ends the outermost one too.
    void run(const std::function<void()>& handler);

    bool hasEnded() const { return m_ended; }
    int exitCode() const { return m_exitCode; }

    Services& services() { return m_services; }
    const Services& services() const { return m_services; }
    const QString& title() const { return m_title; }
    // Today's date as the system's short date text.
    QString todayText() const;

signals:
    // The program has ended and the windows of its forms are gone.
    void ended(int exitCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fail(const QString& message);
    void end(int exitCode);
    void release(Form* form);
    void windowReleased();

    Services m_services;
    QString m_title;
    std::vector<Form*> m_slots;
    std::unique_ptr<FrameExtentsWatch> m_frames; // forms centred again once framed
    std::unique_ptr<BlockedClicks> m_blockedClicks;
    std::unique_ptr<ForeignWindowEvents> m_foreignWindows; // windows other programs act on
    std::vector<QPointer<Form>>
        m_released; // unloaded, destroyed once control is back in the event loop
    // Windows of unloaded forms not yet hidden; the end is told once there are none.
    int m_releasing = 0;
    int m_depth = 0;
    bool m_failing = false;
    bool m_ended = false;
    int m_exitCode = 0;
};
