#include "app/Program.h"
#include "forms/QtClock.h"
#include "forms/QtMessageBoxes.h"
#include "screens/Pictures.h"
#include "sound/PlatformSound.h"

#include <QApplication>
#include <QDate>
#include <cstdio>
#include <cstdlib>

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

} // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fputs("omvar: no display found; start it in a desktop session, or under a "
                   "virtual X server: xvfb-run -a build/bin/omvar\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Omvar"));
    QApplication::setWindowIcon(Pictures::programIcon());
    // The program ends when its last form is unloaded, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    Services services;
    services.appPath = QApplication::applicationDirPath();
    services.clock = std::make_unique<QtClock>();
    services.messageBoxes = std::make_unique<QtMessageBoxes>();
    services.today = [] { return QDate::currentDate(); };

    Program program(std::move(services));
    QObject::connect(&program.runtime(), &FormsRuntime::ended, &app, &QApplication::exit,
                     Qt::QueuedConnection);
    program.start();
    if (program.runtime().hasEnded()) {
        return program.runtime().exitCode();
    }
    // The sound output comes once the menu has been handed to the window system: its worker
    // loads the sound library, connects to the sound server and decodes the sounds, which
    // would compete with the menu for the processor, the loader and the memory map. The
    // menu plays nothing before its first click, and the worker is ready long before that.
    QStringList sounds;
    for (const QString& name : Program::soundFiles()) {
        sounds << program.programFile(name);
    }
    program.runtime().services().sound = createPlatformSoundOutput(sounds);
    return app.exec();
}
