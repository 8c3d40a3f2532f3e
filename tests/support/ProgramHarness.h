// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/Program.h"
#include "support/RecordedMessageBoxes.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>

// A whole program in its own temporary program folder, with the clock and sound output
// the caller chooses, message boxes recorded instead of shown and a fixed date, started as
// the real one is: the menu shown.
class ProgramHarness {
public:
    ProgramHarness(std::unique_ptr<Clock> clock, std::unique_ptr<SoundOutput> sound) {
        Services services;
        auto messages = std::make_unique<RecordedMessageBoxes>();
        this->messages = messages.get();
        services.clock = std::move(clock);
        services.sound = std::move(sound);
        services.messageBoxes = std::move(messages);
        services.today = [] { return QDate(2026, 12, 8); };
        services.appPath = folder.path();
        program = std::make_unique<Program>(std::move(services));
        program->start();
    }

    template <class F> F& form() { return program->form<F>(); }
    template <class F> bool isLoaded() const {
        return program->runtime().loaded(F::Slot) != nullptr;
    }
    bool ended() const { return program->runtime().hasEnded(); }
    QString path(const QString& fileName) const { return folder.filePath(fileName); }

    // A left click through the window system at a point of a control (its centre by
    // default), so that Qt routes it to whatever lies topmost there.
    void click(QWidget* control, QPoint at = {-1, -1}) {
        const QPoint local = at.x() < 0 ? control->rect().center() : at;
        clickInWindow(control->window(), control->mapTo(control->window(), local));
    }
    void clickInWindow(QWidget* window, QPoint at) {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
        settle();
    }
    void doubleClickInWindow(QWidget* window, QPoint at) {
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
        settle();
    }
    // Types text into a control key by key, letters with diacritics too.
    static void type(QWidget* control, const QString& text) {
        for (QChar c : text) {
            QTest::sendKeyEvent(QTest::Click, control, Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
        }
    }
    // Asks the window system to close a window, as its close box or Alt+F4 does.
    void close(QWidget* window) {
        window->close();
        settle();
    }
    // Lets destroyed forms go.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // Created first, so that it outlives the program that uses it as its folder.
    QTemporaryDir folder;
    RecordedMessageBoxes* messages = nullptr;
    std::unique_ptr<Program> program;
};
