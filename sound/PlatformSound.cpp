// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/PlatformSound.h"

#ifdef Q_OS_WIN
#include "sound/WinmmSoundOutput.h"
#else
#include "sound/OpenAlSoundOutput.h"
#endif

std::unique_ptr<SoundOutput> createPlatformSoundOutput(const QStringList& preloadFileNames) {
#ifdef Q_OS_WIN
    // winmm reads the file on each play; there is nothing to load ahead.
    Q_UNUSED(preloadFileNames);
    return std::make_unique<WinmmSoundOutput>();
#else
    return std::make_unique<OpenAlSoundOutput>(preloadFileNames);
#endif
}
