// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/Form.h"

#include "forms/FrameExtents.h"
#include "forms/Layout.h"
#include "forms/Timer.h"
#include "forms/WindowName.h"
#include "forms/WindowState.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

// The top-level widget that `window` belongs to, if any.
QWidget* topLevelWidgetOf(const QWindow* window) {
    if (window == nullptr) {
        return nullptr;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowHandle() == window) {
            return widget;
        }
    }
    return nullptr;
}

// The thin fixed frame of a form without a title bar: one pixel, as the platform draws a
// window's thin border.
constexpr int ThinFrame = 1;

Qt::WindowFlags flagsFor(FormBorder border) {
    switch (border) {
    case FormBorder::FixedSingle:
        return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    // The thin frame alone is drawn by the form: asked for a frame without a title bar,
    // X11 window managers draw none at all and Qt on Wayland draws a title bar.
    case FormBorder::FixedNoTitle:
    case FormBorder::None:
        break;
    }
    return Qt::Window | Qt::FramelessWindowHint;
}

} // namespace

// The top-level window of a form.
class FormWindow : public QWidget {
public:
    FormWindow(Form& form, const FormSpec& settings) : m_form(form) {
        setWindowFlags(flagsFor(settings.border));
        setWindowTitle(settings.caption);
        setAccessibleName(settings.accessibleName.isEmpty() ? settings.caption
                                                            : settings.accessibleName);
        const int frame = settings.border == FormBorder::FixedNoTitle ? ThinFrame : 0;
        setFixedSize(settings.clientSize.grownBy({frame, frame, frame, frame}));
        if (frame > 0) {
            m_client = new QWidget(this);
            m_client->setGeometry(QRect(QPoint(frame, frame), settings.clientSize));
        }
        if (!settings.icon.isNull()) {
            setWindowIcon(settings.icon);
        }
        if (settings.background.isValid()) {
            QPalette palette = this->palette();
            palette.setColor(QPalette::Window, settings.background);
            setPalette(palette);
            setAutoFillBackground(true);
        }
    }

    Form& form() const { return m_form; }
    QWidget* client() const { return m_client; }

    // Window systems keep a dialog in front of the window it belongs to (X11 writes that
    // relation for dialogs only); the type changes neither the frame nor the title bar.
    void setOwner(QWidget* owner) {
        if (windowType() != Qt::Dialog) {
            setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
        }
        winId();
        owner->winId();
        windowHandle()->setTransientParent(owner->windowHandle());
    }

    // Centres the window on the screen, frame and title bar included, with the frame it
    // had when last shown. A window manager's frame is known only once it has framed the
    // window, so the window is centred again when its frame turns out otherwise, unless it
    // has been moved since.
    void centreOnScreen() {
        centre();
        windowHandle()->installEventFilter(this);
        connect(windowHandle(), &QWindow::windowStateChanged, this, &FormWindow::stateChanged,
                Qt::UniqueConnection);
    }
    void frameChanged() {
        const std::optional<QMargins> frame = frameExtents(windowHandle());
        if (frame && *frame != m_centredFrame && geometry().topLeft() == m_centredAt) {
            centre();
        }
    }

protected:
    // A close through the system goes to the form; a disabled form cannot be closed, as
    // it takes no input.
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (m_form.Enabled()) {
            m_form.m_runtime.run([this] { m_form.requestClose(); });
        }
    }

    void paintEvent(QPaintEvent*) override {
        if (m_client != this) {
            QPainter painter(this);
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

    // A disabled form cannot be activated: a click on it activates the window it owns, so
    // that the keyboard stays there, whatever the window system did with the click.
    // A dialog is minimised only with its owner, as window managers do with the dialogs of a
    // minimised window; one that a window manager minimised alone comes straight back, as
    // its frozen owner would be left with no way on.
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_form.Enabled()) {
            if (QWidget* owned = ownedWindow()) {
                const auto activate = [owned] {
                    owned->raise();
                    owned->activateWindow();
                };
                // On Wayland Qt asks the compositor to activate the newly focused window again
                // once it is done with the activation, and the last request wins.
                if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
                    QMetaObject::invokeMethod(owned, activate, Qt::QueuedConnection);
                } else {
                    activate();
                }
            }
        }
        if (event->type() == QEvent::WindowStateChange && isMinimized()) {
            if (QWidget* owner = ownerWindow(); owner != nullptr && !owner->isMinimized()) {
                showNormal();
            }
        }
        QWidget::changeEvent(event);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == windowHandle() && event->type() == QEvent::Expose &&
            windowHandle()->isExposed()) {
            frameChanged();
        }
        return false;
    }

