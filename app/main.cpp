// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Form3.h"
#include "app/Program.h"
#include "app/ProgramEnd.h"
#include "forms/QtClock.h"
#include "forms/QtMessageBoxes.h"
#include "forms/WindowSystem.h"
#include "screens/Pictures.h"
#include "sound/PlatformSound.h"

#include <QApplication>
#include <QDate>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

// Without a display Qt would print a stack of errors and abort; say it in one line.
bool displayAvailable() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

// Calls `then` once, after the window's first exposure has been painted: a window handles
// an exposure, painting and handing the picture to the window system included, before a
// call queued during it runs. A window system may expose a window as it is shown (the
// browser's does): then the call is queued at once.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWindow* window, std::function<void()> then) : m_then(std::move(then)) {
        if (window->isExposed()) {
            callSoon();
        } else {
            window->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            callSoon();
        }
        return false;
    }

private:
    void callSoon() {
        QMetaObject::invokeMethod(
            this, [this] { m_then(); }, Qt::QueuedConnection);
    }

    std::function<void()> m_then;
};

} // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fputs("omvar: no display found; start it in a desktop session, or under a "
                   "virtual X server: xvfb-run -a build/bin/omvar\n",
                   stderr);
        return EXIT_FAILURE;
    }
    choosePlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Omvar"));
    // The desktop entry's id (OMVAR_APP_ID) is the Wayland app id, by which docks and title
    // bars find the program's icon and name. X11's window class stays the application name,
    // the entry's StartupWMClass.
    QApplication::setDesktopFileName(QStringLiteral(OMVAR_APP_ID));
    QApplication::setWindowIcon(Pictures::programIcon());
    // The program ends when its last form is unloaded, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    Services services;
    // OMVAR_DATA_FOLDER: where an installed copy's files lie, relative to the executable's.
    const ProgramFolder folder =
        findProgramFolder(QApplication::applicationDirPath(), QStringLiteral(OMVAR_DATA_FOLDER));
    services.appPath = folder.path;
    services.installed = folder.installed;
    services.clock = std::make_unique<QtClock>();
    services.messageBoxes = std::make_unique<QtMessageBoxes>();
    services.today = [] { return QDate::currentDate(); };

    Program program(std::move(services));
    QObject::connect(&program.runtime(), &FormsRuntime::ended, &app, endProgram,
                     Qt::QueuedConnection);
    program.start();
    if (program.runtime().hasEnded()) {
        return program.runtime().exitCode();
    }
    // The sound output comes once the menu has been painted: its worker loads the sound
    // library, connects to the sound server and decodes the sounds, which would compete with
    // the menu's first picture for the processor, the loader and the memory map. A sound
    // asked for before then is not heard; the worker is ready long before a player clicks.
    AfterFirstPaint soundOutput(program.form<Form3>().window()->windowHandle(), [&program] {
        QStringList sounds;
        for (const QString& name : Program::soundFiles()) {
            sounds << program.programFile(name);
        }
        program.runtime().services().sound = createPlatformSoundOutput(sounds);
    });
    return app.exec();
}
