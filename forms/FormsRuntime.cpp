// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/FormsRuntime.h"

#include "forms/BlockedClicks.h"
#include "forms/ForeignWindows.h"
#include "forms/Form.h"
#include "forms/FrameExtents.h"
#include "forms/Layout.h"
#include "forms/RuntimeError.h"
#include "forms/WindowRelease.h"

#include <QApplication>
#include <QEvent>
#include <QLocale>
#include <QWidget>
#include <QWindow>
#include <algorithm>

FormsRuntime::FormsRuntime(Services services, QString title, int slotCount)
    : m_services(std::move(services)), m_title(std::move(title)), m_slots(slotCount, nullptr) {
    installFontSubstitutes();
    qApp->installEventFilter(this);
    m_frames = std::make_unique<FrameExtentsWatch>([](QWindow* window) {
        if (Form* form = Form::of(window)) {
            form->frameChanged();
        }
    });
    m_blockedClicks = std::make_unique<BlockedClicks>();
    m_foreignWindows = std::make_unique<ForeignWindowEvents>([](QWidget* window) {
        if (Form* form = Form::of(window)) {
            form->Show();
        } else {
            window->show();
        }
    });
}

FormsRuntime::~FormsRuntime() {
    qApp->removeEventFilter(this);
    for (Form* form : m_slots) {
        delete form;
    }
    for (const QPointer<Form>& form : m_released) {
        delete form.data();
    }
}

Form* FormsRuntime::loaded(int slot) const {
    return m_slots.at(slot);
}

void FormsRuntime::load(Form* form) {
    m_slots.at(form->slot()) = form;
    run([form] { form->Form_Load(); });
}

void FormsRuntime::unload(int slot) {
    Form* form = m_slots.at(slot);
    if (form == nullptr || form->m_unloading) {
        return;
    }
    form->m_unloading = true;
    form->Form_Unload();
    m_slots.at(slot) = nullptr;
    release(form);
    if (std::all_of(m_slots.begin(), m_slots.end(), [](Form* f) { return f == nullptr; })) {
        end(0);
    }
}

void FormsRuntime::release(Form* form) {
    form->stopTimers();
    // Its window may stay on screen a moment longer: it takes no input meanwhile, and the form
    // is not shown again.
    form->m_unloading = true;
    form->m_enabled = false;
    std::erase_if(m_released, [](const QPointer<Form>& gone) { return gone.isNull(); });
    m_released.emplace_back(form);
    ++m_releasing;
    releaseWindow(form->window(), [this, form] {
        form->deleteLater();
        windowReleased();
    });
}

void FormsRuntime::windowReleased() {
    if (--m_releasing == 0 && m_ended) {
        emit ended(m_exitCode);
    }
}

void FormsRuntime::run(const std::function<void()>& handler) {
    if (m_ended || m_failing) {
        return;
    }
    if (m_depth > 0) {
        handler();
        return;
    }
    ++m_depth;
    try {
        handler();
    } catch (const RuntimeError& error) {
        fail(QStringLiteral("Chyba za běhu programu č. %1:\n\n%2")
                 .arg(int(error.number()))
                 .arg(error.description()));
    } catch (const std::exception& error) {
        fail(QStringLiteral("Chyba za běhu programu:\n\n%1")
                 .arg(QString::fromLocal8Bit(error.what())));
    }
    --m_depth;
}

void FormsRuntime::fail(const QString& message) {
    // Nothing else may run while the error is on screen, nor after it.
    m_failing = true;
    m_services.messageBoxes->show(message, m_title, MessageIcon::Critical);
    end(1);
}

void FormsRuntime::end(int exitCode) {
    if (m_ended) {
        return;
    }
    m_ended = true;
    m_exitCode = exitCode;
    ++m_releasing; // the end is told once every window below is released
    for (Form*& form : m_slots) {
        if (form != nullptr) {
            release(form);
            form = nullptr;
        }
    }
    windowReleased();
}

QString FormsRuntime::todayText() const {
    return QLocale().toString(m_services.today(), QLocale::ShortFormat);
}

bool FormsRuntime::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::ToolTip:
        break;
    default:
        return false;
    }
    // A disabled form takes no input at all, its controls included; unlike a disabled
    // QWidget it keeps its look, as the game screen does while the game is paused. Input
    // from the window system is stopped at the form's window, before Qt hands a clicked
    // control the keyboard focus. A disabled control shows no tooltip, as a disabled window
    // gets no mouse messages.
    if (auto* window = qobject_cast<QWindow*>(watched)) {
        const Form* form = Form::of(window);
        return form != nullptr && !form->Enabled();
    }
    if (auto* widget = qobject_cast<QWidget*>(watched)) {
        if (const Form* form = Form::of(widget)) {
            return !form->Enabled() || (event->type() == QEvent::ToolTip && !widget->isEnabled());
        }
    }
    return false;
}
