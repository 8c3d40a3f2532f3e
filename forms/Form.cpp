#include "forms/Form.h"

#include "forms/Timer.h"
#include "forms/WindowName.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

// The top-level window of a form.
class FormWindow : public QWidget {
public:
    FormWindow(Form& form, const FormSpec& settings) : m_form(form) {
        Qt::WindowFlags flags = Qt::Window;
        switch (settings.border) {
        case FormBorder::FixedSingle:
            flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                     Qt::WindowCloseButtonHint;
            break;
        case FormBorder::FixedNoTitle:
            flags |= Qt::CustomizeWindowHint;
            break;
        case FormBorder::None:
            flags |= Qt::FramelessWindowHint;
            break;
        }
        setWindowFlags(flags);
        setWindowTitle(settings.caption);
        setAccessibleName(settings.accessibleName.isEmpty() ? settings.caption
                                                            : settings.accessibleName);
        setFixedSize(settings.clientSize);
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

protected:
    // A close through the system goes to the form; a disabled form cannot be closed, as
    // it takes no input.
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (m_form.Enabled()) {
            m_form.m_runtime.run([this] { m_form.requestClose(); });
        }
    }

private:
    Form& m_form;
};

Form::Form(FormsRuntime& runtime, int slot, const FormSpec& settings)
    : m_runtime(runtime), m_slot(slot), m_window(std::make_unique<FormWindow>(*this, settings)) {}

Form::~Form() = default;

QWidget* Form::window() const {
    return m_window.get();
}

Form* Form::of(const QWidget* widget) {
    if (auto* window = dynamic_cast<const FormWindow*>(widget->window())) {
        return &window->form();
    }
    return nullptr;
}

void Form::Show(Form* owner) {
    if (m_unloading) {
        return;
    }
    if (owner != nullptr) {
        m_window->winId();
        owner->m_window->winId();
        m_window->windowHandle()->setTransientParent(owner->m_window->windowHandle());
    }
    if (!m_shownBefore) {
        m_shownBefore = true;
        // The client area is centred: its frame is not known before the window is mapped.
        QRect client(QPoint(), m_window->size());
        client.moveCenter(QGuiApplication::primaryScreen()->geometry().center());
        m_window->setGeometry(client);
    }
    if (m_window->windowTitle().isEmpty()) {
        m_window->winId();
        clearWindowName(m_window->windowHandle());
    }
    if (m_window->isVisible()) {
        m_window->raise(); // a form shown again comes to the front
    }
    m_window->show();
    m_window->activateWindow();
}

void Form::Hide() {
    m_window->hide();
}

bool Form::Visible() const {
    return m_window->isVisible();
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
