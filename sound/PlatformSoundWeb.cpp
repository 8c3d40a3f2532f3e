// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/PlatformSound.h"

#include "sound/WebAudioSoundOutput.h"

std::unique_ptr<SoundOutput> createPlatformSoundOutput(const QStringList& preloadFileNames) {
    return std::make_unique<WebAudioSoundOutput>(preloadFileNames);
}
