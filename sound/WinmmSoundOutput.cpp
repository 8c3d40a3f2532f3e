// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/WinmmSoundOutput.h"

#include "sound/WinmmPlaySound.h"

#include <QByteArray>
#include <QDir>

// On Windows the local 8-bit encoding is the system's ANSI code page, which PlaySoundA reads.
bool WinmmSoundOutput::play(const QString& fileName, quint32 flags) {
    const QByteArray name = QDir::toNativeSeparators(fileName).toLocal8Bit();
    return winmmPlaySound(name.constData(), flags);
}