private:
    friend class Form;
    void stateChanged(Qt::WindowState state) { keepNormalState(windowHandle(), state); }

    // The client area's position is what the window system is given: asked for the frame's
    // instead, as Qt does for a window once the window manager has let it go, a window
    // shown again moves by its title bar's height on some window managers.
    void centre() {
        m_centredFrame = frameExtents(windowHandle()).value_or(m_centredFrame);
        QRect outer(QPoint(), size().grownBy(m_centredFrame));
        outer.moveCenter(QGuiApplication::primaryScreen()->geometry().center());
        m_centredAt = outer.topLeft() + QPoint(m_centredFrame.left(), m_centredFrame.top());
        setGeometry(QRect(m_centredAt, size()));
    }

    QWidget* ownerWindow() const {
        QWidget* owner = topLevelWidgetOf(
            windowHandle() != nullptr ? windowHandle()->transientParent() : nullptr);
        return owner != nullptr && owner->isVisible() ? owner : nullptr;
    }

    QWidget* ownedWindow() const {
        for (QWidget* other : QApplication::topLevelWidgets()) {
            if (other->isVisible() && other->windowHandle() != nullptr &&
                other->windowHandle()->transientParent() == windowHandle()) {
                return other;
            }
        }
        return nullptr;
    }

    Form& m_form;
    QWidget* m_client = this;
    QMargins m_centredFrame;
    QPoint m_centredAt;
};

Form::Form(FormsRuntime& runtime, int slot, const FormSpec& settings)
    : m_runtime(runtime), m_slot(slot), m_window(std::make_unique<FormWindow>(*this, settings)) {}

Form::~Form() = default;

QWidget* Form::window() const {
    return m_window.get();
}

QWidget* Form::client() const {
    return m_window->client();
}

Form* Form::of(const QWidget* widget) {
    if (auto* window = dynamic_cast<const FormWindow*>(widget->window())) {
        return &window->form();
    }
    return nullptr;
}

Form* Form::of(const QWindow* window) {
    const QWidget* widget = topLevelWidgetOf(window);
    return widget != nullptr ? of(widget) : nullptr;
}

QWidget* Form::ownedWindow() const {
    return m_window->ownedWindow();
}

void Form::Show(Form* owner) {
    if (m_unloading) {
        return;
    }
    if (owner != nullptr) {
        m_window->setOwner(owner->m_window.get());
    }
    m_window->winId();
    const bool firstShow = !m_shownBefore;
    m_shownBefore = true;
    if (!m_window->isVisible()) {
        m_window->centreOnScreen();
    }
    if (m_window->windowTitle().isEmpty()) {
        clearWindowName(m_window->windowHandle());
    }
    if (m_window->isVisible()) {
        m_window->raise(); // a form shown again comes to the front
    }
    // Shown in its state as it is: show() would make it full screen where the platform
    // shows windows so (the browser's).
    m_window->setVisible(true);
    m_window->activateWindow();
    if (firstShow) {
        // While the window system maps the window and the window manager frames it, before
        // the first paint.
        useInstalledFaces(m_window.get());
    }
}

void Form::frameChanged() {
    m_window->frameChanged();
}

void Form::Hide() {
    m_window->hide();
}

bool Form::Visible() const {
    // An unloaded form is not visible, though its window may stay on screen a moment longer.
    return !m_unloading && m_window->isVisible();
}

void Form::setVisible(bool visible) {
    if (visible) {
        Show();
    } else {
        Hide();
    }
}

Timer* Form::addTimer(int intervalMs) {
    auto* timer = new Timer(this, *m_runtime.services().clock, intervalMs);
    m_timers.push_back(timer);
    return timer;
}

void Form::stopTimers() {
    for (Timer* timer : m_timers) {
        timer->release();
    }
}

void Form::requestClose() {
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (!cancel) {
        m_runtime.unload(m_slot);
    }
}
