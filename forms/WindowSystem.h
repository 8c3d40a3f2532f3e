// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class QProcessEnvironment;

// The Qt platform the program starts on where the player named none (QT_QPA_PLATFORM or
// -platform), or nothing for Qt's own choice. GNOME's Wayland compositor places every
// window itself: a program can neither centre its windows there nor set a dialog over its
// screen, and Qt draws the title bars, with a maximise button on windows of fixed size. In
// GNOME's X server (XWayland) the compositor centres and frames the windows as on X11, so
// in a GNOME Wayland session the program runs there, and on Wayland itself only where that
// server cannot be reached.
QByteArray preferredPlatform(const QProcessEnvironment& environment);

// Hands the platform above to Qt; called before the application object is made.
void choosePlatform();
