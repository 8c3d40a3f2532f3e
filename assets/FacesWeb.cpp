// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The browser has no fonts to give: the faces that stand in for the Windows fonts on the
// desktop are compiled into the program and added as the application starts, so that the
// same faces draw the same pixels. DejaVu Sans comes with Qt's browser platform.
// The desktop's faces are hinted lightly (fontconfig's "hintslight", Debian's default), and
// Qt leaves faces unhinted where no fontconfig says otherwise: the application's font asks
// for the same light hinting, which every screen's own font takes over from it.
#include <QCoreApplication>
#include <QDirIterator>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

namespace {

void addCompiledInFaces() {
    QDirIterator faces(QStringLiteral(":/faces"), QDir::Files);
    while (faces.hasNext()) {
        QFontDatabase::addApplicationFont(faces.next());
    }
    // The desktop's face for whatever the game gives no font of its own (message boxes, the
    // title bars): Qt's Linux theme asks for Sans Serif at 9 points, which fontconfig gives
    // as DejaVu Sans.
    QFont font(QStringLiteral("DejaVu Sans"), 9);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    QGuiApplication::setFont(font);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(addCompiledInFaces)
