// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Watches an X screen while one program starts on it: when its first top-level window is
// mapped, and when the screen's pixels last changed before they stayed still for a quiet
// spell. Damage is tracked on the root window and so on every window inside it; on a
// virtual X server where only the program and a window manager run, that is the program's
// window, its frame and everything painted into them.
//
// Prints "ready" once it watches, then, after the map and the quiet spell, the two moments
// as seconds since the epoch (the clock of bash's EPOCHREALTIME), and exits; exit status 1
// when nothing was mapped and painted within the time limit.
//   paint_watch [quiet ms, default 400] [time limit s, default 20]

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/select.h>

namespace {

double now() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char* argv[]) {
    const double quiet = (argc > 1 ? std::atof(argv[1]) : 400.0) / 1000.0;
    const double limit = argc > 2 ? std::atof(argv[2]) : 20.0;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("paint_watch: no X display\n", stderr);
        return 2;
    }
    int damageEvent = 0;
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fputs("paint_watch: the X server has no DAMAGE extension\n", stderr);
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    // Reports only when the damage goes from empty to not empty; subtracting it after each
    // report arms the next, so a burst of drawing costs a few round trips, not one each.
    const Damage damage = XDamageCreate(display, root, XDamageReportNonEmpty);
    XSync(display, False);
    std::puts("ready");
    std::fflush(stdout);

    const double start = now();
    double mapped = 0;
    double painted = 0;
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            const double at = now();
            if (event.type == MapNotify && mapped == 0) {
                mapped = at;
            } else if (event.type == damageEvent + XDamageNotify) {
                XDamageSubtract(display, damage, None, None);
                if (mapped != 0) {
                    painted = at;
                }
            }
        }
        const double t = now();
        if (painted != 0 && t - painted >= quiet) {
            break;
        }
        if (t - start >= limit) {
            std::fputs("paint_watch: no window was mapped and painted in time\n", stderr);
            return 1;
        }
        const double wait = painted != 0 ? painted + quiet - t : limit - (t - start);
        timeval timeout{static_cast<time_t>(wait),
                        static_cast<suseconds_t>((wait - static_cast<time_t>(wait)) * 1e6)};
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        select(fd + 1, &readable, nullptr, nullptr, &timeout);
    }
    std::printf("%.6f %.6f\n", mapped, painted);
    XDamageDestroy(display, damage);
    XCloseDisplay(display);
    return 0;
}
